#include "app/command_line.h"

#include "app/actions_runner.h"

#include "document/drawing_file.h"
#include "document/korvani_doc.h"
#include "export/chunked_painter.h"
#include "export/email_export.h"
#include "export/image_export.h"
#include "export/pdf_export.h"
#include "export/svg_export.h"
#include "items/draw_item.h"

#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <utility>
#include <vector>

CommandLine ParseCommandLine(const QStringList& arguments)
{
    CommandLine command;
    auto invalid = [&command](std::string why) {
        command.mode = CommandLine::Mode::Invalid;
        command.error = std::move(why);
        return command;
    };
    bool exporting = false, acting = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            command.mode = CommandLine::Mode::Help;
            return command;
        }
        if (a == QLatin1String("--export")) {
            if (i + 1 >= arguments.size())
                return invalid("--export needs the file to write");
            if (exporting)
                return invalid("--export given twice");
            exporting = true;
            command.output = arguments[++i].toStdString();
        } else if (a == QLatin1String("--actions")) {
            if (i + 1 >= arguments.size())
                return invalid("--actions needs the script to run");
            if (acting)
                return invalid("--actions given twice");
            acting = true;
            command.script = arguments[++i].toStdString();
        } else if (a.startsWith(QLatin1String("--"))) {
            return invalid("unknown option " + a.toStdString());
        } else if (command.input.empty()) {
            command.input = a.toStdString();
        } else {
            return invalid("more than one drawing named: " + a.toStdString());
        }
    }
    if (acting) {
        command.mode = CommandLine::Mode::Actions;
    } else if (exporting) {
        command.mode = CommandLine::Mode::Export;
        if (command.input.empty())
            return invalid("--export needs a drawing to read");
    }
    return command;
}

bool RunsHeadless(const CommandLine& command)
{
    return command.mode != CommandLine::Mode::Window;
}

std::string HelpText()
{
    return "Usage: korvani [drawing.xml]\n"
           "       korvani --export OUT IN.xml\n"
           "       korvani --actions SCRIPT [IN.xml] [--export OUT]\n"
           "\n"
           "Without options, starts the editor and opens the drawing, if one is named.\n"
           "\n"
           "Options:\n"
           "  --export OUT      load IN.xml and write OUT without opening a window; the format\n"
           "                    follows OUT's extension: .xml (the drawing file), .png, .jpg or\n"
           "                    .jpeg (the whole canvas, one pixel per canvas unit), .eml (an\n"
           "                    HTML e-mail: the canvas as a picture, the texts as text), .svg\n"
           "                    (SVG 1.1, texts as text) or .pdf (one page of the canvas size,\n"
           "                    one point per canvas unit)\n"
           "  --actions SCRIPT  open IN.xml, if named, in the editing view without a window\n"
           "                    (a client of 1280 x 800 pixels) and run the actions of SCRIPT,\n"
           "                    one a line: tool, command, press, move, release, dblclick,\n"
           "                    key, zoom, answer, save, export, expect-message (README.md\n"
           "                    describes them); with --export, write OUT afterwards\n"
           "  -h, --help        show this help\n";
}

namespace {

// Holds the items of a read for as long as the document shows them.
class LoadedDrawing
{
public:
    explicit LoadedDrawing(CKorvaniDoc& doc) : doc(doc) {}
    ~LoadedDrawing() { Release(); }
    void Release()
    {
        doc.Items().RemoveAll();
        ReleaseReadItems(read.items);
    }
    ReadItemsResult read;

private:
    CKorvaniDoc& doc;
};

QString Suffix(const std::string& output)
{
    return QFileInfo(QString::fromStdString(output)).suffix().toLower();
}

// The image type of an export target, nullptr for the drawing file, the
// e-mail message, SVG and PDF; false for an unknown extension.
bool ExportType(const std::string& output, const char*& mime, std::string& error)
{
    const QString suffix = Suffix(output);
    mime = suffix == QLatin1String("png") ? "image/png"
        : (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) ? "image/jpeg"
        : nullptr;
    static const char* const others[] = {"xml", "eml", "svg", "pdf"};
    const bool known = std::any_of(std::begin(others), std::end(others),
                                   [&suffix](const char* other) { return suffix == QLatin1String(other); });
    if (!mime && !known) {
        error = output + ": unknown file type (use .xml, .png, .jpg, .jpeg, .eml, .svg or .pdf)";
        return false;
    }
    return true;
}

// Saves a picture of the canvas as mime to output.
int SavePicture(QImage image, const std::string& output, const char* mime, std::string& error)
{
    if (image.isNull()) {
        error = output + ": the picture is too large to make";
        return 1;
    }
    std::string why;
    if (!SaveImage(std::move(image), output, mime, &why)) {
        error = output + ": " + why;
        return 1;
    }
    return 0;
}

} // namespace

