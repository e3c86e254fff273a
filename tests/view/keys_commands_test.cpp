// The keyboard table, the command switch, and opening and saving drawings.

#include "view/view_fixture.h"

#include "items/group_item.h"
#include "platform/picture_cache.h"
#include "platform/temp_files.h"

#include <QDir>
#include <QTemporaryDir>

#include <fstream>

using KeysTest = ViewTest;

TEST_F(KeysTest, CtrlIsTrackedByTheViewItselfArrowsMoveAndKeysNeedACanvas)
{
    view.OnResize(400, 300);
    driver.Key(Qt::Key_O);
    driver.Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(view.ActiveTool(), ToolValue(ToolKind::Select));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(host.toolNotices.empty());

    MakeCanvas();
    DrawItem* item = AddRect(10, 10, 40, 40);
    driver.ClickAt({30, 30});
    ASSERT_EQ(view.Selection(), item);

    driver.Key(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(doc.GetItemCount(), 2);
    ASSERT_NE(view.Selection(), item);
    ExpectRect(view.Selection()->Bounds(), {18, 18, 40, 40});
    EXPECT_FALSE(view.CtrlHeld());

    // D alone does nothing; once Ctrl is up, O is the Ellipse tool again, not Open.
    driver.Key(Qt::Key_D);
    EXPECT_EQ(doc.GetItemCount(), 2);
    driver.Key(Qt::Key_O);
    EXPECT_EQ(view.ActiveTool(), ToolValue(ToolKind::Ellipse));
    driver.Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc.GetItemCount(), 1);
    driver.Key(Qt::Key_Z);
    EXPECT_EQ(view.ActiveTool(), ToolValue(ToolKind::ZoomIn));

    // Arrows move the selection by one, or ten with Ctrl; without one they do nothing.
    MakeCanvas();
    item = AddRect(10, 10, 40, 40);
    const std::size_t steps = UndoCount();
    driver.Key(Qt::Key_Right);
    EXPECT_EQ(UndoCount(), steps);

    driver.ClickAt({30, 30});
    driver.Key(Qt::Key_Down);
    driver.Key(Qt::Key_Left, Qt::ControlModifier);
    ExpectRect(item->Bounds(), {0, 11, 40, 40}, 0.01f);
    // One undo step each, and the property bar hears of each.
    EXPECT_EQ(UndoCount(), steps + 2);
    EXPECT_EQ(host.selectionNotices.back(), item);
}

using CommandsTest = ViewTest;

TEST_F(CommandsTest, UndoAndRedoSelectTheTopmostItem)
{
    MakeCanvas();
    DrawItem* a = AddRect(10, 10, 40, 40);
    DrawItem* b = AddRect(100, 10, 40, 40);
    driver.ClickAt({30, 30});
    driver.ClickAt({120, 30}, Qt::ShiftModifier);
    ASSERT_TRUE(view.SelectionIsGroup());

    view.DoCommand(CommandDelete);
    view.DoCommand(CommandUndo);
    EXPECT_EQ(view.Selection(), b);
    EXPECT_EQ(view.SelectionGroup().ChildCount(), 0);
    view.DoCommand(CommandRedo);
    EXPECT_EQ(view.Selection(), nullptr);

    // With nothing left to undo the selection still becomes the topmost item.
    view.DoCommand(CommandUndo);
    view.DoCommand(CommandUndo);
    view.DoCommand(CommandUndo);
    EXPECT_FALSE(doc.CanUndo());
    view.DoCommand(CommandRedo);
    EXPECT_EQ(view.Selection(), a);
}

TEST_F(CommandsTest, EditCommandsActOnTheSelection)
{
    MakeCanvas();
    DrawItem* a = AddRect(10, 10, 100, 50);
    DrawItem* b = AddRect(200, 10, 40, 40);
    driver.ClickAt({50, 30});

    view.DoCommand(CommandMoveTopmost);
    EXPECT_EQ(doc.GetItem(1), a);
    view.DoCommand(CommandMoveBottom);
    EXPECT_EQ(doc.GetItem(0), a);

    view.DoCommand(CommandRotate90);
    ExpectRect(a->Bounds(), {35, -15, 50, 100}, 0.3f);

    // A toggle turns the flag off again, and leaves other items alone.
    view.DoCommand(CommandToggleHidden);
    view.DoCommand(CommandToggleHidden);
    EXPECT_EQ(a->GetIntAttr(ATTR_HIDDEN), 0);
    EXPECT_EQ(b->GetIntAttr(ATTR_HIDDEN), 0);

    // Codes with no command say so.
    host.messages.clear();
    view.DoCommand(231);
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{"Unsupport command"}));
}

TEST_F(CommandsTest, AnUnreadableFileLeavesTheDrawingAsItWas)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    MakeCanvas(300, 200);
    DrawItem* item = AddRect(10, 10, 40, 40);
    const std::size_t steps = UndoCount();

    EXPECT_FALSE(view.OpenDrawing(QDir(dir.path()).filePath("missing.xml").toStdString()));
    const std::string broken = QDir(dir.path()).filePath("broken.xml").toStdString();
    std::ofstream(broken) << "<plimsa type=\"canvas\" width=\"10\"><item";
    EXPECT_FALSE(view.OpenDrawing(broken));

    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(doc.GetItem(0), item);
    EXPECT_EQ(UndoCount(), steps);
    EXPECT_EQ(view.GetCanvas().width, 300);

    // A save that cannot be written says so.
    EXPECT_FALSE(view.SaveDrawing(QDir(dir.path()).filePath("no/such/folder/x.xml").toStdString()));
    EXPECT_EQ(host.messages.size(), 3u);
}

TEST_F(CommandsTest, ANewDrawingLetsGoOfTheOldOnesPictures)
{
    MakeCanvas(300, 200);
    ASSERT_TRUE(view.OpenDrawing(KORVANI_TEST_DATA_DIR "/red_picture.xml")); // an 8 x 8 red PNG
    const std::string working = doc.GetItem(0)->GetTextAttr(ATTR_CONTENT);
    ASSERT_NE(CachedPicture(working), nullptr);
    EXPECT_GT(PictureCacheBytes(), 0u);

    ASSERT_TRUE(view.NewCanvas(100, 100, ColorOpaqueWhite));
    EXPECT_EQ(PictureCacheBytes(), 0u);
    EXPECT_EQ(OpenWorkingFile(working), nullptr) << "its working file is gone and let go";
}
