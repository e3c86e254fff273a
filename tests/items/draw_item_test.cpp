// The item base: attribute encodings, the travelling rotation centre, the
// width rule, gradient ramps and copying.

#include "items/draw_item.h"
#include "items/group_item.h"
#include "items/item_factory.h"
#include "items/line_item.h"
#include "items/rectangle_item.h"
#include "support/geometry_expect.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>
#include <memory>
#include <string>

namespace {

// Takes whatever outline a conversion hands over.
class OutlineSink : public RectangleItem
{
public:
    bool SetNodes(const NodeList& list) override
    {
        received = list;
        return true;
    }
    NodeList received;
};

} // namespace

// The encodings themselves are the attribute format's; the item keeps any bytes.
TEST(DrawItemAttributes, TextKeepsAnyBytesAndDashStyleIsRanged)
{
    RectangleItem item;
    const std::string raw("  a\\b\0c\xff ", 9);
    item.SetTextAttr(ATTR_CONTENT, raw);
    EXPECT_EQ(item.GetTextAttr(ATTR_CONTENT), raw); // nothing trimmed, any bytes

    for (int style : {4, 5, -1}) { // out of range reads as solid
        item.SetIntAttr(ATTR_DASH_STYLE, style);
        EXPECT_EQ(item.DashStyle(), style == 4 ? 4 : 0);
    }
}

// No kind takes a node it could neither draw nor write: a NaN or infinite
// coordinate, or a finite move or transform that carries a node past the
// float range, leaves the outline as it was.
TEST(DrawItemNodes, NonFiniteNodesAreRefusedByEveryKind)
{
    const NodeList box{PathNode::AtPoint(0, 0), PathNode::AtPoint(40, 30)};
    const NodeList track{PathNode::AtPoint(0, 0), PathNode::AtPoint(40, 0), PathNode::AtPoint(40, 30),
                         PathNode::AtPoint(0, 30)};
    PathNode infinite = PathNode::AtPoint(20, 10);
    infinite.ry = INFINITY;
    for (std::int32_t kind : {ItemLine, ItemRectangle, ItemEllipse, ItemCurve, ItemDoodle, ItemText, ItemImage}) {
        SCOPED_TRACE(kind);
        std::unique_ptr<DrawItem> item(CreateItem(kind, 1));
        const NodeList& outline = kind == ItemCurve || kind == ItemDoodle ? track : box;
        ASSERT_TRUE(item->SetNodes(outline));
        NodeList bad = outline;
        bad[1].y = NAN;
        EXPECT_FALSE(item->SetNodes(bad));
        bad[1] = infinite;
        EXPECT_FALSE(item->SetNodes(bad));
        const NodeList before = item->Nodes();
        const Matrix matrix = item->GetMatrix();
        item->SetNode(1, infinite);
        item->MoveNodes(HitRightControl, {1}, 0, NAN);
        item->ScaleAbout(0, 0, FLT_MAX, FLT_MAX, ModeCommit); // finite factors, overflowing nodes
        EXPECT_EQ(item->Nodes(), before);
        EXPECT_EQ(item->GetMatrix(), matrix);
        item->MoveNodes(0, {1}, FLT_MAX, 0);
        const NodeList moved = item->Nodes();
        item->MoveNodes(0, {1}, FLT_MAX, 0);
        EXPECT_EQ(item->Nodes(), moved);
    }
}

TEST(DrawItemTransform, CentreTravelsSoLaterTurnsAreAboutTheNewCentre)
{
    RectangleItem rect;
    ASSERT_TRUE(rect.SetNodes(TwoPoints(0, 0, 100, 50)));
    rect.Translate(100, 0, ModeCommit);
    rect.ScaleAbout(0, 0, 2, 2, ModeCommit);
    ExpectNear(rect.GetPointAttr(ATTR_CENTER), {300, 50});
    rect.RotateAbout(90, ModeCommit);
    // Turned in place: the bounds still centre on the moved centre.
    const float w = rect.GetFloatAttr(ATTR_LINE_WIDTH);
    ExpectRectNear(InflateRect(rect.Bounds(), -w / 2), {250, -50, 100, 200}, 0.05f);

    LineItem line;
    ASSERT_TRUE(line.SetNodes(TwoPoints(0, 0, 100, 0)));
    line.Translate(0, 40, ModeCommit);
    line.RotateAbout(90, ModeCommit);
    ExpectNear(line.Nodes()[0].Anchor(), {50, -10}, 0.05f);
    ExpectNear(line.Nodes()[1].Anchor(), {50, 90}, 0.05f);
}

