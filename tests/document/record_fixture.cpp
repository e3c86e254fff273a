#include "record_fixture.h"

#include "document/drawing_file.h"
#include "items/attribute_format.h"
#include "support/push_item.h"

#include <algorithm>
#include <charconv>

namespace {

void AppendFloat(std::string& out, float v)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr; // shortest exact form, -0 kept
    out.append(buffer, end);
    out += ' ';
}

void Describe(DrawItem& item, std::string& out, int depth)
{
    out.append(std::size_t(depth) * 2, ' ');
    out += "item " + std::to_string(item.TypeCode()) + " #" + std::to_string(item.Id()) + " '" + item.ClassName() + "'\n";
    for (const auto& [attr, value] : item.Attributes())
        out += "  " + std::to_string(attr) + "=" + value + "\n";
    out += "  nodes ";
    for (const PathNode& n : item.Nodes()) {
        for (float v : {n.lx, n.ly, n.x, n.y, n.rx, n.ry})
            AppendFloat(out, v);
        out += std::to_string(n.type) + std::to_string(n.brk) + std::to_string(n.close) + "; ";
    }
    out += "\n  matrix ";
    float m[6];
    item.GetMatrix().GetElements(m);
    for (float v : m)
        AppendFloat(out, v);
    for (const GradientRamp* ramp : {&item.LineRamp(), &item.FillRamp()}) {
        out += "\n  ramp ";
        for (std::size_t i = 0; i < ramp->colors.size(); ++i) {
            out += FormatColorAttr(ramp->colors[i]) + "@";
            AppendFloat(out, ramp->positions[i]);
        }
    }
    out += "\n";
    if (item.TypeCode() == ItemGroup) {
        // Undo gives back the active child too: it decides what a group's getters answer.
        const std::vector<DrawItem*>& children = static_cast<GroupItem&>(item).Children();
        const auto active = std::find(children.begin(), children.end(), static_cast<GroupItem&>(item).ActiveChild());
        out += "  active " + std::to_string(active == children.end() ? -1 : active - children.begin()) + "\n";
        for (std::int32_t i = 0; i < item.ChildCount(); ++i)
            Describe(*item.ChildAt(i), out, depth + 1);
    }
}

} // namespace

std::string DrawingState(const CKorvaniDoc& doc)
{
    std::string out = DrawingFileText(doc, CanvasValues{640, 480, ColorOpaqueWhite});
    for (DrawItem* item : doc.Items())
        Describe(*item, out, 0);
    return out;
}

DrawItem* RecordTest::Add(std::int32_t kind, const NodeList& nodes, AttributeTable attributes)
{
    return PushItem(doc, kind, nodes, attributes);
}

DrawItem* RecordTest::AddRect(float x, float y, float w, float h, ArgbColor fill)
{
    return Add(ItemRectangle, BoxNodes(x, y, w, h), ShapeAttributes(fill, 1.5f));
}

DrawItem* RecordTest::AddEllipse(float x, float y, float w, float h)
{
    return Add(ItemEllipse, BoxNodes(x, y, w, h), ShapeAttributes(0xFFCC8800, 1.5f));
}

DrawItem* RecordTest::AddLine(float x0, float y0, float x1, float y1)
{
    return Add(ItemLine, {PathNode::AtPoint(x0, y0), PathNode::AtPoint(x1, y1)}, ShapeAttributes(0, 1.5f));
}

DrawItem* RecordTest::AddCurve(const NodeList& nodes)
{
    return Add(ItemCurve, nodes, ShapeAttributes(0xFF20A040, 1.5f));
}

DrawItem* RecordTest::AddDoodle(float x, float y, int points)
{
    NodeList track;
    for (int i = 0; i < points; ++i)
        track.push_back(PathNode::AtPoint(x + 5.0f * float(i), y + float((i * 7) % 11)));
    track.back().brk = 1;
    return Add(ItemDoodle, track, ShapeAttributes(0, 1.5f));
}

DrawItem* RecordTest::AddText(float x, float y, const std::string& text)
{
    AttributeTable attributes = ShapeAttributes(0xFF000000, 1.5f);
    attributes[ATTR_FONT_NAME] = "Arial";
    attributes[ATTR_FONT_SIZE] = "18";
    attributes[ATTR_CONTENT] = text;
    return Add(ItemText, {PathNode::AtPoint(x, y)}, attributes);
}

DrawItem* RecordTest::Select(const std::vector<DrawItem*>& items)
{
    selection.ReleaseChildren();
    for (DrawItem* item : items)
        selection.AddChild(item);
    return &selection;
}
