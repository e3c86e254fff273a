#pragma once

// Small helpers of the item tests: two-node outlines and comparisons of
// points and rectangles to a tolerance.

#include "items/geometry.h"

#include <gtest/gtest.h>

inline NodeList TwoPoints(float x0, float y0, float x1, float y1)
{
    return {PathNode::AtPoint(x0, y0), PathNode::AtPoint(x1, y1)};
}

inline void ExpectNear(PointF actual, PointF expected, float tolerance = 0.01f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
}

inline void ExpectRectNear(const RectF& actual, const RectF& expected, float tolerance = 0.01f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.width, expected.width, tolerance);
    EXPECT_NEAR(actual.height, expected.height, tolerance);
}