TEST(DrawItemTransform, ScaleAboutWidthRuleAlsoInAGroupThatTurnsAboutItsCentre)
{
    RectangleItem item;
    ASSERT_TRUE(item.SetNodes(TwoPoints(0, 0, 40, 40)));
    item.SetFloatAttr(ATTR_LINE_WIDTH, 1);
    item.ScaleAbout(0, 0, 2, 1, ModeCommit);
    EXPECT_EQ(item.Attributes().at(ATTR_LINE_WIDTH), "2.0000");

    item.ScaleAbout(0, 0, 3, 3, ModePreview);
    EXPECT_FLOAT_EQ(item.GetFloatAttr(ATTR_LINE_WIDTH), 2);

    item.ScaleAbout(0, 0, 1, 0.5f, ModeCommit); // y changed more: it wins
    EXPECT_FLOAT_EQ(item.GetFloatAttr(ATTR_LINE_WIDTH), 1);

    item.SetFloatAttr(ATTR_LINE_WIDTH, 2);
    item.ScaleAbout(20, 20, -1, 1, ModeCommit); // a flip keeps the width
    EXPECT_FLOAT_EQ(item.GetFloatAttr(ATTR_LINE_WIDTH), 2);

    // In a group each member keeps its own width rule.
    RectangleItem thin, thick;
    ASSERT_TRUE(thin.SetNodes(TwoPoints(0, 0, 40, 40)));
    ASSERT_TRUE(thick.SetNodes(TwoPoints(100, 0, 140, 40)));
    thin.SetFloatAttr(ATTR_LINE_WIDTH, 1);
    thick.SetFloatAttr(ATTR_LINE_WIDTH, 4);
    GroupItem group;
    group.AddChild(&thin);
    group.AddChild(&thick);

    group.ScaleAbout(0, 0, 2, 2, ModeCommit);
    EXPECT_FLOAT_EQ(thin.GetFloatAttr(ATTR_LINE_WIDTH), 2);
    EXPECT_FLOAT_EQ(thick.GetFloatAttr(ATTR_LINE_WIDTH), 8);

    // With a member made active by a node hit, a turn still goes about the group's centre.
    NodeSelection selection;
    ASSERT_NE(group.HitNode({250, 40}, selection), HitMiss);
    ASSERT_EQ(group.ActiveChild(), &thick);
    const RectF before = group.Bounds();
    group.RotateAbout(180, ModeCommit);
    ExpectRectNear(group.Bounds(), before, 0.05f);
}

TEST(DrawItemQueries, InsideRectExportAndSelectionHandles)
{
    RectangleItem item;
    ASSERT_TRUE(item.SetNodes(TwoPoints(10, 10, 50, 40)));
    item.SetFloatAttr(ATTR_LINE_WIDTH, 2);
    EXPECT_TRUE(item.IsInsideRect({9, 9, 42, 32}));
    EXPECT_FALSE(item.IsInsideRect({9, 9, 41, 32}));
    item.SetIntAttr(ATTR_LOCKED, 1);

    AttributeTable map{{ATTR_LINE_WIDTH, "kept"}};
    item.ExportAttributes(map);
    EXPECT_EQ(map.at(ATTR_LINE_WIDTH), "kept");
    EXPECT_EQ(map.at(ATTR_LOCKED), "1");
    EXPECT_EQ(map.at(ATTR_BOUNDS_WIDTH), "42.00");
    EXPECT_EQ(item.Attributes().count(ATTR_BOUNDS_X), 0u);
}

