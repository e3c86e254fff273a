#include "document/item_ref.h"

#include <algorithm>
#include <unordered_set>

namespace {

// Every item counts as a group of one through ChildAt, so only real groups
// are opened; the visited set keeps a malformed nesting from looping.
void CollectTree(DrawItem* root, std::unordered_set<const DrawItem*>& seen, std::vector<DrawItem*>& out)
{
    std::vector<DrawItem*> pending{root};
    while (!pending.empty()) {
        DrawItem* item = pending.back();
        pending.pop_back();
        if (!item || !seen.insert(item).second)
            continue;
        out.push_back(item);
        if (item->TypeCode() != ItemGroup)
            continue;
        // Pushed in reverse so that children come out in their own order.
        for (std::int32_t i = item->ChildCount() - 1; i >= 0; --i)
            pending.push_back(item->ChildAt(i));
    }
}

} // namespace

bool IsSelectionGroup(const DrawItem* item)
{
    return item && item->TypeCode() == ItemGroup && item->Id() == SelectionGroupId;
}

std::vector<DrawItem*> SelectionTargets(DrawItem* selection)
{
    std::vector<DrawItem*> targets;
    if (!selection)
        return targets;
    if (!IsSelectionGroup(selection)) {
        targets.push_back(selection);
        return targets;
    }
    const std::int32_t count = selection->ChildCount();
    targets.reserve(std::size_t(count > 0 ? count : 0));
    for (std::int32_t i = 0; i < count; ++i) {
        DrawItem* member = selection->ChildAt(i);
        if (member && !IsSelectionGroup(member))
            targets.push_back(member);
    }
    // A member listed twice would be moved twice and restored at two places.
    // Selections rarely list one twice, and a sorted copy tells so without a
    // hash node per member.
    std::vector<DrawItem*> sorted = targets;
    std::sort(sorted.begin(), sorted.end());
    if (std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end())
        return targets;
    std::unordered_set<const DrawItem*> seen;
    seen.reserve(targets.size());
    targets.erase(std::remove_if(targets.begin(), targets.end(), [&seen](const DrawItem* m) { return !seen.insert(m).second; }),
                  targets.end());
    return targets;
}

std::vector<DrawItem*> ItemTrees(const std::vector<DrawItem*>& items)
{
    std::unordered_set<const DrawItem*> seen;
    std::vector<DrawItem*> out;
    out.reserve(items.size());
    for (DrawItem* item : items)
        CollectTree(item, seen, out);
    return out;
}

std::vector<DrawItem*> Descendants(DrawItem* item)
{
    std::vector<DrawItem*> tree = ItemTrees({item});
    if (!tree.empty())
        tree.erase(tree.begin());
    return tree;
}

int GroupDepth(const std::vector<DrawItem*>& items)
{
    std::vector<std::pair<DrawItem*, int>> pending;
    for (DrawItem* item : items)
        pending.emplace_back(item, 1);
    int deepest = 0;
    while (!pending.empty()) {
        const auto [item, level] = pending.back();
        pending.pop_back();
        if (!item || item->TypeCode() != ItemGroup)
            continue;
        deepest = std::max(deepest, level);
        // Past the bound the answer is known; this also ends a malformed loop.
        if (level > MaxGroupDepth)
            continue;
        for (std::int32_t i = 0; i < item->ChildCount(); ++i)
            pending.emplace_back(item->ChildAt(i), level + 1);
    }
    return deepest;
}

ItemRefs HoldAll(const std::vector<DrawItem*>& items)
{
    ItemRefs refs;
    refs.reserve(items.size());
    for (DrawItem* item : items)
        refs.emplace_back(item);
    return refs;
}
