#include "app/command_line.h"
#include "korvani_process.h"
#include "support/file_bytes.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A drawing as Korvani writes it: a 400 x 300 white canvas with a yellow box
// from (20, 10) to (80, 40) and a blue one from (100, 40) to (160, 80).
class CommandLineTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QTemporaryDir dir;
    const QString input = QString::fromUtf8(KORVANI_TEST_DATA_DIR "/two_boxes.xml");
};

TEST_F(CommandLineTest, ExportsPngAndJpegOfTheWholeCanvas)
{
    const QString png = dir.filePath("out.png");
    ProcessResult run = RunKorvani({"--export", png, input});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    const QImage picture(png);
    ASSERT_EQ(picture.size(), QSize(400, 300));
    EXPECT_EQ(picture.pixel(399, 299), 0xFFFFFFFFu);
    EXPECT_EQ(picture.pixel(50, 25), 0xFFFFFF00u);

    const QString jpeg = dir.filePath("out.JPEG");
    run = RunKorvani({"--export", jpeg, input});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QImage photo(jpeg, "jpeg");
    ASSERT_EQ(photo.size(), QSize(400, 300));
    EXPECT_NEAR(qBlue(photo.pixel(50, 25)), 0, 8);

    // The e-mail message carries the canvas as its picture, CR LF throughout.
    const QString mail = dir.filePath("out.EML");
    run = RunKorvani({"--export", mail, input});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QByteArray bytes = QByteArray::fromStdString(FileBytes(mail));
    EXPECT_TRUE(bytes.contains("width:400; height:300;"));
    EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n"));

    // SVG and PDF by their extensions, in any case.
    for (const char* name : {"out.SVG", "out.pdf"}) {
        run = RunKorvani({"--export", dir.filePath(name), input});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const std::string written = FileBytes(dir.filePath(name).toStdString());
        EXPECT_TRUE(written.starts_with("%PDF") || written.find("width=\"400\" height=\"300\"") != std::string::npos)
            << name;
    }
}

TEST_F(CommandLineTest, ExportsTheDrawingFileAgainByteForByte)
{
    const QString copy = dir.filePath("copy.xml");
    const ProcessResult run = RunKorvani({"--export", copy, input});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(FileBytes(copy), FileBytes(input));
}

TEST_F(CommandLineTest, FailuresSayWhyInOneLineAndWriteNothingAndHelpListsTheOptions)
{
    const QString out = dir.filePath("never.png");
    ProcessResult run = RunKorvani({"--export", out, dir.filePath("missing.xml")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("missing.xml")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));

    run = RunKorvani({"--export", dir.filePath("out.gif"), input});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("out.gif")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(".svg or .pdf")) << run.err.toStdString();

    for (const char* name : {"no/such/folder/out.png", "no/such/folder/out.svg", "no/such/folder/out.pdf"}) {
        run = RunKorvani({"--export", dir.filePath(name), input});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(name)) << run.err.toStdString();
    }
    EXPECT_EQ(RunKorvani({"--bogus"}).status, 1);

    run = RunKorvani({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.contains("--export"));
}

TEST(CommandLineParseTest, ReadsModesAndFiles)
{
    CommandLine c = ParseCommandLine({"a.xml"});
    EXPECT_EQ(c.mode, CommandLine::Mode::Window);
    EXPECT_EQ(c.input, "a.xml");
    EXPECT_FALSE(RunsHeadless(c));

    c = ParseCommandLine({"--export", "out.png", "--actions", "s.txt", "in.xml"});
    EXPECT_EQ(c.mode, CommandLine::Mode::Actions);
    EXPECT_EQ(c.output, "out.png");
    EXPECT_EQ(c.input, "in.xml");
    EXPECT_TRUE(RunsHeadless(c));
    EXPECT_EQ(ParseCommandLine({"--actions", "s.txt"}).mode, CommandLine::Mode::Actions); // no drawing needed

    for (const QStringList& wrong : {QStringList{"--export", "out.png"}, QStringList{"a.xml", "b.xml"},
                                     QStringList{"--actions"}, QStringList{"--actions", "a", "--actions", "b"}})
        EXPECT_EQ(ParseCommandLine(wrong).mode, CommandLine::Mode::Invalid) << wrong.join(' ').toStdString();
}

} // namespace