TEST(DrawItemGradient, RampsStopsAndDefaults)
{
    RectangleItem item;
    ASSERT_TRUE(item.SetNodes(TwoPoints(10, 20, 110, 60)));

    item.SetLineRamp({1, 2, 3}, {0, 1}); // lists of unequal length stay paired
    EXPECT_EQ(item.LineRamp().colors.size(), item.LineRamp().positions.size());

    item.EnsureFillGradient();
    ExpectNear(item.GetPointAttr(ATTR_FILL_GRADIENT_END), {110, 40});
    EXPECT_EQ(item.FillRamp(), (GradientRamp{{ColorOpaqueBlack, ColorOpaqueWhite}, {0, 1}}));
    item.SetFillStopColor(1, 0xFF00FF00);
    item.EnsureFillGradient(); // a ramp that exists stays
    ArgbColor color = 0;
    item.GetFillStopColor(1, color);
    EXPECT_EQ(color, 0xFF00FF00u);

    // Toggle a stop on at the middle and off again just beside it.
    EXPECT_EQ(item.ToggleFillStopAt({60, 41}, 0xFFFF0000), 2);
    float pos = 0;
    item.GetFillStopPosition(2, pos);
    EXPECT_FLOAT_EQ(pos, 0.5f);
    std::int32_t hit = -7;
    item.HitFillStop({110, 40}, hit);
    EXPECT_EQ(hit, 1);
    item.HitFillStop({60, 50}, hit);
    EXPECT_EQ(hit, -1);
    EXPECT_EQ(item.ToggleFillStopAt({63, 40}, 0), 0);
    EXPECT_EQ(item.ToggleFillStopAt({109, 40}, 0), -1); // on the end handle
    EXPECT_EQ(item.FillRamp().positions.size(), 2u);

    // End stops stay at 0 and 1; an intermediate one moves and clamps.
    ASSERT_EQ(item.ToggleFillStopAt({35, 40}, 0xFFFF0000), 2);
    item.SetFillStopPosition(1, 0.3f);
    EXPECT_EQ(item.FillRamp().positions[1], 1.0f);
    item.DragFillGradientHandle(2, 10, 0);
    EXPECT_NEAR(item.FillRamp().positions[2], 0.35f, 1e-5f);
    item.DragFillGradientHandle(2, -1000, 0);
    EXPECT_FLOAT_EQ(item.FillRamp().positions[2], 0.01f);
    item.DragFillGradientHandle(0, -5, 3);
    ExpectNear(item.GetPointAttr(ATTR_FILL_GRADIENT_START), {5, 43});
}

TEST(DrawItemGradient, VerticalAndDegenerateGradientLines)
{
    RectangleItem item;
    ASSERT_TRUE(item.SetNodes(TwoPoints(0, 0, 100, 100)));
    item.SetFillRamp({ColorOpaqueBlack, ColorOpaqueWhite, 0xFFFF0000}, {0, 1, 0.5f});

    // A vertical line measures along y.
    item.SetPointAttr(ATTR_FILL_GRADIENT_START, {50, 0});
    item.SetPointAttr(ATTR_FILL_GRADIENT_END, {50, 100});
    item.DragFillGradientHandle(2, 0, 10);
    EXPECT_NEAR(item.FillRamp().positions[2], 0.6f, 1e-5f);
    EXPECT_EQ(item.ToggleFillStopAt({51, 25}, 0), 3);
    EXPECT_NEAR(item.FillRamp().positions[3], 0.25f, 1e-5f);

    // Start and end on one point: nothing divides by the zero length.
    item.SetPointAttr(ATTR_FILL_GRADIENT_START, {50, 50});
    item.SetPointAttr(ATTR_FILL_GRADIENT_END, {50, 50});
    const GradientRamp before = item.FillRamp();
    item.DragFillGradientHandle(2, 5, 5);
    EXPECT_EQ(item.FillRamp(), before);
    item.SetFillRamp({ColorOpaqueBlack, ColorOpaqueWhite}, {0, 1});
    EXPECT_EQ(item.ToggleFillStopAt({53, 50}, 0), -1); // no direction to place a stop along
    item.SetFillRamp(before.colors, before.positions);
    item.SetFillGradientAngle(45);
    const PointF end = item.GetPointAttr(ATTR_FILL_GRADIENT_END);
    EXPECT_TRUE(std::isfinite(end.x) && std::isfinite(end.y));
}

