#include "app/actions_runner.h"
#include "app/command_line.h"
#include "korvani_process.h"
#include "document/drawing_file.h"
#include "document/korvani_doc.h"
#include "view/korvani_view.h"
#include "view/view_codes.h"

#include "support/file_bytes.h"
#include "support/geometry_expect.h"
#include "support/scripted_host.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// The boxes of a saved drawing, in file order, read back by the program's own reader.
std::vector<RectF> SavedBoxes(const QString& path)
{
    CKorvaniDoc doc;
    ReadItemsResult read = ReadItemsFile(doc, {}, {}, path.toStdString(), 0);
    EXPECT_TRUE(read.parsed) << path.toStdString();
    std::vector<RectF> boxes;
    for (DrawItem* item : read.items)
        boxes.push_back(item->Bounds());
    ReleaseReadItems(read.items);
    return boxes;
}

class ActionsRunnerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // A 400 x 300 white canvas with two rectangles without outline: a yellow one
        // from (20, 10) to (80, 40), and a blue one from (100, 40) to (160, 80).
        input = QString::fromUtf8(KORVANI_TEST_DATA_DIR "/two_boxes.xml");
    }

    QString Write(const QString& name, const QByteArray& text)
    {
        WriteFileBytes(dir.filePath(name).toStdString(), text.toStdString());
        return dir.filePath(name);
    }

    int Run(const std::string& script, std::string& error, const QString& output = {})
    {
        return RunActions("script.txt", script, input.toStdString(), output.toStdString(), error);
    }

    QTemporaryDir dir;
    QString input;
};

TEST_F(ActionsRunnerTest, KeysAndDoubleClicksReachTheView)
{
    const QString saved = dir.filePath("keys.xml");
    std::string error;
    // Ctrl+Right moves 10 units, Right one; Ctrl+Z takes the last step back;
    // a plain Z is the zoom-in tool, so nothing else changes. Then the blue
    // box's outline gradient runs through its middle; two units below it its
    // fill shows, and a double click there takes that colour as a stop.
    ASSERT_EQ(Run("press 130 60\nrelease 130 60\n"
                  "key Right ctrl\nkey right\nkey z ctrl\nkey Z\n"
                  "tool GradientLine\ndblclick 130 62\nsave " + saved.toStdString() + "\n",
                  error),
              0)
        << error;
    CKorvaniDoc doc;
    ReadItemsResult read = ReadItemsFile(doc, {}, {}, saved.toStdString(), 0);
    ASSERT_EQ(read.items.size(), 2u);
    const RectF box = read.items[1]->Bounds();
    const GradientRamp ramp = read.items[1]->LineRamp();
    ReleaseReadItems(read.items);
    ExpectRectNear(box, {110, 40, 60, 40}, 0.05f);
    ASSERT_EQ(ramp.colors.size(), 3u);
    EXPECT_EQ(ramp.colors[2], 0xFF0000FFu);
}

