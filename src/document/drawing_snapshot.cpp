#include "document/drawing_snapshot.h"

#include "items/item_factory.h"

DrawingSnapshot::DrawingSnapshot(const CKorvaniDoc& doc, const CanvasValues& canvas) : canvas(canvas)
{
    items.reserve(std::size_t(doc.GetItemCount()));
    for (DrawItem* item : doc.Items()) {
        DrawItem* twin = CreateItem(item->TypeCode(), item->Id());
        if (!twin)
            continue;
        twin->AddRef();
        twin->CopyFrom(*item);
        items.push_back(twin);
        copy.AddItem(twin);
    }
    GuideLine guide;
    for (int i = 0; doc.GetGuide(i, guide); ++i)
        copy.AddGuide(guide);
}

DrawingSnapshot::~DrawingSnapshot()
{
    copy.Items().RemoveAll();
    ReleaseReadItems(items);
}
