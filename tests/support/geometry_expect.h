#pragma once

// Small helpers of the item tests: outlines through points and comparisons
// of points and rectangles to a tolerance.

#include "items/geometry.h"

#include <gtest/gtest.h>

#include <initializer_list>

inline NodeList TwoPoints(float x0, float y0, float x1, float y1)
{
    return {PathNode::AtPoint(x0, y0), PathNode::AtPoint(x1, y1)};
}

// Cusp nodes through the points, the last one ending the subpath.
inline NodeList Polyline(std::initializer_list<PointF> points, bool closed = false)
{
    NodeList list;
    for (PointF p : points)
        list.push_back(PathNode::AtPoint(p.x, p.y));
    list.back().brk = 1;
    list.back().close = closed ? 1 : 0;
    return list;
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