TEST(DrawItemGradient, AngleReadsAndTurnsTheLine)
{
    RectangleItem item;
    item.SetPointAttr(ATTR_LINE_GRADIENT_START, {0, 0});
    item.SetPointAttr(ATTR_LINE_GRADIENT_END, {100, 0});
    float angle = 0;
    item.GetLineGradientAngle(angle);
    EXPECT_NEAR(angle, 0.5f, 0.01f);

    item.SetLineGradientAngle(90.5f); // a quarter turn, clockwise on screen
    ExpectNear(item.GetPointAttr(ATTR_LINE_GRADIENT_START), {0, 0});
    ExpectNear(item.GetPointAttr(ATTR_LINE_GRADIENT_END), {0, 100}, 0.02f);
    item.GetLineGradientAngle(angle);
    EXPECT_NEAR(angle, 90.5f, 0.05f);

    item.SetPointAttr(ATTR_LINE_GRADIENT_END, {0, -100});
    item.GetLineGradientAngle(angle);
    EXPECT_NEAR(angle, 270.5f, 0.05f);

    // The start is stored with the end, even where the item had none yet.
    RectangleItem fresh;
    fresh.SetFillGradientAngle(30);
    EXPECT_EQ(fresh.Attributes().count(ATTR_FILL_GRADIENT_START), 1u);
}

TEST(DrawItemCopy, CopyFromAndConvertInto)
{
    RectangleItem source;
    ASSERT_TRUE(source.SetNodes(TwoPoints(0, 0, 100, 40)));
    source.SetColorAttr(ATTR_FILL_COLOR, 0xFF123456);
    source.SetIntAttr(ATTR_HIDDEN, 1);
    source.SetFillRamp({1, 2}, {0, 1});
    source.SetLineRamp({3, 4, 5}, {0, 1, 0.25f});
    source.RotateAbout(30, ModeCommit);

    RectangleItem copy;
    copy.SetColorAttr(ATTR_LINE_COLOR, 0xFF000001);
    copy.CopyFrom(source);
    EXPECT_EQ(copy.GetMatrix(), source.GetMatrix());
    EXPECT_EQ(copy.LineRamp(), source.LineRamp());
    EXPECT_EQ(copy.GetColorAttr(ATTR_FILL_COLOR), 0xFF123456u);
    EXPECT_EQ(copy.IsHidden(), 0); // the copy's own value wins

    OutlineSink target;
    EXPECT_TRUE(source.ConvertInto(target));
    EXPECT_EQ(target.IsHidden(), 1); // conversion sets every attribute
    NodeList outline;
    source.GetNodes(outline);
    EXPECT_EQ(target.received, outline);
}

