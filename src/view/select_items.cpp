// Choosing items by name rather than by place: the items panel's marks.

#include "view/korvani_view.h"

void CKorvaniView::SelectItems(const std::vector<DrawItem*>& items)
{
    SelectNone();
    // Nodes and hit codes belonged to the selection that went.
    editHitCode = HitMiss;
    selectedNodes.clear();
    AddUnitsToSelection(items);
    SyncSelectionToBars();
    Repaint();
}
