// SVG and PDF exports drawn by other programs (rsvg-convert, pdftoppm) must
// look like our own picture of the same drawing.

#include "document/drawing_file.h"
#include "document/korvani_doc.h"
#include "export/image_export.h"
#include "export/pdf_export.h"
#include "export/svg_export.h"
#include "support/file_bytes.h"
#include "support/pixel_difference.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Tool
{
    int status = -1;
    QByteArray out;
};

Tool RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    Tool run;
    if (!process.waitForFinished(300000)) {
        ADD_FAILURE() << program.toStdString() << " did not run: " << process.errorString().toStdString();
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput() + process.readAllStandardError();
    return run;
}

class Drawing
{
public:
    explicit Drawing(const std::string& path) : read(ReadItemsFile(doc, {0, 0}, {0, 0}, path, 0))
    {
        for (DrawItem* item : read.items)
            doc.AddItem(item);
        canvas = {doc.GetCanvasWidth(), doc.GetCanvasHeight(), 0xFF000000u | doc.GetCanvasColor()};
    }
    ~Drawing()
    {
        doc.Items().RemoveAll();
        ReleaseReadItems(read.items);
    }

    CKorvaniDoc doc;
    ReadItemsResult read;
    CanvasValues canvas;
};

class SvgPdfExportTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    std::string Path(const QString& name) const { return dir.filePath(name).toStdString(); }

    // How far another program's picture of `file` lies from ours, in per cent of full scale.
    double PercentOff(const QImage& ours, const QString& png)
    {
        const QImage theirs = QImage(png).convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(theirs.size(), ours.size()) << png.toStdString();
        if (theirs.size() != ours.size())
            return 100;
        return ComparePixels(ours, theirs).mean * 100 / 255;
    }

    QTemporaryDir dir;
};

TEST_F(SvgPdfExportTest, OtherProgramsDrawOurSvgAndPdfAsWeDoAndTheBytesRepeat)
{
    // The goldens with a canvas, one drawing of what they lack (texts,
    // gradients of several stops in both wrap modes, dashes, a turned
    // picture, a group, a hidden item) and the 10,000-item scene.
    const std::string scene = Path("scene.xml");
    const QStringList generate{KORVANI_SCENE_SCRIPT, "10000", "--korvani", QString::fromStdString(scene)};
    ASSERT_EQ(RunTool("python3", generate).status, 0);
    const std::string data = KORVANI_TEST_DATA_DIR "/";
    for (const std::string& source :
         {data + "drawing_canvas.xml", data + "group_without_geometry.xml", data + "red_box.xml",
          data + "red_picture.xml", data + "two_boxes.xml", data + "svg_features.xml", scene}) {
        SCOPED_TRACE(source);
        Drawing drawing(source);
        ASSERT_TRUE(drawing.read.parsed);
        const QImage ours =
            RenderExportImage(drawing.doc, drawing.canvas, nullptr).convertToFormat(QImage::Format_ARGB32);

        const QString svg = dir.filePath("out.svg"), pdf = dir.filePath("out.pdf");
        std::string error;
        ASSERT_TRUE(ExportSvg(drawing.doc, drawing.canvas, nullptr, svg.toStdString(), &error)) << error;
        const Tool lint = RunTool("xmllint", {"--noout", svg});
        EXPECT_EQ(lint.status, 0) << lint.out.toStdString();
        ASSERT_EQ(RunTool("rsvg-convert", {svg, "-o", dir.filePath("svg.png")}).status, 0);
        EXPECT_LE(PercentOff(ours, dir.filePath("svg.png")), 2.0);

        ASSERT_TRUE(ExportPdf(drawing.doc, drawing.canvas, nullptr, pdf.toStdString(), &error)) << error;
        ASSERT_EQ(RunTool("pdftoppm", {"-png", "-r", "72", "-singlefile", pdf, dir.filePath("pdf")}).status, 0);
        EXPECT_LE(PercentOff(ours, dir.filePath("pdf.png")), 2.0);

        const std::string firstSvg = FileBytes(svg.toStdString()), firstPdf = FileBytes(pdf.toStdString());
        ASSERT_TRUE(ExportSvg(drawing.doc, drawing.canvas, nullptr, svg.toStdString(), &error));
        ASSERT_TRUE(ExportPdf(drawing.doc, drawing.canvas, nullptr, pdf.toStdString(), &error));
        EXPECT_TRUE(FileBytes(svg.toStdString()) == firstSvg) << "the same drawing gives the same SVG";
        EXPECT_TRUE(FileBytes(pdf.toStdString()) == firstPdf) << "the same drawing gives the same PDF";
        if (source.ends_with("svg_features.xml")) {
            EXPECT_NE(firstSvg.find("<tspan"), std::string::npos) << "texts stay text";
            const Tool fonts = RunTool("pdffonts", {pdf});
            EXPECT_TRUE(fonts.out.contains("LiberationSans")) << fonts.out.toStdString();
        }
    }
}

TEST_F(SvgPdfExportTest, AFileThatCannotBeWrittenIsNamedWithTheReasonAndNothingIsLeft)
{
    Drawing drawing(KORVANI_TEST_DATA_DIR "/two_boxes.xml");
    for (const auto write : {&ExportSvg, &ExportPdf}) {
        const std::string target = Path("no/such/folder/out.x");
        std::string error;
        EXPECT_FALSE(write(drawing.doc, drawing.canvas, nullptr, target, &error));
        EXPECT_EQ(error.rfind(target + ": ", 0), 0u) << error;
        EXPECT_GT(error.size(), target.size() + 2) << error;
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

} // namespace
