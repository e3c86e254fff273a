#pragma once

// A view on its own document with a scripted host, and fixture helpers that
// build items through the document's public operations.

#include "document/korvani_doc.h"
#include "items/draw_item.h"
#include "support/geometry_expect.h"
#include "support/push_item.h"
#include "support/scripted_host.h"
#include "support/view_driver.h"
#include "view/korvani_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
        return Add(kind, BoxNodes(x, y, w, h), ShapeAttributes(fill, lineWidth, line));
    }

    DrawItem* AddText(float x, float y, const std::string& text)
    {
        AttributeTable attributes = ShapeAttributes(ColorOpaqueBlack, 1, ColorAbsent);
        attributes.insert({{ATTR_CONTENT, text}, {ATTR_FONT_NAME, "Arial"}, {ATTR_FONT_SIZE, "18"}});
        return Add(ItemText, {PathNode::AtPoint(x, y)}, attributes);
    }

    DrawItem* Add(std::int32_t kind, const NodeList& nodes, const AttributeTable& attributes)
    {
        DrawItem* item = PushItem(doc, kind, nodes, attributes);
        EXPECT_NE(item, nullptr);
        view.DocumentChanged();
        return item;
    }

    std::size_t UndoCount() const { return doc.GetUndoStack().UndoCount(); }
    void UndoTo(std::size_t steps)
    {
        while (UndoCount() > steps)
            view.DoCommand(CommandUndo);
    }

    std::vector<GuideLine> Guides() const
    {
        std::vector<GuideLine> guides(std::size_t(doc.GetGuideCount()));
        for (int i = 0; i < doc.GetGuideCount(); ++i)
            doc.GetGuide(i, guides[std::size_t(i)]);
        return guides;
    }

    static void ExpectRect(const RectF& actual, const RectF& expected, float tolerance = 0.15f)
    {
        ExpectRectNear(actual, expected, tolerance);
    }

    TestHost host;
    CKorvaniDoc doc;
    CKorvaniView view{doc, host};
    ViewDriver driver{view};
};
