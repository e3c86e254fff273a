#include "document/outline_records.h"

#include "document/korvani_doc.h"

#include <cmath>
#include <cstring>

namespace {

// The same place and control points; break and close flags may differ
// (inserting on a closing segment moves them onto the new node).
bool SameGeometry(const PathNode& a, const PathNode& b)
{
    const float pa[7] = {a.lx, a.ly, a.x, a.y, a.rx, a.ry, float(a.type)};
    const float pb[7] = {b.lx, b.ly, b.x, b.y, b.rx, b.ry, float(b.type)};
    return std::memcmp(pa, pb, sizeof pa) == 0;
}

// Where a single insertion turned `before` into `after`.
std::int32_t InsertionIndex(const NodeList& before, const NodeList& after)
{
    std::size_t i = 0;
    while (i < before.size() && SameGeometry(before[i], after[i]))
        ++i;
    return std::int32_t(i);
}

} // namespace

OutlineOpRecord::OutlineOpRecord(DrawItem* item, std::int32_t index) : ItemEditRecord(item), join(false), index(index) {}

OutlineOpRecord::OutlineOpRecord(DrawItem* item, NodeSelection nodes)
    : ItemEditRecord(item), join(true), nodes(std::move(nodes))
{
}

int OutlineOpRecord::Apply()
{
    for (const ItemRef& target : Targets()) {
        if (join)
            target->JoinEnds(nodes);
        else
            target->BreakAtNode(index);
    }
    return 0;
}

NodeSwapRecord::NodeSwapRecord(DrawItem* item, std::int32_t index, const PathNode& node)
    : ItemEditRecord(item), index(index), node(node)
{
}

int NodeSwapRecord::Apply()
{
    for (const ItemRef& target : Targets())
        target->SetNode(index, node);
    return 0;
}

// The index argument is what the view passes (-1: let the item choose); the
// record learns the real one from the outline.
InsertNodeRecord::InsertNodeRecord(DrawItem* item, std::int32_t, const PathNode& node)
    : ItemEditRecord(item), index(-1), node(node)
{
    // A click beside the outline is refused.
    lands = WouldChange([&](DrawItem* target) { target->InsertNodeAt(node); });
}

bool InsertNodeRecord::Feasible() const
{
    return ItemEditRecord::Feasible() && lands;
}

int InsertNodeRecord::Apply()
{
    index = -1;
    for (const ItemRef& target : Targets()) {
        const NodeList before = target->Nodes();
        target->InsertNodeAt(node);
        const NodeList& after = target->Nodes();
        if (index < 0 && after.size() == before.size() + 1)
            index = InsertionIndex(before, after);
    }
    return index >= 0 ? index : RecordRefused;
}

DeleteNodeRecord::DeleteNodeRecord(DrawItem* item, std::int32_t index) : ItemEditRecord(item), index(index) {}

int DeleteNodeRecord::Apply()
{
    for (const ItemRef& target : Targets())
        target->DeleteNode(index);
    return 0;
}

MoveNodeRecord::MoveNodeRecord(DrawItem* item, std::int32_t mode, NodeSelection nodes, float dx, float dy)
    : ItemEditRecord(item), mode(mode), nodes(std::move(nodes)), dx(dx), dy(dy)
{
}

bool MoveNodeRecord::Feasible() const
{
    return ItemEditRecord::Feasible() && std::isfinite(dx) && std::isfinite(dy);
}

int MoveNodeRecord::Apply()
{
    for (const ItemRef& target : Targets())
        target->MoveNodes(mode, nodes, dx, dy);
    return 0;
}

NodeConvertRecord::NodeConvertRecord(DrawItem* item, NodeSelection nodes, SegmentConversion conversion)
    : ItemEditRecord(item), nodes(std::move(nodes)), conversion(conversion)
{
}

int NodeConvertRecord::Apply()
{
    for (const ItemRef& target : Targets()) {
        for (std::int32_t index : nodes) {
            if (conversion == SegmentConversion::ToCurve)
                target->ConvertSegmentToCurve(index);
            else
                target->ConvertSegmentToLine(index);
        }
    }
    return 0;
}
