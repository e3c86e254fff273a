#include "document/item_change.h"

#include "items/group_item.h"

#include <cstring>
#include <type_traits>

// Outlines are compared as raw bytes; a padded node would compare garbage.
static_assert(sizeof(PathNode) == 9 * sizeof(std::int32_t));

namespace {

// Bit for bit: 0.0 and -0.0 compare equal but are written differently, and a
// NaN never equals itself.
template <class T>
bool SameBits(const std::vector<T>& a, const std::vector<T>& b)
{
    static_assert(std::is_trivially_copyable_v<T>);
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

bool SameBits(const Matrix& a, const Matrix& b)
{
    float ea[6], eb[6];
    a.GetElements(ea);
    b.GetElements(eb);
    return std::memcmp(ea, eb, sizeof ea) == 0;
}

bool SameBits(const GradientRamp& a, const GradientRamp& b)
{
    return SameBits(a.colors, b.colors) && SameBits(a.positions, b.positions);
}

// A group's active child, by identity; none for every other kind.
DrawItem* ActiveChildOf(DrawItem* item)
{
    return item->TypeCode() == ItemGroup ? static_cast<GroupItem*>(item)->ActiveChild() : nullptr;
}

} // namespace

void ItemChanges::Begin(const std::vector<DrawItem*>& items)
{
    noted.clear();
    changes.clear();
    const std::vector<DrawItem*> all = ItemTrees(items);
    noted.reserve(all.size());
    for (DrawItem* item : all)
        noted.push_back({item, item->Attributes(), item->Nodes(), item->GetMatrix(), item->LineRamp(), item->FillRamp(),
                         ActiveChildOf(item)});
}

void ItemChanges::DiffAttributes(const AttributeTable& before, const AttributeTable& after, std::vector<AttrChange>& out)
{
    auto b = before.begin();
    auto a = after.begin();
    while (b != before.end() || a != after.end()) {
        if (a == after.end() || (b != before.end() && b->first < a->first)) {
            out.push_back({b->first, true, false, b->second, {}}); // removed by the edit
            ++b;
        } else if (b == before.end() || a->first < b->first) {
            out.push_back({a->first, false, true, {}, a->second}); // added by the edit
            ++a;
        } else {
            if (a->second != b->second)
                out.push_back({b->first, true, true, b->second, a->second});
            ++a;
            ++b;
        }
    }
}

void ItemChanges::Finish()
{
    for (Snapshot& s : noted) {
        DrawItem* item = s.item;
        Change change;
        DiffAttributes(s.attributes, item->Attributes(), change.attributes);
        if (!SameBits(s.nodes, item->Nodes()))
            change.nodes.reset(new BeforeAfter<NodeList>{std::move(s.nodes), item->Nodes()});
        if (!SameBits(s.matrix, item->GetMatrix()))
            change.matrix.reset(new BeforeAfter<Matrix>{s.matrix, item->GetMatrix()});
        if (!SameBits(s.lineRamp, item->LineRamp()))
            change.lineRamp.reset(new BeforeAfter<GradientRamp>{std::move(s.lineRamp), item->LineRamp()});
        if (!SameBits(s.fillRamp, item->FillRamp()))
            change.fillRamp.reset(new BeforeAfter<GradientRamp>{std::move(s.fillRamp), item->FillRamp()});
        if (s.activeChild != ActiveChildOf(item))
            change.activeChild.reset(new BeforeAfter<DrawItem*>{s.activeChild, ActiveChildOf(item)});
        if (change.attributes.empty() && !change.nodes && !change.matrix && !change.lineRamp && !change.fillRamp &&
            !change.activeChild)
            continue;
        change.attributes.shrink_to_fit();
        change.item = ItemRef(item);
        changes.push_back(std::move(change));
    }
    noted.clear();
    noted.shrink_to_fit();
    changes.shrink_to_fit();
}

void ItemChanges::Put(bool after) const
{
    for (const Change& change : changes) {
        DrawItem& item = *change.item;
        for (const AttrChange& v : change.attributes) {
            const bool present = after ? v.after : v.before;
            item.RestoreAttr(v.attr, present ? (after ? &v.afterValue : &v.beforeValue) : nullptr);
        }
        if (change.nodes)
            item.ReplaceNodes(after ? change.nodes->after : change.nodes->before);
        if (change.matrix)
            item.RestoreMatrix(after ? change.matrix->after : change.matrix->before);
        if (change.lineRamp) {
            const GradientRamp& ramp = after ? change.lineRamp->after : change.lineRamp->before;
            item.SetLineRamp(ramp.colors, ramp.positions);
        }
        if (change.fillRamp) {
            const GradientRamp& ramp = after ? change.fillRamp->after : change.fillRamp->before;
            item.SetFillRamp(ramp.colors, ramp.positions);
        }
        if (change.activeChild)
            static_cast<GroupItem&>(item).SetActiveChild(after ? change.activeChild->after : change.activeChild->before);
    }
}