TEST_F(ActionsRunnerTest, DrawEditUndoAllAndRedoAllByteForByte)
{
    const QString empty = dir.filePath("empty.xml"), full = dir.filePath("full.xml");
    const QString undone = dir.filePath("undone.xml"), redone = dir.filePath("redone.xml");
    std::string steps, redo;
    for (int i = 0; i < 40; ++i)
        steps += "command undo\n", redo += "command redo\n";
    // Every kind drawn with the mouse, a curve closed on its start and a node
    // of it dragged, two shapes grouped, a line and a doodle combined and
    // broken apart again, and a last curve left open when the drawing is saved.
    const std::string script =
        "answer new 400 300 ffffff\ncommand new_drawing\nsave " + empty.toStdString() + "\n"
        "tool line\npress 200 100\nmove 250 120\nrelease 250 120\n"
        "tool rectangle\npress 200 150\nmove 260 190\nrelease 260 190\n"
        "tool ellipse\npress 280 150\nmove 330 190\nrelease 330 190\n"
        "tool doodle\npress 200 200\nmove 220 210\nmove 240 230\nrelease 240 230\n"
        "answer text Hi there\ntool text\npress 50 200\nrelease 50 200\n"
        "tool bezier\npress 300 200\nrelease 300 200\npress 350 220\nmove 370 240\nrelease 370 240\n"
        "press 320 260\nrelease 320 260\npress 300 200\nrelease 300 200\n"
        "tool edit\npress 350 220\nrelease 350 220\npress 350 220\nmove 360 230\nrelease 360 230\n"
        "tool select\npress 190 140\nmove 340 195\nrelease 340 195\n"
        "expect-command group enabled\ncommand group\n"
        "press 225 110\nrelease 225 110\npress 220 210 shift\nrelease 220 210 shift\n"
        "expect-command combine enabled\ncommand combine\n"
        "expect-command break_combine enabled\ncommand break_combine\n"
        "tool bezier\npress 100 250\nrelease 100 250\npress 150 260\nrelease 150 260\n"
        "save " + full.toStdString() + "\n" + steps + "save " + undone.toStdString() + "\n" + redo +
        "save " + redone.toStdString() + "\n";
    std::string error;
    ASSERT_EQ(Run(script, error), 0) << error;
    EXPECT_EQ(SavedBoxes(full).size(), 6u);
    EXPECT_EQ(FileBytes(undone), FileBytes(empty));
    EXPECT_EQ(FileBytes(redone), FileBytes(full));
}

TEST_F(ActionsRunnerTest, SettersReachTheSelectionAndCommandChecksStopTheRun)
{
    const QString saved = dir.filePath("set.xml");
    std::string error;
    ASSERT_EQ(Run("expect-command group disabled\n"
                  "expect-command ID_TOOL_SELECT enabled checked\n"
                  "press 130 60\nrelease 130 60\n"
                  "expect-command delete enabled\n"
                  "set x 200\nset width 30\nset name Blue box\n"
                  "save " + saved.toStdString() + "\n",
                  error),
              0)
        << error;
    const std::vector<RectF> boxes = SavedBoxes(saved);
    ASSERT_EQ(boxes.size(), 2u);
    // A scale gives the outline its smallest width, 0.2.
    ExpectRectNear(boxes[1], {199.9f, 39.9f, 30.2f, 40.2f}, 0.05f);

    EXPECT_EQ(Run("tool line\nexpect-command ID_TOOL_SELECT enabled checked\n", error), 1);
    EXPECT_NE(error.find("script.txt:2: ID_TOOL_SELECT is enabled and unchecked"), std::string::npos) << error;
}

