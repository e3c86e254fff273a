// Attribute, colour and gradient records.

#include "record_fixture.h"

#include "items/attribute_format.h"

#include <cmath>

namespace {

using AttributeRecords = RecordTest;

TEST_F(AttributeRecords, SetPropertyOfEachKind)
{
    AttributeTable attributes{{ATTR_LINE_WIDTH, "2.5"}, {ATTR_LINE_COLOR, "255-000-000-000"}};
    DrawItem* rect = Add(ItemRectangle, {PathNode::AtPoint(0, 0), PathNode::AtPoint(30, 30)}, attributes);
    DrawItem* curve = AddCurve(PolygonNodes({{0, 0}, {30, 5}, {10, 40}}));
    DrawItem* text = AddText(50, 50, "old");
    ASSERT_TRUE(rect && curve && text);
    DrawItem* both = Select({rect, curve});

    // Undo restoring the old text, or none, exactly is the randomized model's to prove.
    ASSERT_EQ(doc.PushSetPropertyInt(both, ATTR_DASH_STYLE, 2), 0);
    EXPECT_EQ(curve->Attributes().at(ATTR_DASH_STYLE), "2");
    ASSERT_EQ(doc.PushSetPropertyFloat(both, ATTR_LINE_WIDTH, 3.25f), 0);
    EXPECT_EQ(rect->Attributes().at(ATTR_LINE_WIDTH), "3.2500");
    ASSERT_EQ(doc.PushSetPropertyText(text, ATTR_CONTENT, "new\nlines"), 0);
    EXPECT_EQ(text->GetTextAttr(ATTR_CONTENT), "new\nlines");
    ASSERT_EQ(doc.PushSetPropertyPoint(curve, ATTR_CENTER, {1.25f, -7}), 0);
    EXPECT_EQ(curve->Attributes().at(ATTR_CENTER), "1.25|-7.00");

    const std::string unchanged = State();
    EXPECT_LT(doc.PushSetPropertyFloat(both, ATTR_LINE_WIDTH, NAN), 0);
    EXPECT_LT(doc.PushSetPropertyInt(Select({}), ATTR_LOCKED, 1), 0);
    EXPECT_EQ(State(), unchanged);
}

// The line and fill variants of the gradient records, checked by one walk.
struct Side
{
    const char* name;
    std::int32_t gradientAttr;
    std::int32_t colorAttr;
    std::int32_t startAttr;
    const GradientRamp& (DrawItem::*ramp)() const;
    int (CKorvaniDoc::*gradientOn)(DrawItem*);
    int (CKorvaniDoc::*solid)(DrawItem*, ArgbColor);
    int (CKorvaniDoc::*angle)(DrawItem*, float);
    int (CKorvaniDoc::*stopColor)(DrawItem*, std::int32_t, ArgbColor);
    int (CKorvaniDoc::*stopPosition)(DrawItem*, std::int32_t, float);
    int (CKorvaniDoc::*handle)(DrawItem*, std::int32_t, float, float);
    int (CKorvaniDoc::*toggle)(DrawItem*, PointF, ArgbColor);
    void (DrawItem::*getAngle)(float&);
};

const Side Sides[] = {
    {"line", ATTR_LINE_GRADIENT, ATTR_LINE_COLOR, ATTR_LINE_GRADIENT_START, &DrawItem::LineRamp,
     &CKorvaniDoc::PushLineGradientOn, &CKorvaniDoc::PushSolidLine, &CKorvaniDoc::PushLineGradientAngle,
     &CKorvaniDoc::PushLineStopColor, &CKorvaniDoc::PushLineStopPosition, &CKorvaniDoc::PushLineGradientHandle,
     &CKorvaniDoc::PushToggleLineStop, &DrawItem::GetLineGradientAngle},
    {"fill", ATTR_FILL_GRADIENT, ATTR_FILL_COLOR, ATTR_FILL_GRADIENT_START, &DrawItem::FillRamp,
     &CKorvaniDoc::PushFillGradientOn, &CKorvaniDoc::PushSolidFill, &CKorvaniDoc::PushFillGradientAngle,
     &CKorvaniDoc::PushFillStopColor, &CKorvaniDoc::PushFillStopPosition, &CKorvaniDoc::PushFillGradientHandle,
     &CKorvaniDoc::PushToggleFillStop, &DrawItem::GetFillGradientAngle},
};

// What each gradient record does; exact undo and redo are the randomized model's.
TEST_F(AttributeRecords, GradientEditsOfBothSides)
{
    for (const Side& side : Sides) {
        SCOPED_TRACE(side.name);
        doc.Reset();
        DrawItem* rect = AddRect(10, 10, 40, 20, 0xFF00FF00);
        DrawItem* other = AddEllipse(100, 0, 20, 20);
        auto step = [](int result) { EXPECT_GE(result, 0); };
        auto ramp = [&]() -> const GradientRamp& { return (rect->*side.ramp)(); };

        step((doc.*side.gradientOn)(Select({rect, other})));
        EXPECT_EQ(other->GetIntAttr(side.gradientAttr), 1);
        ASSERT_EQ(ramp().positions.size(), 2u);
        const PointF start = rect->GetPointAttr(side.startAttr);

        // A stop in the middle of the gradient line (the rectangle's mid-height).
        // The answer is the new stop's index; beside the line nothing is toggled and nothing kept.
        EXPECT_EQ((doc.*side.toggle)(rect, {30, 20}, 0xFFFF0000), 2);
        ASSERT_EQ(ramp().positions.size(), 3u);
        EXPECT_NEAR(ramp().positions[2], 0.5, 0.02);
        const std::size_t steps = doc.GetUndoStack().UndoCount();
        EXPECT_LT((doc.*side.toggle)(rect, {30, 29}, 0xFFFF0000), 0);
        EXPECT_EQ(doc.GetUndoStack().UndoCount(), steps);

        step((doc.*side.stopColor)(rect, 2, 0xFF0000FF));
        EXPECT_EQ(ramp().colors[2], 0xFF0000FFu);

        step((doc.*side.stopPosition)(rect, 2, 0.25f));

        step((doc.*side.handle)(rect, 2, 4.15f, 0));
        EXPECT_NEAR(ramp().positions[2], 0.35, 0.001);

        step((doc.*side.handle)(rect, 0, 1, 2));
        EXPECT_EQ(rect->GetPointAttr(side.startAttr), (PointF{start.x + 1, start.y + 2}));

        step((doc.*side.angle)(rect, 90));
        float angle = 0;
        (rect->*side.getAngle)(angle);
        EXPECT_NEAR(angle, 90, 1);

        // A solid colour over the gradient turns it off.
        step((doc.*side.solid)(Select({rect, other}), 0x80102030));
        EXPECT_EQ(rect->GetIntAttr(side.gradientAttr), 0);
        EXPECT_EQ(rect->GetColorAttr(side.colorAttr), 0x80102030u);

        EXPECT_LT((doc.*side.stopPosition)(rect, 2, INFINITY), 0);
        EXPECT_LT((doc.*side.toggle)(rect, {NAN, 1}, 0), 0);
    }
}

} // namespace
