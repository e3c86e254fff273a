// The Export command: the drawing, or only its selection, as a drawing file,
// a JPEG or PNG picture, an HTML e-mail message, an SVG or a PDF file.

#include "view/korvani_view.h"

#include "document/drawing_file.h"
#include "document/korvani_doc.h"
#include "export/email_export.h"
#include "export/image_export.h"
#include "export/pdf_export.h"
#include "export/svg_export.h"
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
    if (format == ExportFormat::Drawing) {
        FileWriteResult written;
        if (onlySelected) {
            std::vector<DrawItem*> units;
            SelectionUnits(units);
            written = WriteSelectionFile(target, doc, units, selection->Bounds(ModeCommit));
        } else {
            written = WriteDrawingFile(target, doc, values);
        }
        if (!written.ok)
            ShowFileError(target, written.errorMessage);
        return;
    }
    if (canvas.width <= 0 || canvas.height <= 0) {
        ShowFileError(target, "the drawing has no canvas to export");
        return;
    }
    if (format == ExportFormat::Email) {
        std::string why;
        if (!ExportEmail(doc, values, target, &why))
            ShowFileError(target, why);
        return;
    }
    if (onlySelected) {
        // A picture of the part of the canvas that the selection covers.
        const RectF b = selection->Bounds(ModeCommit);
        if (b.Right() <= 0 || b.Bottom() <= 0 || b.x >= float(canvas.width) || b.y >= float(canvas.height)) {
            host.ShowMessage({"The selection lies outside the canvas: " + target + " was not written",
                              MessageIcon::Warning, MessageButtons::Ok});
            return;
        }
    }
    if (format == ExportFormat::Svg || format == ExportFormat::Pdf) {
        std::string why;
        DrawItem* only = onlySelected ? selection : nullptr;
        if (!(format == ExportFormat::Svg ? ExportSvg(doc, values, only, target, &why)
                                          : ExportPdf(doc, values, only, target, &why)))
            ShowFileError(target, why);
        return;
    }
    QImage picture = RenderExportImage(doc, values, onlySelected ? selection : nullptr);
    if (picture.isNull()) {
        ShowFileError(target, "the picture is too large to make");
        return;
    }
    std::string why;
    if (!SaveImage(std::move(picture), target, format == ExportFormat::Jpeg ? "image/jpeg" : "image/png", &why))
        ShowFileError(target, why);
}
