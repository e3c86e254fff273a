#include "items/attribute_format.h"
#include "items/curve_item.h"
#include "items/group_item.h"
#include "items/item_factory.h"
#include "items/rectangle_item.h"
#include "support/geometry_expect.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace {

constexpr ArgbColor Red = 0xFFFF0000;
constexpr ArgbColor Green = 0xFF00FF00;
constexpr ArgbColor Blue = 0xFF0000FF;

std::unique_ptr<RectangleItem> MakeRect(float x0, float y0, float x1, float y1)
{
    auto rect = std::make_unique<RectangleItem>();
    EXPECT_TRUE(rect->SetNodes(TwoPoints(x0, y0, x1, y1)));
    return rect;
}

std::unique_ptr<CurveItem> MakeCurve(std::initializer_list<PointF> points)
{
    auto curve = std::make_unique<CurveItem>();
    EXPECT_TRUE(curve->SetNodes(Polyline(points)));
    return curve;
}

// Copies made by a group belong to nobody; the test frees them.
void DeleteChildren(GroupItem& group)
{
    for (DrawItem* child : group.Children()) {
        if (auto* inner = dynamic_cast<GroupItem*>(child))
            DeleteChildren(*inner);
        delete child;
    }
    group.ReleaseChildren();
}

} // namespace

TEST(GroupItemTest, AttributesGoToTheActiveChildOrToEveryone)
{
    auto rect = MakeRect(0, 0, 40, 40);
    auto curve = MakeCurve({{60, 0}, {100, 0}, {100, 40}});
    GroupItem group;
    group.AddChild(rect.get());
    group.AddChild(curve.get());

    // No active child: every child and the group's own table.
    group.SetColorAttr(ATTR_FILL_COLOR, Red);
    EXPECT_EQ(rect->GetColorAttr(ATTR_FILL_COLOR), Red);
    EXPECT_EQ(curve->GetColorAttr(ATTR_FILL_COLOR), Red);
    EXPECT_EQ(group.Attributes().at(ATTR_FILL_COLOR), FormatColorAttr(Red));

    ArgbColor stop = 0;
    group.GetLineStopColor(0, stop);
    EXPECT_EQ(stop, ColorOpaqueBlack);
    EXPECT_EQ(group.ToggleLineStopAt({0, 0}, Red), -1);

    // A node hit inside the second child makes it the active one.
    NodeSelection selection;
    EXPECT_EQ(group.HitNode({100, 0}, selection), HitAnchor);
    EXPECT_EQ(group.ActiveChild(), curve.get());
    EXPECT_EQ(selection, NodeSelection{1});
    curve->SetColorAttr(ATTR_FILL_COLOR, Blue);
    EXPECT_EQ(group.GetColorAttr(ATTR_FILL_COLOR), Blue);
    group.SetColorAttr(ATTR_FILL_COLOR, Green);
    group.SetFloatAttr(ATTR_LINE_WIDTH, 3);
    EXPECT_EQ(curve->GetColorAttr(ATTR_FILL_COLOR), Green);
    EXPECT_EQ(rect->GetFloatAttr(ATTR_LINE_WIDTH), 0);
    EXPECT_EQ(group.Attributes().at(ATTR_FILL_COLOR), FormatColorAttr(Red));
    group.MoveNodes(0, selection, 0, 5);
    EXPECT_EQ(curve->Nodes()[1].Anchor(), (PointF{100, 5}));

    // A miss clears the active child; the group answers from its own table again.
    EXPECT_EQ(group.HitNode({300, 300}, selection), HitMiss);
    EXPECT_EQ(group.ActiveChild(), nullptr);
    EXPECT_EQ(group.GetColorAttr(ATTR_FILL_COLOR), Red);

    // Default gradients go to every child and make the first one active.
    group.EnsureFillGradient();
    EXPECT_EQ(group.ActiveChild(), rect.get());
    EXPECT_EQ(curve->FillRamp().positions.size(), 2u);
    group.GetFillStopColor(1, stop);
    EXPECT_EQ(stop, ColorOpaqueWhite);
}

TEST(GroupItemTest, NodeHitsSearchFromTheTopDown)
{
    auto rect = MakeRect(0, 0, 40, 40);
    auto curve = MakeCurve({{20, 20}, {30, 30}});
    GroupItem inner;
    inner.AddChild(curve.get());
    GroupItem outer;
    outer.AddChild(rect.get());
    outer.AddChild(&inner);

    // The curve lies over the rectangle: the top child answers first.
    NodeSelection selection;
    EXPECT_EQ(outer.HitNode({20, 20}, selection), HitAnchor);
    EXPECT_EQ(outer.ActiveChild(), &inner);
    EXPECT_EQ(inner.ActiveChild(), curve.get());
    EXPECT_EQ(selection, NodeSelection{0});

    selection.clear();
    EXPECT_EQ(outer.HitNode({5, 35}, selection), HitBody);
    EXPECT_EQ(outer.ActiveChild(), rect.get());
    EXPECT_EQ(inner.ActiveChild(), nullptr);

    EXPECT_EQ(outer.SelectNodesInRect({15, 15, 20, 20}, selection), 1);
    EXPECT_EQ(selection, (NodeSelection{0, 1}));
    EXPECT_EQ(outer.SelectNodesInRect({200, 200, 5, 5}, selection), HitMiss);
    EXPECT_EQ(outer.ActiveChild(), nullptr);
}

