#include "document/edit_record.h"

ItemEditRecord::ItemEditRecord(DrawItem* selection) : targets(HoldAll(SelectionTargets(selection))) {}

bool ItemEditRecord::WouldChange(const std::function<void(DrawItem*)>& edit) const
{
    std::vector<DrawItem*> items;
    for (const ItemRef& target : targets)
        items.push_back(target.get());
    ItemChanges trial;
    trial.Begin(items);
    for (DrawItem* item : items)
        edit(item);
    trial.Finish();
    const bool changed = !trial.Empty();
    trial.Restore();
    return changed;
}

int ItemEditRecord::Execute()
{
    if (applied) {
        changes.Reapply();
        return result;
    }
    if (!Feasible())
        return RecordRefused;
    std::vector<DrawItem*> items;
    items.reserve(targets.size());
    for (const ItemRef& target : targets)
        items.push_back(target.get());
    changes.Begin(items);
    result = Apply();
    changes.Finish();
    if (result < 0)
        changes.Restore(); // a refused edit leaves nothing behind
    else
        applied = true;
    return result;
}

int ItemEditRecord::Undo()
{
    changes.Restore();
    return 0;
}
