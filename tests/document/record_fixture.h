#pragma once

// Shared fixture of the undo record tests: a document, the view's selection
// group, item builders that go through the document's pushes, and an exact
// text picture of the drawing to compare states with.

#include "document/item_ref.h"
#include "document/korvani_doc.h"
#include "items/group_item.h"
#include "support/geometry_expect.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

// The saved drawing file, followed by every item in z-order with everything
// that can differ: kind, id, name, own attributes, nodes and matrix to the
// last bit, ramps and children.
std::string DrawingState(const CKorvaniDoc& doc);

// A closed (or open) polygon outline of cusp nodes through the points.
inline NodeList PolygonNodes(std::initializer_list<PointF> points, bool closed = true)
{
    return Polyline(points, closed);
}

class RecordTest : public ::testing::Test
{
protected:
    ~RecordTest() override { selection.ReleaseChildren(); }

    // Each builder pushes one AddItemRecord and answers the new item.
    DrawItem* AddRect(float x, float y, float w, float h, ArgbColor fill = 0xFF336699);
    DrawItem* AddEllipse(float x, float y, float w, float h);
    DrawItem* AddLine(float x0, float y0, float x1, float y1);
    DrawItem* AddCurve(const NodeList& nodes);
    DrawItem* AddDoodle(float x, float y, int points);
    DrawItem* AddText(float x, float y, const std::string& text);
    // An item of the kind from nodes and attributes, or null when refused.
    DrawItem* Add(std::int32_t kind, const NodeList& nodes, AttributeTable attributes);

    // The selection group holding exactly these items, in this order.
    DrawItem* Select(std::initializer_list<DrawItem*> items) { return Select(std::vector<DrawItem*>(items)); }
    DrawItem* Select(const std::vector<DrawItem*>& items);

    std::vector<DrawItem*> Order() const { return std::vector<DrawItem*>(doc.Items().begin(), doc.Items().end()); }
    std::string State() const { return DrawingState(doc); }

    CKorvaniDoc doc;
    GroupItem selection{SelectionGroupId};
};
