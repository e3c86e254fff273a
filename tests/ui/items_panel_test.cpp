#include "ui/frame/main_frame.h"
#include "ui/frame/view_area.h"
#include "ui/panels/item_row_delegate.h"
#include "ui/panels/items_model.h"
#include "ui/panels/items_panel.h"

#include "document/korvani_doc.h"
#include "document/undo_stack.h"
#include "items/draw_item.h"
#include "items/group_item.h"
#include "view/korvani_view.h"
#include "view/view_codes.h"
#include "support/push_item.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

// The panel in the real frame, over a view whose items are added through
// the document and announced as the view announces its own changes.
class ItemsPanelTest : public ::testing::Test
{
protected:
    ItemsPanelTest()
    {
        frame.resize(900, 600);
        frame.show();
        frame.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&frame));
        EXPECT_TRUE(View().NewCanvas(400, 300, ColorOpaqueWhite));
    }

    CKorvaniView& View() { return frame.viewArea()->View(); }
    ItemsPanel& Panel() { return *frame.itemsPanel(); }
    ItemsList& List() { return *Panel().List(); }
    ItemsModel& Model() { return *Panel().Model(); }

    // Items in drawing order, bottom first.
    void Add(const Names& names)
    {
        for (const std::string& name : names) {
            const float x = float(10 * (doc.GetItemCount() + 1));
            DrawItem* item = PushItem(doc, ItemRectangle, BoxNodes(x, x, 20, 20), ShapeAttributes(ColorOpaqueWhite));
            ASSERT_NE(item, nullptr);
            item->SetClassName(name);
        }
        View().DocumentChanged();
        Panel().Rebuild(View().Selection());
        QApplication::processEvents();
    }

    DrawItem* Named(const std::string& name)
    {
        for (DrawItem* item : doc.Items())
            if (item->ClassName() == name)
                return item;
        return nullptr;
    }

    Names RowNames()
    {
        Names names;
        for (int row = 0; row < Model().rowCount(); ++row)
            names.push_back(Model().index(row).data().toString().toStdString());
        return names;
    }

    Names MarkedNames()
    {
        Names names;
        for (int row = 0; row < Model().rowCount(); ++row)
            if (Model().index(row).data(ItemsModel::MarkedRole).toBool())
                names.push_back(RowNames()[std::size_t(row)]);
        return names;
    }

    // The view's selection, top-most first as the rows are.
    Names SelectedNames()
    {
        Names names;
        if (View().SelectionIsGroup()) {
            for (DrawItem* child : View().SelectionGroup().Children())
                names.insert(names.begin(), child->ClassName());
        } else if (View().Selection()) {
            names.push_back(View().Selection()->ClassName());
        }
        return names;
    }

    int Picture(int row) { return Model().index(row).data(ItemsModel::PictureRole).toInt(); }
    std::size_t Undos() const { return doc.GetUndoStack().UndoCount(); }

    QRect RowRect(int row) { return List().visualRect(Model().index(row)); }
    QPoint LabelPoint(int row) { return ItemRowDelegate::LabelRect(RowRect(row)).center(); }
    QPoint EyePoint(int row) { return ItemRowDelegate::EyeRect(RowRect(row)).center(); }
    QPoint LockPoint(int row) { return ItemRowDelegate::LockRect(RowRect(row)).center(); }

    void Click(QPoint at, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(List().viewport(), Qt::LeftButton, modifiers, at);
    }

    QLineEdit* EditLabel(int row)
    {
        Click(LabelPoint(row));
        List().edit(Model().index(row));
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        EXPECT_NE(editor, nullptr) << "the label's edit box has the keys";
        return editor;
    }

    CKorvaniDoc doc;
    CMainFrame frame{doc};
};

TEST_F(ItemsPanelTest, ListsTopMostFirstWithTheEyeAndLockOfEachItem)
{
    Add({"A", "B", "C", "D"});
    doc.PushSetPropertyInt(Named("B"), ATTR_HIDDEN, 1);
    doc.PushSetPropertyInt(Named("C"), ATTR_LOCKED, 1);
    doc.PushSetPropertyInt(Named("D"), ATTR_HIDDEN, 1);
    doc.PushSetPropertyInt(Named("D"), ATTR_LOCKED, 1);
    Panel().Rebuild(nullptr);

    EXPECT_EQ(RowNames(), (Names{"D", "C", "B", "A"}));
    EXPECT_EQ((std::vector<int>{Picture(0), Picture(1), Picture(2), Picture(3)}), (std::vector<int>{3, 1, 2, 0}));

    // The rows draw what the pictures say: the eyes of hidden rows alike and
    // unlike the shown ones, and likewise the locks.
    QApplication::processEvents();
    const QImage shot = List().viewport()->grab().toImage();
    const auto eye = [&](int row) { return shot.copy(ItemRowDelegate::EyeRect(RowRect(row))); };
    const auto lock = [&](int row) { return shot.copy(ItemRowDelegate::LockRect(RowRect(row))); };
    EXPECT_EQ(eye(0), eye(2));
    EXPECT_NE(eye(0), eye(1));
    EXPECT_EQ(eye(1), eye(3));
    EXPECT_EQ(lock(0), lock(1));
    EXPECT_NE(lock(0), lock(2));
    EXPECT_EQ(lock(2), lock(3));
}

