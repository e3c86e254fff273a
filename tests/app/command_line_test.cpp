#include "app/command_line.h"
#include "korvani_process.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A small drawing as Korvani writes it: a 120 x 80 canvas of colour
// 001-020-255 holding one red rectangle from (20, 10) to (60, 50).
const char* const Drawing =
    "<plimsa version=\"2.0.0.1\" type=\"canvas\" width=\"120\" height=\"80\" color=\"001-020-255\">\r\n"
    "\t<item type=\"104\"  309=\"255-000-000-000\"  310=\"1.0000\"  312=\"255-255-000-000\"  329=\"0\"  330=\"0\"  331=\"40.00|30.00\"  matrix=\"1.00,0.00,0.00,1.00,0.00,0.00\">\r\n"
    "\t\t<point x=\"20.00\" y=\"10.00\" lx=\"20.00\" ly=\"10.00\" rx=\"20.00\" ry=\"10.00\" type=\"2\" close=\"0\" break=\"0\"></point>\r\n"
    "\t\t<point x=\"60.00\" y=\"50.00\" lx=\"60.00\" ly=\"50.00\" rx=\"60.00\" ry=\"50.00\" type=\"2\" close=\"0\" break=\"0\"></point>\r\n"
    "\t</item>\r\n"
    "</plimsa>\r\n";

class CommandLineTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        input = dir.filePath("drawing.xml");
        QFile file(input);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Drawing);
    }


    QTemporaryDir dir;
    QString input;
};

TEST_F(CommandLineTest, ExportsPngAndJpegOfTheWholeCanvas)
{
    const QString png = dir.filePath("out.png");
    ProcessResult run = RunKorvani({"--export", png, input});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    const QImage picture(png);
    ASSERT_EQ(picture.size(), QSize(120, 80));
    EXPECT_EQ(picture.pixel(119, 79), 0xFF0114FFu);
    EXPECT_EQ(picture.pixel(40, 30), 0xFFFF0000u);

    const QString jpeg = dir.filePath("out.JPEG");
    run = RunKorvani({"--export", jpeg, input});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QImage photo(jpeg, "jpeg");
    ASSERT_EQ(photo.size(), QSize(120, 80));
    EXPECT_NEAR(qRed(photo.pixel(40, 30)), 255, 8);

    // The e-mail message carries the canvas as its picture, CR LF throughout.
    const QString mail = dir.filePath("out.EML");
    run = RunKorvani({"--export", mail, input});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QFile message(mail);
    ASSERT_TRUE(message.open(QIODevice::ReadOnly));
    const QByteArray bytes = message.readAll();
    EXPECT_TRUE(bytes.contains("width:120; height:80;"));
    EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n"));
}

TEST_F(CommandLineTest, ExportsTheDrawingFileAgainByteForByte)
{
    const QString copy = dir.filePath("copy.xml");
    const ProcessResult run = RunKorvani({"--export", copy, input});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QFile file(copy);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), std::string(Drawing));
}

TEST_F(CommandLineTest, FailuresSayWhyInOneLineAndWriteNothing)
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

    run = RunKorvani({"--export", dir.filePath("no/such/folder/out.png"), input});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
}

TEST_F(CommandLineTest, HelpListsTheOptions)
{
    const ProcessResult run = RunKorvani({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.contains("--export"));
    EXPECT_EQ(RunKorvani({"--bogus"}).status, 1);
}

TEST(CommandLineParseTest, ReadsModesAndFiles)
{
    CommandLine c = ParseCommandLine({"a.xml"});
    EXPECT_EQ(c.mode, CommandLine::Mode::Window);
    EXPECT_EQ(c.input, "a.xml");
    EXPECT_FALSE(RunsHeadless(c));

    c = ParseCommandLine({"--export", "out.png", "in.xml"});
    EXPECT_EQ(c.output, "out.png");
    EXPECT_TRUE(RunsHeadless(c));

    EXPECT_EQ(ParseCommandLine({"--export", "out.png"}).mode, CommandLine::Mode::Invalid);
    EXPECT_EQ(ParseCommandLine({"a.xml", "b.xml"}).mode, CommandLine::Mode::Invalid);
}

} // namespace
