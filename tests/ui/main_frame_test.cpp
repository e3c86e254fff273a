#include "ui/bars/gradient_bar.h"
#include "ui/bars/property_bar.h"
#include "ui/bars/text_bar.h"
#include "ui/frame/bar_buttons.h"
#include "ui/frame/main_frame.h"
#include "ui/frame/menu_table.h"
#include "ui/frame/recent_files.h"
#include "ui/frame/startup.h"
#include "ui/frame/view_area.h"
#include "ui/modal_answer.h"

#include "document/korvani_doc.h"
#include "document/undo_stack.h"
#include "items/attribute_format.h"
#include "view/korvani_view.h"
#include "view/view_codes.h"
#include "support/push_item.h"

#include <QAbstractButton>
#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <span>
#include <string>

namespace {

// Settings (the recent files) go to a folder of the test's own.
bool SettingsIn(const QTemporaryDir& dir)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    return dir.isValid();
}

class MainFrameTest : public ::testing::Test
{
protected:
    MainFrameTest()
    {
        frame.resize(1000, 700);
        frame.show();
        frame.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&frame));
        EXPECT_TRUE(View().NewCanvas(400, 300, ColorOpaqueWhite));
    }

    CKorvaniView& View() { return frame.viewArea()->View(); }

    QAction* Action(int id)
    {
        for (QAction* action : frame.findChildren<QAction*>()) {
            if (action->data() == QVariant(id))
                return action;
        }
        ADD_FAILURE() << "no action for " << id;
        return nullptr;
    }

    DrawItem* Add(std::int32_t kind, float x)
    {
        AttributeTable attributes = ShapeAttributes(0xFFFF0000);
        if (kind == ItemText)
            attributes[ATTR_CONTENT] = "Hello";
        DrawItem* item = PushItem(doc, kind, BoxNodes(x, 20, 40, 30), attributes);
        View().DocumentChanged();
        return item;
    }

    QString SavedDrawing(const QString& name)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(View().SaveDrawing(path.toStdString()));
        return path;
    }

    static bool Shown(const QWidget* widget) { return !widget->isHidden(); }

    QTemporaryDir dir;
    const bool settingsMoved = SettingsIn(dir);
    CKorvaniDoc doc;
    CMainFrame frame{doc};
};

TEST_F(MainFrameTest, StartsWithItsBarsWhereTheyBelongAndKeepsItsTitle)
{
    EXPECT_TRUE(Shown(frame.commandBar()) && Shown(frame.toolsBar()) && Shown(frame.propertyBar()));
    EXPECT_TRUE(Shown(frame.itemsDock()));
    EXPECT_FALSE(Shown(frame.textBar()) || Shown(frame.editToolsBar()) || Shown(frame.gradientBar()));
    EXPECT_EQ(frame.toolBarArea(frame.toolsBar()), Qt::LeftToolBarArea);
    EXPECT_EQ(frame.dockWidgetArea(frame.itemsDock()), Qt::RightDockWidgetArea);
    EXPECT_EQ(frame.findChild<QStatusBar*>(), nullptr);

    // Every button has its picture and tip, in the bar's order.
    const struct
    {
        QToolBar* bar;
        std::span<const int> ids;
    } bars[] = {{frame.commandBar(), CommandBarButtons},
                {frame.toolsBar(), ToolsBarButtons},
                {frame.editToolsBar(), EditToolsBarButtons}};
    for (const auto& [bar, ids] : bars) {
        ASSERT_EQ(bar->actions().size(), qsizetype(ids.size())) << bar->objectName().toStdString();
        for (std::size_t i = 0; i < ids.size(); ++i) {
            const QAction* button = bar->actions()[qsizetype(i)];
            EXPECT_EQ(button->data(), QVariant(ids[i]));
            EXPECT_FALSE(button->icon().isNull()) << ids[i];
            EXPECT_FALSE(button->toolTip().isEmpty()) << ids[i];
        }
    }

    Add(ItemRectangle, 10);
    const QString path = SavedDrawing(QStringLiteral("box.xml"));
    ASSERT_TRUE(frame.OpenFile(path));
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Korvani"));
    EXPECT_EQ(RecentFiles::List().value(0), path);
}