TEST_F(ActionsRunnerTest, MessagesNeedAnAnswerOrAnExpectation)
{
    // 110 is no tool: the view says so in a box.
    const struct
    {
        const char* script;
        int status;
        const char* said; // the start of the error, or a text in it
    } cases[] = {
        {"tool select\n\ntool 110\n", 1, "script.txt:3: "}, // nobody answers
        {"expect-message Unsupport tool\ntool 110\nanswer message ok\ncommand 222\n", 0, ""},
        {"expect-message Unsupport command\ntool 110\n", 1, "script.txt:2: "}, // the wrong text
        {"tool line\nanswer message ok\ntool select\n", 1, "script.txt:2: "},  // an answer nobody asks for
        {"answer message yes\ncommand 222\n", 1, ""},                           // a box offering only OK
        {"command ID_APP_ABOUT\n", 1, "ID_APP_ABOUT"}, // not the view's to carry out
        {"tool select\ncommand ID_EXPORT\n", 1, "script.txt:2: the export dialog"},
        {"expect-message Upload not available for client version\ncommand ID_UPLOAD_TEMPLATE\n", 0, ""},
        {"answer progress cancel-after 2\ntool select\n", 1, "script.txt:1: "}, // no long work to cancel
        {"answer progress 2\n", 1, "script.txt:1: answer progress needs cancel-after"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_EQ(Run(c.script, error), c.status) << c.script << error;
        EXPECT_NE(error.find(c.said), std::string::npos) << c.script << error;
    }
    // A save cancelled at once writes nothing.
    const QString kept = dir.filePath("kept.xml");
    std::string error;
    EXPECT_EQ(Run("answer progress cancel-after 0\nsave " + kept.toStdString() + "\n", error), 0) << error;
    EXPECT_FALSE(QFile::exists(kept));
}

TEST_F(ActionsRunnerTest, TheBinaryNamesTheFailingLineOrExportsWhatTheScriptLeft)
{
    const QString bad = Write("bad.txt", "tool select\n# fine so far\njump 10 20\n");
    ProcessResult run = RunKorvani({"--actions", bad, input});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.startsWith(("korvani: " + bad + ":3: ").toUtf8())) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("jump")) << run.err.toStdString();

    run = RunKorvani({"--actions", bad, dir.filePath("nothing.xml")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("nothing.xml")) << run.err.toStdString();

    // The blue box dragged by (100, 100) in pixel coordinates: canvas = client - 440, 250 at 100%.
    const QString script = Write("drag.txt", "press 570px 310px\nmove 620px 360px\nmove 670px 410px\nrelease 670px 410px\n"
                                             "export " + dir.filePath("inside.png").toUtf8() + "\n");
    const QString png = dir.filePath("after.png");
    run = RunKorvani({"--actions", script, input, "--export", png});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    // The Export command with its dialog answered: the selected box alone, with its margin.
    const QString part = dir.filePath("part.png");
    const QString selected = Write("part.txt", "press 130 60\nrelease 130 60\nanswer export " + part.toUtf8() +
                                                   " 2 only-selected\ncommand ID_EXPORT\n");
    ASSERT_EQ(RunKorvani({"--actions", selected, input}).status, 0);
    EXPECT_EQ(QImage(part).size(), QSize(62, 42));
    for (const QString& path : {png, dir.filePath("inside.png")}) {
        const QImage picture(path);
        ASSERT_EQ(picture.size(), QSize(400, 300)) << path.toStdString();
        EXPECT_EQ(picture.pixel(130, 60), 0xFFFFFFFFu) << "the old place is bare";
        EXPECT_EQ(picture.pixel(230, 160), 0xFF0000FFu) << "the box is at its new place";
    }
}

