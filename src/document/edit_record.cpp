#include "document/edit_record.h"

ItemEditRecord::ItemEditRecord(DrawItem* selection) : targets(HoldAll(SelectionTargets(selection))) {}

int ItemEditRecord::Execute()
{
    if (!Feasible())
        return RecordRefused;
    std::vector<DrawItem*> items;
    items.reserve(targets.size());
    for (const ItemRef& target : targets)
        items.push_back(target.get());
    changes.Begin(items);
    const int result = Apply();
    changes.Finish();
    if (result < 0)
        changes.Restore(); // a refused edit leaves nothing behind
    return result;
}

int ItemEditRecord::Undo()
{
    changes.Restore();
    return 0;
}
