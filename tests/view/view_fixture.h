#pragma once

// A view on its own document with a scripted host, and fixture helpers that
// build items through the document's public operations.

#include "document/korvani_doc.h"
#include "items/attribute_format.h"
#include "items/draw_item.h"
#include "support/geometry_expect.h"
#include "support/scripted_host.h"
#include "support/view_driver.h"
#include "view/korvani_view.h"

#include <gtest/gtest.h>

#include <string>

class ViewTest : public ::testing::Test
{
protected:
    ViewTest()
    {
        ZoomFactor = 1.0f;
        host.paintClient = [this] { return view.PaintClient(); };
    }
    ~ViewTest() override { ZoomFactor = 1.0f; }

    // A canvas with 40-pixel margins: the canvas origin sits at client (40, 40).
    void MakeCanvas(int width = 500, int height = 400)
    {
        view.OnResize(width + 80, height + 80);
        ASSERT_TRUE(view.NewCanvas(width, height, ColorOpaqueWhite));
    }

    // A rectangle through the document's own operation; a line width of 0
    // makes its bounds exactly the box.
    DrawItem* AddRect(float x, float y, float w, float h, ArgbColor fill = ColorOpaqueWhite, float lineWidth = 0,
                      ArgbColor line = ColorOpaqueBlack)
    {
        return AddBox(ItemRectangle, x, y, w, h, fill, lineWidth, line);
    }

    DrawItem* AddBox(std::int32_t kind, float x, float y, float w, float h, ArgbColor fill, float lineWidth,
                     ArgbColor line)
    {
        const std::uint32_t id = TakeNextItemId();
        const NodeList nodes{PathNode::AtPoint(x, y), PathNode::AtPoint(x + w, y + h)};
        AttributeTable attributes{{ATTR_LINE_COLOR, FormatColorAttr(line)},
                                  {ATTR_LINE_WIDTH, FormatFloatAttr(lineWidth)},
                                  {ATTR_FILL_COLOR, FormatColorAttr(fill)}};
        EXPECT_GE(doc.PushAddItem(kind, id, nodes, attributes), 0);
        view.DocumentChanged();
        return doc.FindItemById(id);
    }

    DrawItem* AddText(float x, float y, const std::string& text)
    {
        const std::uint32_t id = TakeNextItemId();
        const NodeList nodes{PathNode::AtPoint(x, y)};
        AttributeTable attributes{{ATTR_CONTENT, text},
                                  {ATTR_FONT_NAME, "Arial"},
                                  {ATTR_FONT_SIZE, "18"},
                                  {ATTR_LINE_COLOR, FormatColorAttr(ColorAbsent)},
                                  {ATTR_LINE_WIDTH, FormatFloatAttr(1)},
                                  {ATTR_FILL_COLOR, FormatColorAttr(ColorOpaqueBlack)}};
        EXPECT_GE(doc.PushAddItem(ItemText, id, nodes, attributes), 0);
        view.DocumentChanged();
        return doc.FindItemById(id);
    }

    std::size_t UndoCount() const { return doc.GetUndoStack().UndoCount(); }

    static void ExpectRect(const RectF& actual, const RectF& expected, float tolerance = 0.15f)
    {
        ExpectRectNear(actual, expected, tolerance);
    }

    TestHost host;
    CKorvaniDoc doc;
    CKorvaniView view{doc, host};
    ViewDriver driver{view};
};