TEST_F(ItemsPanelTest, ClicksAndKeysMarkRowsAndTheViewSelectsTheirItems)
{
    Add({"r5", "r4", "r3", "r2", "r1", "r0"});
    ASSERT_EQ(RowNames(), (Names{"r0", "r1", "r2", "r3", "r4", "r5"}));
    constexpr Qt::KeyboardModifiers none = Qt::NoModifier;
    constexpr Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    constexpr Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    struct Step
    {
        int row; // a click on its label, or -1 for the key
        int key;
        Qt::KeyboardModifiers modifiers;
        Names marked;
    };
    const Step steps[] = {
        {0, 0, none, {"r0"}},
        {2, 0, ctrl, {"r0", "r2"}},
        {4, 0, ctrl, {"r0", "r2", "r4"}},
        {2, 0, ctrl, {"r0", "r4"}}, // a marked row loses its mark; the focus stays on r4
        {5, 0, none, {"r5"}},
        {0, 0, ctrl, {"r0", "r5"}},
        {3, 0, shift, {"r0", "r1", "r2", "r3", "r5"}}, // the span from the focus; r5 keeps its mark
        {3, 0, ctrl, {"r0", "r1", "r2", "r5"}},        // the focused row toggles
        {3, 0, none, {"r3"}},                          // a plain click on it leaves it alone
        {-1, Qt::Key_Down, none, {"r4"}},
        {-1, Qt::Key_Down, shift, {"r4", "r5"}},
        {-1, Qt::Key_Up, shift, {"r4"}}, // back onto a marked row shrinks the marks
        {-1, Qt::Key_Home, none, {"r0"}},
    };
    for (const Step& step : steps) {
        if (step.row >= 0)
            Click(LabelPoint(step.row), step.modifiers);
        else
            QTest::keyClick(&List(), Qt::Key(step.key), step.modifiers);
        const std::string where = step.row >= 0 ? "click on row " + std::to_string(step.row)
                                                : "key " + std::to_string(step.key);
        EXPECT_EQ(MarkedNames(), step.marked) << where;
        EXPECT_EQ(SelectedNames(), step.marked) << where;
    }
}

TEST_F(ItemsPanelTest, EyeAndLockOfTheFocusedRowToggleTheSelectionOnceAndSurviveARebuild)
{
    Add({"A", "B", "C"});
    // A press on the eye of a row without the focus only focuses and selects it.
    Click(EyePoint(1));
    EXPECT_FALSE(Named("B")->IsHidden());
    EXPECT_EQ(SelectedNames(), Names{"B"});

    const std::size_t before = Undos();
    Click(EyePoint(1));
    EXPECT_TRUE(Named("B")->IsHidden());
    EXPECT_EQ(Undos(), before + 1);
    Click(LockPoint(1));
    EXPECT_TRUE(Named("B")->IsLocked());
    EXPECT_EQ(Undos(), before + 2);
    EXPECT_EQ(Picture(1), 3);

    // A new item on top: B moves down a row, its pictures and its focus with it.
    Add({"D"});
    EXPECT_EQ(RowNames(), (Names{"D", "C", "B", "A"}));
    EXPECT_EQ(Picture(2), 3);
    EXPECT_EQ(List().currentIndex().row(), 2);
    Click(EyePoint(2));
    EXPECT_FALSE(Named("B")->IsHidden());
    EXPECT_EQ(Picture(2), 1);
}

TEST_F(ItemsPanelTest, ALabelEditRenamesItsItemInOneUndoStepUnlessCancelledOrUnchanged)
{
    Add({"A", "B"});
    struct Case
    {
        QString typed; // replaces the label; empty leaves it as it is
        bool clear;
        Qt::Key end;
        std::string name;
    };
    const Case cases[] = {
        {"Sun", false, Qt::Key_Escape, "B"}, {"", false, Qt::Key_Return, "B"},
        {"", true, Qt::Key_Return, "B"},     {"Sun", false, Qt::Key_Return, "Sun"},
    };
    for (const Case& c : cases) {
        const std::size_t before = Undos();
        QLineEdit* editor = EditLabel(0);
        ASSERT_NE(editor, nullptr);
        if (c.clear)
            editor->clear();
        if (!c.typed.isEmpty()) {
            editor->selectAll();
            QTest::keyClicks(editor, c.typed);
        }
        QTest::keyClick(editor, c.end);
        QApplication::processEvents(); // the edit box hands its text over after the key
        EXPECT_EQ(Named(c.name), doc.GetItem(1)) << c.name;
        EXPECT_EQ(RowNames()[0], c.name);
        EXPECT_EQ(Undos(), before + (c.name == "B" ? 0 : 1)) << c.name;
    }
    View().DoCommand(CommandUndo);
    EXPECT_EQ(RowNames(), (Names{"B", "A"}));
}

TEST_F(ItemsPanelTest, DeleteDeletesTheSelectionExceptWhileALabelIsEdited)
{
    Add({"A", "B", "Comet"});
    Click(LabelPoint(1));
    QTest::keyClick(&List(), Qt::Key_Delete);
    EXPECT_EQ(RowNames(), (Names{"Comet", "A"}));

    const std::size_t before = Undos();
    QLineEdit* editor = EditLabel(0);
    ASSERT_NE(editor, nullptr);
    editor->setCursorPosition(0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    EXPECT_EQ(editor->text(), "omet");
    EXPECT_EQ(doc.GetItemCount(), 2);
    EXPECT_EQ(Undos(), before);
}

} // namespace
