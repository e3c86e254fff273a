#include "ui/bars/gradient_bar.h"
#include "ui/bars/property_bar.h"
#include "ui/bars/text_bar.h"
#include "ui/controls/flat_combo_box.h"
#include "ui/controls/font_boxes.h"
#include "ui/controls/number_edit.h"

#include "document/korvani_doc.h"
#include "document/undo_stack.h"
#include "view/korvani_view.h"
#include "view/scripted_host.h"
#include "view/view_codes.h"
#include "support/push_item.h"

#include <QAction>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Hands the view's notices on to the bars, as the frame does.
class BarsHost : public ScriptedHost
{
public:
    PropertyBar propertyBar;
    TextBar textBar;
    GradientBar gradientBar;

    void SelectionChanged(DrawItem* selection) override
    {
        ScriptedHost::SelectionChanged(selection);
        propertyBar.ShowItem(selection);
        textBar.ShowItem(selection);
    }
    void ZoomChanged(float zoom) override
    {
        ScriptedHost::ZoomChanged(zoom);
        propertyBar.ShowZoom(zoom);
    }
    void GradientBarValues(int position, int angle, int wrapMode) override
    {
        ScriptedHost::GradientBarValues(position, angle, wrapMode);
        gradientBar.ShowGradient(position, angle, wrapMode);
    }
};

class ControlBarsTest : public ::testing::Test
{
protected:
    ControlBarsTest()
    {
        ZoomFactor = 1.0f;
        view.OnResize(580, 480);
        EXPECT_TRUE(view.NewCanvas(500, 400, ColorOpaqueWhite));
        host.propertyBar.SetView(&view);
        host.textBar.SetView(&view);
        host.gradientBar.SetView(&view);
    }
    ~ControlBarsTest() override { ZoomFactor = 1.0f; }

    PropertyBar& Property() { return host.propertyBar; }

    // A 100 x 50 rectangle at (10, 20) whose bounds are exactly its box.
    DrawItem* AddRect(AttributeTable extra = {})
    {
        AttributeTable attributes = ShapeAttributes(ColorOpaqueWhite, 0);
        attributes.merge(extra);
        DrawItem* item = PushItem(doc, ItemRectangle, BoxNodes(10, 20, 100, 50), attributes);
        view.DocumentChanged();
        return item;
    }

    DrawItem* AddText(const std::string& font, const std::string& size)
    {
        AttributeTable attributes = ShapeAttributes(ColorOpaqueBlack, 1, ColorAbsent);
        attributes.insert({{ATTR_CONTENT, "Ab"}, {ATTR_FONT_NAME, font}, {ATTR_FONT_SIZE, size}});
        DrawItem* item = PushItem(doc, ItemText, {PathNode::AtPoint(50, 50)}, attributes);
        view.DocumentChanged();
        return item;
    }

    // Types over the box's text and presses Enter, as a user does.
    static void Enter(NumberEdit* box, const QString& text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }

    std::size_t UndoCount() const { return doc.GetUndoStack().UndoCount(); }

    CKorvaniDoc doc;
    BarsHost host;
    CKorvaniView view{doc, host};
};

TEST_F(ControlBarsTest, EmptyPropertyBarShowsZerosAndItsBoxesChangeNothing)
{
    DrawItem* item = AddRect();
    const std::size_t steps = UndoCount();
    PropertyBar& bar = Property();
    for (NumberEdit* box : {bar.XBox(), bar.YBox(), bar.WidthBox(), bar.HeightBox()})
        EXPECT_EQ(box->text(), "0.0");
    EXPECT_EQ(bar.LineWidthBox()->text(), "0");
    EXPECT_EQ(bar.AngleBox()->text(), "0");
    EXPECT_EQ(bar.DashList()->currentText(), "Solid line");
    EXPECT_EQ(bar.ZoomBox()->text(), "100");

    for (NumberEdit* box : {bar.XBox(), bar.YBox(), bar.WidthBox(), bar.HeightBox(), bar.LineWidthBox(), bar.AngleBox()})
        Enter(box, "37");
    bar.DashList()->setCurrentIndex(2);
    EXPECT_EQ(UndoCount(), steps);
    const RectF bounds = item->Bounds(ModeCommit);
    EXPECT_EQ(bounds.x, 10);
    EXPECT_EQ(bounds.width, 100);
    EXPECT_EQ(item->GetIntAttr(ATTR_DASH_STYLE), 0);
}