TEST_F(MainFrameTest, TheViewsNoticesShowAndHideTheTextEditAndGradientBars)
{
    DrawItem* text = Add(ItemText, 10);
    DrawItem* box = Add(ItemRectangle, 100);
    enum Step { SelectText, SelectBox, ToolGradient, ToolEdit, ToolSelect };
    const struct
    {
        Step step;
        bool textBar, editBar, gradientBar;
    } steps[] = {
        {SelectText, true, false, false},  {SelectBox, false, false, false}, {ToolGradient, false, false, true},
        {ToolEdit, false, true, true},     {ToolSelect, false, false, false},
    };
    for (const auto& s : steps) {
        switch (s.step) {
        case SelectText: View().SelectItems({text}); break;
        case SelectBox: View().SelectItems({box}); break;
        case ToolGradient: View().SetTool(ToolKind::GradientLine); break;
        case ToolEdit: View().SetTool(ToolKind::Edit); break;
        case ToolSelect: View().SetTool(ToolKind::Select); break;
        }
        EXPECT_EQ(Shown(frame.textBar()), s.textBar) << s.step;
        EXPECT_EQ(Shown(frame.editToolsBar()), s.editBar) << s.step;
        EXPECT_EQ(Shown(frame.gradientBar()), s.gradientBar) << s.step;
    }
}

TEST_F(MainFrameTest, ShowAndHideEntriesCarryCheckMarksAndDockTheirBarsAgain)
{
    // A drag on the grip takes a bar off its edge.
    const auto floatBar = [](QToolBar* bar) {
        const QPoint grip(8, bar->height() / 2);
        const auto send = [bar](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
            QMouseEvent event(type, QPointF(at), QPointF(bar->mapToGlobal(at)),
                              type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, {});
            QCoreApplication::sendEvent(bar, &event);
        };
        send(QEvent::MouseButtonPress, grip, Qt::LeftButton);
        for (int step = 1; step <= 10; ++step)
            send(QEvent::MouseMove, grip + QPoint(20 * step, 40 * step), Qt::LeftButton);
        send(QEvent::MouseButtonRelease, grip + QPoint(200, 400), Qt::NoButton);
    };
    const struct
    {
        int id;
        QWidget* target;
        bool dockedAgain;
    } entries[] = {
        {ID_VIEW_EDIT_TOOLS, frame.editToolsBar(), true},
        {ID_VIEW_GRADIENT_TOOLS, frame.gradientBar(), true},
        {ID_VIEW_LAYER_BAR, frame.itemsDock(), true},
        {ID_VIEW_COMMAND_BAR, frame.commandBar(), false},
    };
    for (const auto& [id, target, dockedAgain] : entries) {
        if (target->isHidden())
            frame.DoCommandId(id);
        QApplication::processEvents();
        if (auto* bar = qobject_cast<QToolBar*>(target))
            floatBar(bar);
        else
            static_cast<QDockWidget*>(target)->setFloating(true);
        ASSERT_TRUE(target->isWindow()) << id << " floats";

        frame.DoCommandId(id);
        frame.RefreshCommands();
        EXPECT_TRUE(target->isHidden()) << id;
        EXPECT_FALSE(Action(id)->isChecked()) << id;
        frame.DoCommandId(id);
        frame.RefreshCommands();
        EXPECT_TRUE(Shown(target)) << id;
        EXPECT_TRUE(Action(id)->isChecked()) << id;
        EXPECT_EQ(target->isWindow(), !dockedAgain) << id;
    }
    EXPECT_EQ(frame.toolBarArea(frame.editToolsBar()), Qt::TopToolBarArea);
    EXPECT_EQ(frame.dockWidgetArea(frame.itemsDock()), Qt::RightDockWidgetArea);
}

TEST_F(MainFrameTest, CommandStatesFollowTheSelectionAndTheTool)
{
    DrawItem* a = Add(ItemRectangle, 10);
    DrawItem* b = Add(ItemRectangle, 100);
    View().SelectItems({a, b});
    EXPECT_TRUE(Action(ID_GROUP)->isEnabled());
    EXPECT_TRUE(Action(ID_DELETE)->isEnabled());
    View().SelectNone();
    frame.RefreshCommands();
    EXPECT_FALSE(Action(ID_GROUP)->isEnabled());
    EXPECT_FALSE(Action(ID_DELETE)->isEnabled());

    frame.DoCommandId(ID_TOOL_LINE);
    EXPECT_TRUE(Action(ID_TOOL_LINE)->isChecked());
    EXPECT_FALSE(Action(ID_TOOL_SELECT)->isChecked());
    EXPECT_EQ(View().ActiveTool(), ToolValue(ToolKind::Line));
}

