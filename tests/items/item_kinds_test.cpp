// What every kind of item must do alike, one table over the kinds: hidden and
// locked items are inert, and the two transform policies (accumulating in the
// matrix or baking into the nodes) move bounds, centre and gradient alike.

#include "render_on_white.h"

#include "items/item_factory.h"
#include "support/geometry_expect.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

struct Kind
{
    std::int32_t code;
    NodeList nodes;
    PointF body;      // a point on the item's body
    bool accumulates; // transforms gather in the matrix instead of the nodes
    bool mapsGradient;
};

std::vector<Kind> Kinds()
{
    return {{ItemLine, Polyline({{20, 20}, {80, 60}}), {50, 40}, false, true},
            {ItemRectangle, Polyline({{20, 20}, {80, 60}}), {50, 40}, true, true},
            {ItemEllipse, Polyline({{20, 20}, {80, 60}}), {50, 40}, true, true},
            {ItemCurve, Polyline({{20, 20}, {80, 20}, {50, 60}}), {50, 30}, false, true},
            {ItemDoodle, Polyline({{20, 20}, {50, 60}, {80, 20}}), {35, 40}, false, true},
            {ItemText, Polyline({{20, 20}}), {0, 0}, true, true},
            {ItemImage, Polyline({{20, 20}, {80, 60}}), {50, 40}, true, false}};
}

class ItemKinds : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        picture = dir.filePath("p.png").toStdString();
        QImage red(8, 8, QImage::Format_RGB32);
        red.fill(Qt::red);
        ASSERT_TRUE(red.save(QString::fromStdString(picture)));
    }

    std::unique_ptr<DrawItem> Make(const Kind& kind)
    {
        auto item = CreateOwnedItem(kind.code, TakeNextItemId());
        EXPECT_EQ(item->TypeCode(), kind.code);
        item->SetColorAttr(ATTR_LINE_COLOR, ColorOpaqueBlack);
        item->SetFloatAttr(ATTR_LINE_WIDTH, 3);
        item->SetColorAttr(ATTR_FILL_COLOR, 0xFFFF0000);
        item->SetTextAttr(ATTR_FONT_NAME, "Arial");
        item->SetIntAttr(ATTR_FONT_SIZE, 40);
        item->SetTextAttr(ATTR_CONTENT, kind.code == ItemImage ? picture : "HH");
        EXPECT_TRUE(item->SetNodes(kind.nodes)) << kind.code;
        return item;
    }

    static PointF Body(const Kind& kind, DrawItem& item)
    {
        return kind.code == ItemText ? item.Bounds().Center() : kind.body;
    }

    QTemporaryDir dir;
    std::string picture;
};

TEST_F(ItemKinds, HiddenOrLockedItemsAreInert)
{
    const QImage blank = Blank();
    for (const Kind& kind : Kinds()) {
        for (const std::int32_t flag : {ATTR_HIDDEN, ATTR_LOCKED}) {
            SCOPED_TRACE(testing::Message() << "kind " << kind.code << (flag == ATTR_HIDDEN ? " hidden" : " locked"));
            auto item = Make(kind);
            const PointF body = Body(kind, *item);
            const RectF bounds = item->Bounds();
            const PointF corner{bounds.x - 4, bounds.y - 4};
            // As it is, the item answers; the checks below are not vacuous.
            ASSERT_EQ(item->HitTest(body), HitBody);
            ASSERT_EQ(item->HitTest(corner), HitTopLeft);
            const QImage shown = PaintOnWhite([&](QPainter& p) { item->Draw(p); });
            ASSERT_NE(shown, blank);

            item->SetIntAttr(flag, 1);
            item->SetPointAttr(ATTR_FILL_GRADIENT_START, {1, 2});
            item->DragFillGradientHandle(0, 5, 5);
            EXPECT_EQ(item->GetPointAttr(ATTR_FILL_GRADIENT_START), (PointF{1, 2}));
            const NodeList nodes = item->Nodes();
            NodeSelection selection;
            EXPECT_EQ(item->HitTest(body), HitMiss);
            EXPECT_EQ(item->HitTest(corner), HitMiss);
            EXPECT_EQ(item->HitNode(item->Nodes()[0].Anchor(), selection), HitMiss);
            EXPECT_EQ(item->SelectNodesInRect({0, 0, 200, 200}, selection), HitMiss);
            EXPECT_FALSE(item->IsInsideRect({0, 0, 200, 200}));
            item->MoveNodes(0, {0, 1}, 5, 5);
            item->InsertNodeAt(PathNode::AtPoint(50, 20));
            item->DeleteNode(0);
            EXPECT_EQ(item->Nodes(), nodes);
            EXPECT_EQ(PaintOnWhite([&](QPainter& p) { item->DrawSelectionHandles(p); }), blank);
            // Hidden draws nothing, not even a preview; locked draws as before.
            if (flag == ATTR_HIDDEN)
                item->Translate(5, 5, ModePreview);
            EXPECT_EQ(PaintOnWhite([&](QPainter& p) { item->Draw(p); }), flag == ATTR_HIDDEN ? blank : shown);
        }
    }
}

TEST_F(ItemKinds, TransformsAccumulateOrBakeByKind)
{
    for (const Kind& kind : Kinds()) {
        SCOPED_TRACE(testing::Message() << "kind " << kind.code);
        auto item = Make(kind);
        item->SetPointAttr(ATTR_FILL_GRADIENT_START, {1, 2});
        const NodeList nodes = item->Nodes();
        const RectF bounds = item->Bounds();
        const PointF centre = item->GetPointAttr(ATTR_CENTER);

        // A preview leaves the committed item alone.
        item->Translate(10, 5, ModePreview);
        EXPECT_EQ(item->Nodes(), nodes);
        EXPECT_EQ(item->Bounds(ModeCommit), bounds);
        EXPECT_NEAR(item->Bounds(ModePreview).x, bounds.x + 10, 0.01f);
        EXPECT_EQ(item->GetPointAttr(ATTR_CENTER), centre);

        item->Translate(10, 5, ModeCommit);
        EXPECT_TRUE(item->PreviewNodes().empty());
        EXPECT_NEAR(item->Bounds().y, bounds.y + 5, 0.01f);
        EXPECT_NEAR(item->GetPointAttr(ATTR_CENTER).x, centre.x + 10, 0.01f);
        EXPECT_EQ(item->GetPointAttr(ATTR_FILL_GRADIENT_START), (kind.mapsGradient ? PointF{11, 7} : PointF{1, 2}));
        if (kind.accumulates) {
            EXPECT_EQ(item->GetMatrix(), Matrix(1, 0, 0, 1, 10, 5));
            EXPECT_EQ(item->Nodes(), nodes);
        } else {
            EXPECT_TRUE(item->GetMatrix().IsIdentity());
            EXPECT_EQ(item->Nodes()[0].Right(), (PointF{nodes[0].rx + 10, nodes[0].ry + 5}));
        }

        // A matrix holding NaN or infinity never reaches the item.
        const RectF moved = item->Bounds();
        item->Transform(Matrix(std::nanf(""), 0, 0, 1, 0, 0), ModeCommit);
        item->ScaleAbout(0, 0, INFINITY, 1, ModeCommit);
        EXPECT_EQ(item->Bounds(), moved);
    }
}

} // namespace