TEST_F(ControlBarsTest, EachPropertyBoxChangesTheSelectionAndShowsTheResult)
{
    DrawItem* item = AddRect({{ATTR_DASH_STYLE, "3"}});
    view.SelectItems({item});
    PropertyBar& bar = Property();
    EXPECT_EQ(bar.DashList()->currentText(), "Dash dot line");
    EXPECT_EQ(bar.XBox()->text(), "10.00");
    EXPECT_EQ(bar.HeightBox()->text(), "50.00");
    const std::size_t steps = UndoCount();

    const struct
    {
        NumberEdit* box;
        const char* typed;
        RectF bounds;
    } rows[] = {
        {bar.XBox(), "30", {30, 20, 100, 50}},
        {bar.YBox(), "-5.5", {10, -5.5f, 100, 50}},
        {bar.WidthBox(), "250", {10, 20, 250, 50}},
        {bar.HeightBox(), "1.5e2", {10, 20, 100, 150}},
        // A quarter turn about the centre (60, 45).
        {bar.AngleBox(), "90", {35, -5, 50, 100}},
    };
    // Within a quarter unit: a scaled outline keeps a pen of at least 0.2.
    for (const auto& row : rows) {
        Enter(row.box, row.typed);
        const RectF b = item->Bounds(ModeCommit);
        EXPECT_NEAR(b.x, row.bounds.x, 0.25f) << row.typed;
        EXPECT_NEAR(b.y, row.bounds.y, 0.25f) << row.typed;
        EXPECT_NEAR(b.width, row.bounds.width, 0.25f) << row.typed;
        EXPECT_NEAR(b.height, row.bounds.height, 0.25f) << row.typed;
        EXPECT_EQ(UndoCount(), steps + 1) << row.typed;
        // The bar shows the selection as it now is.
        EXPECT_EQ(bar.WidthBox()->text(), QString::number(double(b.width), 'f', 2)) << row.typed;
        EXPECT_EQ(bar.AngleBox()->text(), "0") << row.typed;
        view.DoCommand(CommandUndo);
    }

    Enter(bar.LineWidthBox(), "2.5");
    EXPECT_FLOAT_EQ(item->GetFloatAttr(ATTR_LINE_WIDTH), 2.5f);
    EXPECT_EQ(bar.LineWidthBox()->text(), "2.5000");
    bar.DashList()->setCurrentIndex(1);
    EXPECT_EQ(item->GetIntAttr(ATTR_DASH_STYLE), 1);
    EXPECT_EQ(UndoCount(), steps + 2) << "showing the new values sends nothing back";
}

TEST_F(ControlBarsTest, ZoomBoxSetsTheZoomAndFollowsTheTools)
{
    NumberEdit* box = Property().ZoomBox();
    Enter(box, "150");
    EXPECT_FLOAT_EQ(view.Zoom(), 1.5f);
    EXPECT_EQ(box->text(), "150");
    // Beyond the largest zoom the box shows the zoom the view took.
    Enter(box, "5000");
    EXPECT_FLOAT_EQ(view.Zoom(), CKorvaniView::MaximumZoom);
    EXPECT_EQ(box->text(), "800");

    Enter(box, "100");
    view.SetTool(ToolKind::ZoomIn);
    view.OnLeftButtonDown({200, 200});
    view.OnLeftButtonUp({200, 200});
    ASSERT_GT(view.Zoom(), 1.0f);
    EXPECT_EQ(box->text(), QString::number(int(view.Zoom() * 100.0f)));
}

TEST_F(ControlBarsTest, GradientAngleIsBroughtIntoATurn)
{
    DrawItem* item = AddRect();
    view.SelectItems({item});
    view.SetTool(ToolKind::GradientLine);
    GradientBar& bar = host.gradientBar;
    const struct
    {
        const char* typed;
        float angle;
    } rows[] = {{"370", 10}, {"-30", 330}, {"45", 45}};
    for (const auto& row : rows) {
        Enter(bar.AngleBox(), row.typed);
        float angle = -1;
        item->GetLineGradientAngle(angle);
        EXPECT_NEAR(angle, row.angle, 0.01f) << row.typed;
        EXPECT_EQ(bar.AngleBox()->text(), QString::number(int(row.angle))) << row.typed;
    }
    bar.WrapList()->setCurrentIndex(1);
    EXPECT_EQ(item->GetIntAttr(ATTR_LINE_WRAP), 1);
}

TEST_F(ControlBarsTest, TextBarShowsTheTextItemsFontAndSetsIt)
{
    TextBar& bar = host.textBar;
    FontNameBox* name = bar.NameBox();
    // New text is Arial, listed even where the font system knows it by another name.
    EXPECT_EQ(name->currentText(), "Arial");
    EXPECT_EQ(bar.SizeBox()->currentText(), "18");
    ASSERT_GE(name->count(), 2);
    // A listed family, named by the start of its name.
    const QString family = name->itemText(name->count() - 1);
    const QString start = family.left(std::max<qsizetype>(1, family.size() - 2));
    DrawItem* text = AddText(start.toStdString(), "24");
    DrawItem* unknown = AddText("No such family", "36");
    DrawItem* rect = AddRect();

    const std::size_t steps = UndoCount();
    view.SelectItems({text});
    EXPECT_TRUE(name->currentText().startsWith(start));
    EXPECT_EQ(bar.SizeBox()->currentText(), "24");
    const QString shown = name->currentText();
    for (DrawItem* other : {unknown, rect}) {
        view.SelectItems({other});
        EXPECT_EQ(name->currentText(), shown) << "an unknown font and a rectangle leave the font box";
    }
    EXPECT_EQ(bar.SizeBox()->currentText(), "36");
    EXPECT_EQ(UndoCount(), steps);

    view.SelectItems({text});
    name->setCurrentIndex(0);
    bar.SizeBox()->setCurrentIndex(bar.SizeBox()->findText("48"));
    EXPECT_EQ(text->GetTextAttr(ATTR_FONT_NAME), "Arial");
    EXPECT_EQ(text->GetIntAttr(ATTR_FONT_SIZE), 48);

    QAction* bold = bar.StyleAction(ID_TEXT_BOLD);
    ASSERT_NE(bold, nullptr);
    EXPECT_FALSE(bold->isChecked());
    bold->trigger();
    EXPECT_TRUE(bold->isChecked());
    EXPECT_EQ(text->GetIntAttr(ATTR_BOLD), 1);
    EXPECT_EQ(UndoCount(), steps + 3);
}

} // namespace