// Bounds are kept between calls. After every kind of change that can move
// them they must be what a fresh measure gives, on whichever path the change
// comes: setters, transforms, node edits, undo's direct writes, a copy.
TEST(DrawItemBounds, KeptBoundsFollowEveryChangeThatMovesThem)
{
    const NodeList box = TwoPoints(10, 10, 60, 40);
    const NodeList path = {PathNode::AtPoint(0, 0, NodeCusp), PathNode::AtPoint(40, 10, NodeCusp),
                           PathNode::AtPoint(50, 50, NodeCusp)};
    NodeList curve = path;
    curve.back().brk = 1;
    const auto widened = [](DrawItem& i) { i.SetFloatAttr(ATTR_LINE_WIDTH, 9); };
    struct Case
    {
        const char* change;
        std::int32_t kind;
        NodeList nodes;
        std::function<void(DrawItem&)> apply;
    };
    const Case cases[] = {
        {"line width", ItemRectangle, box, widened},
        {"line width by undo", ItemRectangle, box,
         [](DrawItem& i) {
             const std::string w = "9";
             i.RestoreAttr(ATTR_LINE_WIDTH, &w);
         }},
        {"matrix by undo", ItemEllipse, box, [](DrawItem& i) { i.RestoreMatrix(Matrix(2, 0, 0, 1, 5, 0)); }},
        {"scale", ItemEllipse, box, [](DrawItem& i) { i.ScaleAbout(0, 0, 2, 3, ModeCommit); }},
        {"move", ItemDoodle, path, [](DrawItem& i) { i.Translate(5, 7, ModeCommit); }},
        {"outline by undo", ItemLine, box, [](DrawItem& i) { i.ReplaceNodes(TwoPoints(0, 0, 80, 20)); }},
        {"new outline", ItemCurve, curve, [](DrawItem& i) { i.SetNodes(TwoPoints(-5, 0, 90, 9)); }},
        {"one node", ItemCurve, curve, [](DrawItem& i) { i.SetNode(0, PathNode::AtPoint(-30, 0, NodeCusp)); }},
        {"node deleted", ItemCurve, curve, [](DrawItem& i) { i.DeleteNode(2); }},
        {"nodes dragged", ItemLine, box, [](DrawItem& i) { i.MoveNodes(ModeCommit, {1}, 30, 0); }},
        {"text", ItemText, box, [](DrawItem& i) { i.SetTextAttr(ATTR_CONTENT, "Abc def"); }},
        {"font size", ItemText, box, [](DrawItem& i) { i.SetIntAttr(ATTR_FONT_SIZE, 40); }},
        {"bold", ItemText, box, [](DrawItem& i) { i.SetIntAttr(ATTR_BOLD, 1); }},
        // The target's own width stays (a copy keeps attributes it had), so
        // the source's bounds are not the copy's.
        {"copied over", ItemRectangle, box,
         [&](DrawItem& i) {
             widened(i);
             RectangleItem wide;
             wide.SetNodes(TwoPoints(0, 0, 200, 100));
             wide.SetFloatAttr(ATTR_LINE_WIDTH, 1);
             wide.Bounds();
             i.CopyFrom(wide);
         }},
        {"copied text over a bigger font", ItemText, box,
         [](DrawItem& i) {
             std::unique_ptr<DrawItem> other(CreateItem(ItemText, 2));
             other->SetTextAttr(ATTR_CONTENT, "Ab");
             other->SetIntAttr(ATTR_FONT_SIZE, 10);
             other->SetNodes(TwoPoints(0, 0, 0, 0));
             other->Bounds();
             i.SetIntAttr(ATTR_FONT_SIZE, 30);
             i.CopyFrom(*other);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        std::unique_ptr<DrawItem> item(CreateItem(c.kind, 1));
        if (c.kind == ItemText) {
            item->SetTextAttr(ATTR_FONT_NAME, "Arial");
            item->SetIntAttr(ATTR_FONT_SIZE, 20);
            item->SetTextAttr(ATTR_CONTENT, "Ab");
        }
        ASSERT_TRUE(item->SetNodes(c.nodes));
        const RectF before = item->Bounds();
        c.apply(*item);
        RectF fresh;
        item->GetBounds(fresh, ModeCommit);
        EXPECT_NE(fresh, before) << "the change must move the bounds";
        EXPECT_EQ(item->Bounds(), fresh);
    }

    // A group keeps none: a member's own change shows at once.
    RectangleItem a, b;
    a.SetNodes(box);
    b.SetNodes(TwoPoints(70, 0, 90, 20));
    GroupItem group;
    group.AddChildren({&a, &b});
    const RectF before = group.Bounds();
    widened(b);
    RectF fa, fb;
    a.GetBounds(fa, ModeCommit);
    b.GetBounds(fb, ModeCommit);
    EXPECT_NE(UnionRect(fa, fb), before);
    EXPECT_EQ(group.Bounds(), UnionRect(fa, fb));
    group.ReleaseChildren();
}