TEST_F(MainFrameTest, EachShortcutActsOnce)
{
    Add(ItemRectangle, 10);
    Add(ItemRectangle, 100);
    const std::size_t records = doc.GetUndoStack().UndoCount();
    frame.viewArea()->setFocus();
    QTest::keyClick(frame.viewArea(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc.GetUndoStack().UndoCount(), records - 1);

    // Ctrl+N is the window's own key: one question about the drawing, then
    // one New dialog.
    std::size_t dialogs = 0;
    const auto cancel = [&dialogs](QWidget* modal) {
        ++dialogs;
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            box->button(QMessageBox::No)->click();
        else
            static_cast<QDialog*>(modal)->reject();
    };
    {
        ModalHandler answers({cancel, cancel, cancel});
        QTest::keyClick(frame.viewArea(), Qt::Key_N, Qt::ControlModifier);
        QTest::qWait(50);
    }
    EXPECT_EQ(dialogs, 2u);
    EXPECT_EQ(doc.GetItemCount(), 1);
}

TEST_F(MainFrameTest, ClosingAsksToSaveAndCancelKeepsTheWindow)
{
    Add(ItemRectangle, 10);
    for (const auto& [button, staysOpen] : {std::pair{QMessageBox::Cancel, true}, std::pair{QMessageBox::No, false}}) {
        QString asked;
        ModalHandler answer({[&asked, button](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            asked = box->text();
            box->button(button)->click();
        }});
        frame.DoCommandId(ID_APP_EXIT);
        EXPECT_EQ(asked, QStringLiteral("Save current file?"));
        EXPECT_EQ(frame.isVisible(), staysOpen);
    }
}

TEST_F(MainFrameTest, StartUpOpensTheCommandLineFileInsteadOfTheChooser)
{
    Add(ItemRectangle, 10);
    const QString good = SavedDrawing(QStringLiteral("start.xml"));
    SavedDrawing(QStringLiteral("other.xml"));
    int messages = 0;
    int others = 0;
    const auto answer = [&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            ++messages;
            box->accept();
        } else {
            ++others;
            static_cast<QDialog*>(modal)->reject();
        }
    };
    // A file that cannot be opened leaves the drawing as it was.
    const struct
    {
        QString file;
        QString opened;
        int messages;
    } starts[] = {
        {good, good, 0},
        {dir.filePath(QStringLiteral("missing.xml")), good, 1},
    };
    for (const auto& start : starts) {
        messages = others = 0;
        ModalHandler answers({answer, answer});
        StartEditor(frame, start.file, nullptr);
        QTest::qWait(50);
        EXPECT_EQ(messages, start.messages);
        EXPECT_EQ(others, 0) << "no chooser";
        EXPECT_TRUE(frame.isVisible());
        EXPECT_EQ(QString::fromStdString(View().CurrentFilePath()), start.opened);
        EXPECT_EQ(doc.GetItemCount(), 1);
    }

    // A recent file that is gone is named and taken off the list.
    ASSERT_EQ(RecentFiles::List().value(0), good);
    ASSERT_TRUE(QFile::remove(good));
    QMenu* recent = nullptr;
    for (QMenu* menu : frame.findChildren<QMenu*>())
        if (menu->title() == QStringLiteral("Recent &Files"))
            recent = menu;
    ASSERT_NE(recent, nullptr);
    const QString said = AnswerMessageDuring([recent] { recent->actions().value(0)->trigger(); });
    EXPECT_TRUE(said.contains(good));
    EXPECT_FALSE(RecentFiles::List().contains(good));
}

TEST(RecentFilesTest, KeepsFourNewestFirstWithoutRepeats)
{
    const QStringList list{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")};
    EXPECT_EQ(RecentFiles::WithFile(list, QStringLiteral("e")), (QStringList{"e", "a", "b", "c"}));
    EXPECT_EQ(RecentFiles::WithFile(list, QStringLiteral("c")), (QStringList{"c", "a", "b", "d"}));
    EXPECT_EQ(RecentFiles::WithFile({}, QStringLiteral("a")), QStringList{"a"});
}

} // namespace
