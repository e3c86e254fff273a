#pragma once

// A document whose items the fixture owns, made by the item factory.

#include "document/korvani_doc.h"
#include "items/item_factory.h"

#include <gtest/gtest.h>

#include <vector>

class ExportFixture : public ::testing::Test
{
protected:
    ~ExportFixture() override
    {
        doc.Items().RemoveAll();
        for (DrawItem* item : owned)
            item->Release();
    }

    // A new item, in the drawing unless it is to go into a group.
    DrawItem* Add(std::int32_t type, NodeList nodes, ArgbColor fill, ArgbColor line = ColorOpaqueBlack, float width = 1,
                  bool inDrawing = true)
    {
        DrawItem* item = CreateItem(type, TakeNextItemId());
        item->AddRef();
        owned.push_back(item);
        item->SetColorAttr(ATTR_FILL_COLOR, fill);
        item->SetColorAttr(ATTR_LINE_COLOR, line);
        item->SetFloatAttr(ATTR_LINE_WIDTH, width);
        EXPECT_TRUE(item->SetNodes(nodes));
        if (inDrawing)
            doc.AddItem(item);
        return item;
    }

    DrawItem* AddBox(std::int32_t type, float x0, float y0, float x1, float y1, ArgbColor fill)
    {
        return Add(type, {PathNode::AtPoint(x0, y0), PathNode::AtPoint(x1, y1)}, fill);
    }

    CKorvaniDoc doc;
    std::vector<DrawItem*> owned;
};