int ExportDocument(const CKorvaniDoc& doc, const CanvasValues& canvas, const std::string& output, std::string& error)
{
    const char* mime = nullptr;
    if (!ExportType(output, mime, error))
        return 1;
    const QString suffix = Suffix(output);
    if (!mime && suffix == QLatin1String("xml")) {
        const FileWriteResult written = WriteDrawingFile(output, doc, canvas);
        if (!written.ok) {
            error = written.errorMessage;
            return 1;
        }
        return 0;
    }
    if (canvas.width <= 0 || canvas.height <= 0) {
        error = output + ": the drawing has no canvas to export";
        return 1;
    }
    if (suffix == QLatin1String("svg"))
        return ExportSvg(doc, canvas, nullptr, output, &error) ? 0 : 1;
    if (suffix == QLatin1String("pdf"))
        return ExportPdf(doc, canvas, nullptr, output, &error) ? 0 : 1;
    if (!mime)
        return ExportEmail(doc, canvas, output, &error) ? 0 : 1;
    return SavePicture(RenderExportImage(doc, canvas, nullptr), output, mime, error);
}

int ExportDrawing(const std::string& input, const std::string& output, std::string& error)
{
    // An unknown target type is refused before anything is read.
    const char* mime = nullptr;
    if (!ExportType(output, mime, error))
        return 1;

    CKorvaniDoc doc;
    LoadedDrawing drawing(doc);
    drawing.read = ReadItemsFile(doc, {0, 0}, {0, 0}, input, 0);
    if (!drawing.read.opened) {
        error = drawing.read.errorMessage;
        return 1;
    }
    if (!drawing.read.parsed) {
        error = input + ": not a drawing file (" + drawing.read.errorMessage + ")";
        return 1;
    }
    for (DrawItem* item : drawing.read.items)
        doc.AddItem(item);

    const CanvasValues canvas{doc.GetCanvasWidth(), doc.GetCanvasHeight(), 0xFF000000u | doc.GetCanvasColor()};
    if (!mime) // the drawing file, e-mail, SVG and PDF need the whole drawing
        return ExportDocument(doc, canvas, output, error);
    if (canvas.width <= 0 || canvas.height <= 0) {
        error = input + ": the drawing has no canvas to export";
        return 1;
    }
    // Each item goes as soon as it is drawn: a large drawing's outlines are
    // never all held at once.
    QImage image = BackgroundImage(ExportRect(canvas, nullptr), canvas.color);
    std::vector<DrawItem*> items;
    items.swap(drawing.read.items);
    drawing.Release();
    std::vector<char> shows;
    MarkShownItems(items, image, {0, 0}, shows);
    {
        ChunkedPainter painter(image, {0, 0});
        for (std::size_t i = 0; i < items.size(); ++i) {
            DrawItem*& item = items[i];
            if (shows[i])
                painter.Draw(*item);
            std::vector<DrawItem*> one{std::exchange(item, nullptr)};
            ReleaseReadItems(one);
        }
    }
    return SavePicture(std::move(image), output, mime, error);
}

int RunHeadless(const CommandLine& command)
{
    switch (command.mode) {
    case CommandLine::Mode::Help:
        std::fputs(HelpText().c_str(), stdout);
        return 0;
    case CommandLine::Mode::Invalid:
        std::fprintf(stderr, "korvani: %s (see korvani --help)\n", command.error.c_str());
        return 1;
    case CommandLine::Mode::Export: {
        std::string error;
        const int status = ExportDrawing(command.input, command.output, error);
        if (status != 0)
            std::fprintf(stderr, "korvani: %s\n", error.c_str());
        return status;
    }
    case CommandLine::Mode::Actions: {
        std::string error;
        const int status = RunActionsFile(command.script, command.input, command.output, error);
        if (status != 0)
            std::fprintf(stderr, "korvani: %s\n", error.c_str());
        return status;
    }
    case CommandLine::Mode::Window:
        break;
    }
    return 1;
}