TEST(GroupItemTest, TransformsReachEveryChild)
{
    auto rect = MakeRect(0, 0, 40, 40);
    auto curve = MakeCurve({{60, 0}, {100, 0}, {100, 40}});
    GroupItem group;
    group.AddChild(rect.get());
    group.AddChild(curve.get());
    EXPECT_EQ(group.GetPointAttr(ATTR_CENTER), (PointF{50, 20}));
    EXPECT_EQ(rect->GetPointAttr(ATTR_CENTER), (PointF{20, 20})); // not the group's centre

    group.Translate(10, 5, ModePreview);
    EXPECT_FALSE(curve->PreviewNodes().empty());
    EXPECT_EQ(group.GetPointAttr(ATTR_CENTER), (PointF{50, 20}));
    RectF preview;
    group.GetBounds(preview, ModePreview);
    EXPECT_EQ(preview, (RectF{10, 5, 100, 40}));

    // Each child moves by its own kind's policy (the kinds table's); the group keeps no matrix.
    group.Translate(10, 5, ModeCommit);
    EXPECT_EQ(curve->Nodes()[0].Anchor(), (PointF{70, 5}));
    EXPECT_TRUE(group.GetMatrix().IsIdentity());
    EXPECT_EQ(group.GetPointAttr(ATTR_CENTER), (PointF{60, 25}));
    EXPECT_EQ(rect->GetPointAttr(ATTR_CENTER), (PointF{30, 25}));
    EXPECT_EQ(group.HitTest({6, 1}), HitTopLeft);
}

TEST(GroupItemTest, CopyIsDeep)
{
    auto rect = MakeRect(0, 0, 40, 40);
    auto curve = MakeCurve({{20, 20}, {30, 30}});
    GroupItem inner(TakeNextItemId());
    inner.AddChild(curve.get());
    GroupItem outer(TakeNextItemId());
    outer.AddChild(rect.get());
    outer.AddChild(&inner);
    outer.SetColorAttr(ATTR_LINE_COLOR, Blue);

    const std::uint32_t firstNewId = NextItemId;
    GroupItem copy(TakeNextItemId());
    copy.CopyFrom(outer);
    ASSERT_EQ(copy.ChildCount(), 2);
    DrawItem* rectCopy = copy.ChildAt(0);
    DrawItem* innerCopy = copy.ChildAt(1);
    EXPECT_NE(rectCopy, rect.get());
    EXPECT_EQ(rectCopy->GetColorAttr(ATTR_LINE_COLOR), Blue);
    ASSERT_EQ(innerCopy->ChildCount(), 1);
    DrawItem* curveCopy = innerCopy->ChildAt(0);
    EXPECT_EQ(curveCopy->Nodes(), curve->Nodes());

    const std::set<std::uint32_t> ids{copy.Id(), rectCopy->Id(), innerCopy->Id(), curveCopy->Id()};
    EXPECT_EQ(ids.size(), 4u);
    EXPECT_GE(*ids.begin(), firstNewId);

    // The copy moves on its own.
    copy.Translate(5, 0, ModeCommit);
    EXPECT_EQ(curve->Nodes()[0].Anchor(), (PointF{20, 20}));
    EXPECT_EQ(curveCopy->Nodes()[0].Anchor(), (PointF{25, 20}));

    copy.CopyFrom(copy); // into itself: nothing to do
    EXPECT_EQ(copy.ChildCount(), 2);
    DeleteChildren(copy);
}

TEST(GroupItemTest, ChildrenComeAndGo)
{
    GroupItem group;
    RectF bounds{1, 2, 3, 4};
    group.GetBounds(bounds, ModeCommit);
    EXPECT_EQ(bounds, RectF{});
    EXPECT_FALSE(group.AddChild(nullptr));
    EXPECT_FALSE(group.AddChild(&group));

    auto rect = MakeRect(0, 0, 40, 40);
    auto curve = MakeCurve({{60, 0}, {100, 0}});
    group.AddChild(rect.get());
    group.AddChild(curve.get());
    EXPECT_EQ(group.ChildAt(2), nullptr);

    NodeSelection selection;
    group.HitNode({60, 0}, selection);
    ASSERT_EQ(group.ActiveChild(), curve.get());
    EXPECT_FALSE(group.RemoveChildAt(2));
    EXPECT_TRUE(group.RemoveChildAt(1));
    EXPECT_EQ(group.ActiveChild(), nullptr);

    EXPECT_TRUE(group.SetNodes({PathNode::AtPoint(1, 1), PathNode::AtPoint(9, 9)}));
    EXPECT_TRUE(group.Nodes().empty());
    CurveItem target;
    EXPECT_FALSE(group.ConvertInto(target));

    group.SetColorAttr(ATTR_FILL_COLOR, Red);
    EXPECT_TRUE(group.ReleaseChildren());
    EXPECT_TRUE(group.Attributes().empty());
    EXPECT_EQ(rect->GetColorAttr(ATTR_FILL_COLOR), Red); // the child lives on
}

