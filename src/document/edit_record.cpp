#include "document/edit_record.h"

ItemEditRecord::ItemEditRecord(DrawItem* selection) : targets(HoldAll(SelectionTargets(selection))) {}

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
