#pragma once

// Items made through the document's own add operation, as the tools make them.

#include "document/korvani_doc.h"
#include "items/attribute_format.h"

#include <gtest/gtest.h>

inline AttributeTable ShapeAttributes(ArgbColor fill, float lineWidth = 1, ArgbColor line = ColorOpaqueBlack)
{
    return {{ATTR_LINE_COLOR, FormatColorAttr(line)},
            {ATTR_LINE_WIDTH, FormatFloatAttr(lineWidth)},
            {ATTR_FILL_COLOR, FormatColorAttr(fill)}};
}

inline NodeList BoxNodes(float x, float y, float w, float h)
{
    return {PathNode::AtPoint(x, y), PathNode::AtPoint(x + w, y + h)};
}

// The new item, or null when the document refuses it.
inline DrawItem* PushItem(CKorvaniDoc& doc, std::int32_t kind, const NodeList& nodes, const AttributeTable& attributes)
{
    const std::uint32_t id = TakeNextItemId();
    return doc.PushAddItem(kind, id, nodes, attributes) < 0 ? nullptr : doc.FindItemById(id);
}
