#pragma once

// A document whose items are made through its own add operation.

#include "document/korvani_doc.h"
#include "support/push_item.h"

#include <gtest/gtest.h>

class ExportFixture : public ::testing::Test
{
protected:
    DrawItem* Add(std::int32_t type, NodeList nodes, ArgbColor fill, ArgbColor line = ColorOpaqueBlack, float width = 1)
    {
        DrawItem* item = PushItem(doc, type, nodes, ShapeAttributes(fill, width, line));
        EXPECT_NE(item, nullptr);
        return item;
    }

    DrawItem* AddBox(std::int32_t type, float x0, float y0, float x1, float y1, ArgbColor fill)
    {
        return Add(type, {PathNode::AtPoint(x0, y0), PathNode::AtPoint(x1, y1)}, fill);
    }

    CKorvaniDoc doc;
};
