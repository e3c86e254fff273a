// The Export command: the drawing, or only its selection, as a drawing file,
// a JPEG or PNG picture, an HTML e-mail message, an SVG or a PDF file.

#include "view/korvani_view.h"

#include "document/drawing_file.h"
#include "document/korvani_doc.h"
#include "export/email_export.h"
#include "export/image_export.h"
#include "export/pdf_export.h"
#include "export/svg_export.h"
#include "view/host_progress.h"
#include "view/view_host.h"

#include <QFileInfo>
#include <QString>

namespace {

constexpr const char* ExportFilter =
    "Plimsa source file(*.xml)|*.xml|Jpeg File(*.jpg)|*.jpg|Png File(*.png)|*.png|Email File(*.eml)|*.eml|"
    "SVG File (*.svg)|*.svg|PDF File (*.pdf)|*.pdf|";

enum class ExportFormat { Drawing, Jpeg, Png, Email, Svg, Pdf };

// The filter entries in order; any other index keeps the first.
ExportFormat FormatForFilter(int index)
{
    switch (index) {
    case 1: return ExportFormat::Jpeg;
    case 2: return ExportFormat::Png;
    case 3: return ExportFormat::Email;
    case 4: return ExportFormat::Svg;
    case 5: return ExportFormat::Pdf;
    default: return ExportFormat::Drawing;
    }
}

// The target: the chosen path, with the format's extension appended unless
// the typed name already ends in exactly that one (picture.JPG with the JPEG
// type becomes picture.JPG.jpg).
std::string TargetPath(const std::string& chosen, const char* extension)
{
    if (QFileInfo(QString::fromStdString(chosen)).suffix() == QLatin1String(extension))
        return chosen;
    return chosen + "." + extension;
}

} // namespace

void CKorvaniView::ExportCommand()
{
    const std::optional<ExportAnswer> answer = host.AskExport(ExportFilter);
    if (!answer || answer->path.empty())
        return;
    const ExportFormat format = FormatForFilter(answer->filterIndex);
    static constexpr const char* extensions[] = {"xml", "jpg", "png", "eml", "svg", "pdf"};
    const std::string target = TargetPath(answer->path, extensions[int(format)]);
    // The e-mail message is always the whole canvas.
    const bool onlySelected = answer->onlySelected && format != ExportFormat::Email;
    const CanvasValues values{canvas.width, canvas.height, canvas.color};

    if (onlySelected && !selection) {
        host.ShowMessage({"Nothing is selected: " + target + " was not written", MessageIcon::Warning,
                          MessageButtons::Ok});
        return;
    }
    if (format != ExportFormat::Drawing && (canvas.width <= 0 || canvas.height <= 0)) {
        ShowFileError(target, "the drawing has no canvas to export");
        return;
    }
    if (onlySelected && format != ExportFormat::Drawing) {
        // A picture of the part of the canvas that the selection covers.
        const RectF b = selection->Bounds(ModeCommit);
        if (b.Right() <= 0 || b.Bottom() <= 0 || b.x >= float(canvas.width) || b.y >= float(canvas.height)) {
            host.ShowMessage({"The selection lies outside the canvas: " + target + " was not written",
                              MessageIcon::Warning, MessageButtons::Ok});
            return;
        }
    }

    // Cancelling stops the work before the target is touched. Only the
    // picture encoder, which cannot be stopped, runs on without asking.
    HostProgress progress(host, "Exporting " + QFileInfo(QString::fromStdString(target)).fileName().toStdString());
    std::string why;
    bool written = false;
    switch (format) {
    case ExportFormat::Drawing: {
        FileWriteResult result;
        if (onlySelected) {
            std::vector<DrawItem*> units;
            SelectionUnits(units);
            result = WriteSelectionFile(target, doc, units, selection->Bounds(ModeCommit), progress.Callback());
        } else {
            result = WriteDrawingFile(target, doc, values, progress.Callback());
        }
        written = result.ok;
        why = result.errorMessage;
        break;
    }
    case ExportFormat::Email:
        written = ExportEmail(doc, values, target, &why, progress.Callback());
        break;
    case ExportFormat::Jpeg:
    case ExportFormat::Png: {
        QImage image = RenderExportImage(doc, values, onlySelected ? selection : nullptr, progress.Callback());
        if (progress.Cancelled())
            break;
        if (image.isNull()) {
            why = "the picture is too large to make";
            break;
        }
        written = SaveImage(std::move(image), target, format == ExportFormat::Jpeg ? "image/jpeg" : "image/png", &why);
        break;
    }
    case ExportFormat::Svg:
        written = ExportSvg(doc, values, onlySelected ? selection : nullptr, target, &why);
        break;
    case ExportFormat::Pdf:
        written = ExportPdf(doc, values, onlySelected ? selection : nullptr, target, &why);
        break;
    }
    progress.End();
    if (!written && !progress.Cancelled())
        ShowFileError(target, why);
}
