// Committed moves, turns and scales: what each record does. That undo and
// redo give back each state exactly is the randomized model's to prove.

#include "record_fixture.h"

#include "items/attribute_format.h"

#include <cmath>

namespace {

using TransformRecords = RecordTest;

TEST_F(TransformRecords, MoveTranslatesAndRotateTurnsEveryMemberAboutTheSelectionsCentre)
{
    DrawItem* rect = AddRect(10, 10, 20, 20);
    DrawItem* curve = AddCurve(PolygonNodes({{0, 0}, {30, 5}, {10, 40}}));
    DrawItem* text = AddText(50, 50, "Hi");
    const RectF textBefore = text->Bounds();
    ASSERT_EQ(doc.PushMove(Select({rect, curve, text}), 12.5f, -3), 0);
    EXPECT_FLOAT_EQ(rect->GetMatrix().Dx(), 12.5f);
    EXPECT_EQ(curve->Nodes()[1].Anchor(), (PointF{42.5f, 2}));
    EXPECT_FLOAT_EQ(text->Bounds().y, textBefore.y - 3);

    EXPECT_LT(doc.PushMove(rect, NAN, 1), 0);

    // A turn goes about the item's own centre.
    rect = AddRect(0, 0, 40, 20);
    DrawItem* line = AddLine(100, 100, 140, 100);
    const PointF rectCentre = rect->RotationCentre();
    ASSERT_EQ(doc.PushRotate(rect, 90), 0);
    const RectF turned = rect->Bounds();
    EXPECT_NEAR(turned.Center().x, rectCentre.x, 0.01);
    EXPECT_NEAR(turned.width, 20 + 1.5, 0.01);

    // The members of a multi-selection turn about the selection's centre,
    // here the line's start, as one block.
    DrawItem* both = Select({rect, line});
    const std::string start = FormatPointAttr({100, 100});
    both->RestoreAttr(ATTR_CENTER, &start);
    ASSERT_EQ(doc.PushRotate(both, 90), 0);
    EXPECT_NEAR(line->Nodes()[1].x, 100, 0.001);
    EXPECT_NEAR(line->Nodes()[1].y, 140, 0.001);
    EXPECT_NEAR(rect->Bounds().Center().x, 190, 0.01);
    EXPECT_LT(doc.PushRotate(rect, INFINITY), 0);
}

TEST_F(TransformRecords, ZeroOrUnusableScaleFactorsAreNeverCommitted)
{
    DrawItem* rect = AddRect(10, 10, 40, 20);
    ASSERT_EQ(doc.PushMove(rect, 1, 1), 0);
    doc.Undo(); // something to redo
    const std::string before = State();
    for (const auto& [sx, sy] : {std::pair{1.0f, 0.0f}, {-0.0f, 2.0f}, {1.0f, INFINITY}}) {
        EXPECT_LT(doc.PushScale(rect, {0, 0}, sx, sy), 0);
        EXPECT_EQ(State(), before);
    }
    EXPECT_LT(doc.PushScale(rect, {NAN, 0}, 2, 2), 0);
    EXPECT_TRUE(doc.CanRedo());
}

} // namespace