TEST(ActionScriptParseTest, ReadsNamesCodesAndCoordinates)
{
    std::optional<ScriptAction> a;
    std::string error;
    const auto parse = [&](const char* line) {
        error.clear();
        const bool ok = ParseScriptLine(line, a, error);
        return ok && a.has_value();
    };

    ASSERT_TRUE(parse("  TOOL   GradientFill  "));
    EXPECT_EQ(a->kind, ScriptAction::Kind::Tool);
    EXPECT_EQ(a->value, ToolValue(ToolKind::GradientFill));
    for (const char* line : {"command group", "command id_Group", "command 32790"}) {
        ASSERT_TRUE(parse(line)) << line << ": " << error;
        EXPECT_TRUE(a->isCommandId) << line;
        EXPECT_EQ(a->value, ID_GROUP) << line;
    }
    ASSERT_TRUE(parse("command 209"));
    EXPECT_FALSE(a->isCommandId);
    EXPECT_EQ(a->value, CommandGroup);
    ASSERT_TRUE(parse("press 12.5 -3 shift ctrl"));
    EXPECT_DOUBLE_EQ(a->point.y, -3);
    EXPECT_FALSE(a->point.pixels);
    EXPECT_EQ(a->modifiers, Qt::ShiftModifier | Qt::ControlModifier);
    ASSERT_TRUE(parse("release 40px 47PX"));
    EXPECT_TRUE(a->point.pixels);
    ASSERT_TRUE(parse("answer text Hello   there"));
    EXPECT_EQ(a->text, std::optional<std::string>("Hello   there"));
    ASSERT_TRUE(parse("answer text"));
    EXPECT_FALSE(a->text.has_value()) << "no words: the user cancels";
    ASSERT_TRUE(parse("answer file /tmp/my drawing.xml 2"));
    EXPECT_EQ(a->file->path, "/tmp/my drawing.xml");
    ASSERT_TRUE(parse("answer export /tmp/my picture 1 Only-Selected"));
    EXPECT_EQ(a->exportFile->path, "/tmp/my picture");
    EXPECT_EQ(a->exportFile->filterIndex, 1);
    EXPECT_TRUE(a->exportFile->onlySelected);
    ASSERT_TRUE(parse("answer export"));
    EXPECT_FALSE(a->exportFile.has_value()) << "no words: the user cancels";
    ASSERT_TRUE(parse("answer template 4 255 525 a0b1c2"));
    EXPECT_EQ(a->canvas->color, 0xA0B1C2u);
    ASSERT_TRUE(parse("set Font-Name  Liberation Sans"));
    EXPECT_EQ(a->setting, ScriptSetting::FontName);
    EXPECT_EQ(a->text, std::optional<std::string>("Liberation Sans"));
    ASSERT_TRUE(parse("expect-command 32790 disabled unchecked"));
    EXPECT_EQ(a->value, ID_GROUP);
    EXPECT_EQ(a->checked, std::optional<bool>(false));
    // Pixels both or neither, and whole; no NaN or overflowing coordinates.
    for (const char* bad : {"tool spanner", "command ID_NOTHING", "move 40px 47", "move 4.5px 47px", "move 10 nan",
                            "move 10 1e99", "press 1 2 alt", "answer color FF1020", "answer new 10 10", "answer export a.png",
                            "answer export a.png 4", "set x", "set depth 3", "set dash 1.5", "set width inf",
                            "expect-command group", "expect-command group on", "expect-command ID_NOTHING enabled",
                            "frobnicate"})
        EXPECT_FALSE(parse(bad)) << bad;
    EXPECT_NE(error.find("frobnicate"), std::string::npos);

    // Blank lines and comments are no actions, and no errors.
    EXPECT_TRUE(ParseScriptLine("  # press 1 2", a, error));
    EXPECT_FALSE(a.has_value());
}

TEST(ActionScriptPointTest, WholeCanvasPointsLandExactly)
{
    ZoomFactor = 1.0f;
    TestHost host;
    CKorvaniDoc doc;
    CKorvaniView view(doc, host);
    view.OnResize(ActionsClientWidth, ActionsClientHeight);
    ASSERT_TRUE(view.NewCanvas(400, 300, ColorOpaqueWhite));

    QPoint client;
    std::string error;
    for (const float percent : {150.0f, 350.0f, 800.0f}) {
        view.SetZoomPercent(percent);
        for (const float v : {1.0f, -3.0f, 123.0f}) {
            ASSERT_TRUE(ScriptPointToClient(view, {v, -v, false}, client, error)) << error;
            EXPECT_EQ(view.CanvasPoint(client), PointF(v, -v)) << "zoom " << percent << "%, point " << v;
        }
    }
    // Between whole units the nearest pixel serves.
    view.SetZoomPercent(200);
    ASSERT_TRUE(ScriptPointToClient(view, {10.25, 0, false}, client, error));
    EXPECT_EQ(client.x(), int(std::lround(view.ClientPoint({10.25f, 0}).x())));
    // Pixels are taken as written.
    ASSERT_TRUE(ScriptPointToClient(view, {-5, 7, true}, client, error));
    EXPECT_EQ(client, QPoint(-5, 7));
    // At 10% a pixel spans ten units: most whole points have no pixel of their own.
    view.SetZoomPercent(10);
    EXPECT_FALSE(ScriptPointToClient(view, {3, 0, false}, client, error));
    EXPECT_NE(error.find("px"), std::string::npos);
    ZoomFactor = 1.0f;
}

} // namespace
