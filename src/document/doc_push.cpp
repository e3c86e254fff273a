// The document's change operations: one push per record kind.

#include "document/korvani_doc.h"

#include "document/attribute_records.h"
#include "document/drawing_file.h"
#include "document/outline_records.h"
#include "document/structure_records.h"
#include "document/transform_records.h"

namespace {

// A record that cannot be made never reaches the stack, so a refused edit
// does not throw away the redo list either.
template <class Record, class... Args>
int PushRecord(CKorvaniDoc& doc, Args&&... args)
{
    auto record = std::make_unique<Record>(std::forward<Args>(args)...);
    if (!record->Feasible())
        return RecordRefused;
    return doc.Push(std::move(record));
}

} // namespace

// --- structure ---

int CKorvaniDoc::PushLoadItems(PointF start, PointF end, const std::string& fileName, int mode,
                               std::string* errorMessage)
{
    ReadItemsResult read = ReadItemsFile(*this, start, end, fileName, mode, true);
    if (errorMessage)
        *errorMessage = read.errorMessage;
    if (!read.opened)
        return RecordRefused;
    return PushLoadedItems(std::move(read.items));
}

int CKorvaniDoc::PushLoadedItems(std::vector<DrawItem*> read)
{
    ItemRefs loaded;
    loaded.reserve(read.size());
    for (DrawItem* item : read)
        loaded.push_back(ItemRef::Adopt(item));
    return PushRecord<LoadItemsRecord>(*this, *this, std::move(loaded));
}

int CKorvaniDoc::PushAddItem(std::int32_t typeCode, std::uint32_t id, const NodeList& nodes,
                             const AttributeTable& attributes)
{
    return PushRecord<AddItemRecord>(*this, *this, typeCode, id, nodes, attributes);
}

int CKorvaniDoc::PushDeleteItems(DrawItem* selection)
{
    return PushRecord<DeleteItemsRecord>(*this, *this, selection);
}

int CKorvaniDoc::PushDuplicateItems(DrawItem* selection)
{
    return PushRecord<DuplicateItemsRecord>(*this, *this, selection);
}

int CKorvaniDoc::PushGroup(std::uint32_t id, DrawItem* selection)
{
    return PushRecord<GroupRecord>(*this, *this, id, selection);
}

int CKorvaniDoc::PushBreakGroup(DrawItem* group)
{
    return PushRecord<BreakGroupRecord>(*this, *this, group);
}

int CKorvaniDoc::PushCombine(std::uint32_t id, DrawItem* selection)
{
    return PushRecord<CombineRecord>(*this, *this, id, selection);
}

int CKorvaniDoc::PushBreakApart(DrawItem* item)
{
    return PushRecord<BreakApartRecord>(*this, *this, item);
}

int CKorvaniDoc::PushConvertToCurve(DrawItem* item)
{
    return PushRecord<ConvertToCurveRecord>(*this, *this, item);
}

int CKorvaniDoc::PushZOrder(DrawItem* selection, int mode)
{
    return PushRecord<ZOrderRecord>(*this, *this, selection, mode);
}

int CKorvaniDoc::PushRename(DrawItem* item, const std::string& name)
{
    return PushRecord<RenameRecord>(*this, item, name);
}

// --- transforms ---

int CKorvaniDoc::PushMove(DrawItem* selection, float dx, float dy)
{
    return PushRecord<MoveRecord>(*this, selection, dx, dy);
}

int CKorvaniDoc::PushRotate(DrawItem* selection, float angle)
{
    return PushRecord<RotateRecord>(*this, selection, angle);
}

int CKorvaniDoc::PushScale(DrawItem* selection, PointF anchor, float sx, float sy)
{
    return PushRecord<ScaleRecord>(*this, selection, anchor, sx, sy);
}

// --- attributes and gradients ---

int CKorvaniDoc::PushSetPropertyInt(DrawItem* selection, std::int32_t attr, std::int32_t value)
{
    return PushRecord<SetPropertyRecord>(*this, selection, attr, PropertyValue(value));
}

int CKorvaniDoc::PushSetPropertyFloat(DrawItem* selection, std::int32_t attr, float value)
{
    return PushRecord<SetPropertyRecord>(*this, selection, attr, PropertyValue(value));
}

int CKorvaniDoc::PushSetPropertyText(DrawItem* selection, std::int32_t attr, const std::string& value)
{
    return PushRecord<SetPropertyRecord>(*this, selection, attr, PropertyValue(value));
}

int CKorvaniDoc::PushSetPropertyPoint(DrawItem* selection, std::int32_t attr, PointF value)
{
    return PushRecord<SetPropertyRecord>(*this, selection, attr, PropertyValue(value));
}

int CKorvaniDoc::PushSolidLine(DrawItem* selection, ArgbColor color)
{
    return PushRecord<SolidLineRecord>(*this, selection, color);
}

int CKorvaniDoc::PushSolidFill(DrawItem* selection, ArgbColor color)
{
    return PushRecord<SolidFillRecord>(*this, selection, color);
}

int CKorvaniDoc::PushLineGradientOn(DrawItem* selection)
{
    return PushRecord<LineGradientOnRecord>(*this, selection);
}

int CKorvaniDoc::PushFillGradientOn(DrawItem* selection)
{
    return PushRecord<FillGradientOnRecord>(*this, selection);
}

int CKorvaniDoc::PushLineGradientAngle(DrawItem* item, float angle)
{
    return PushRecord<GradientAngleRecord>(*this, GradientSide::Line, item, angle);
}

int CKorvaniDoc::PushFillGradientAngle(DrawItem* item, float angle)
{
    return PushRecord<GradientAngleRecord>(*this, GradientSide::Fill, item, angle);
}

int CKorvaniDoc::PushLineStopColor(DrawItem* item, std::int32_t index, ArgbColor color)
{
    return PushRecord<StopColorRecord>(*this, GradientSide::Line, item, index, color);
}

int CKorvaniDoc::PushFillStopColor(DrawItem* item, std::int32_t index, ArgbColor color)
{
    return PushRecord<StopColorRecord>(*this, GradientSide::Fill, item, index, color);
}

int CKorvaniDoc::PushLineStopPosition(DrawItem* item, std::int32_t index, float position)
{
    return PushRecord<StopPositionRecord>(*this, GradientSide::Line, item, index, position);
}

int CKorvaniDoc::PushFillStopPosition(DrawItem* item, std::int32_t index, float position)
{
    return PushRecord<StopPositionRecord>(*this, GradientSide::Fill, item, index, position);
}

int CKorvaniDoc::PushLineGradientHandle(DrawItem* item, std::int32_t handle, float dx, float dy)
{
    return PushRecord<GradientHandleRecord>(*this, GradientSide::Line, item, handle, dx, dy);
}

int CKorvaniDoc::PushFillGradientHandle(DrawItem* item, std::int32_t handle, float dx, float dy)
{
    return PushRecord<GradientHandleRecord>(*this, GradientSide::Fill, item, handle, dx, dy);
}

int CKorvaniDoc::PushToggleLineStop(DrawItem* item, PointF point, ArgbColor color)
{
    return PushRecord<ToggleStopRecord>(*this, GradientSide::Line, item, point, color);
}

int CKorvaniDoc::PushToggleFillStop(DrawItem* item, PointF point, ArgbColor color)
{
    return PushRecord<ToggleStopRecord>(*this, GradientSide::Fill, item, point, color);
}

// --- outline points ---

int CKorvaniDoc::PushOutlineOp(DrawItem* item, std::int32_t index)
{
    return PushRecord<OutlineOpRecord>(*this, item, index);
}

int CKorvaniDoc::PushOutlineOp(DrawItem* item, const NodeSelection& nodes)
{
    return PushRecord<OutlineOpRecord>(*this, item, nodes);
}

int CKorvaniDoc::PushNodeSwap(DrawItem* item, std::int32_t index, const PathNode& node)
{
    return PushRecord<NodeSwapRecord>(*this, item, index, node);
}

int CKorvaniDoc::PushInsertNode(DrawItem* item, std::int32_t index, const PathNode& node)
{
    return PushRecord<InsertNodeRecord>(*this, item, index, node);
}

int CKorvaniDoc::PushDeleteNode(DrawItem* item, std::int32_t index)
{
    return PushRecord<DeleteNodeRecord>(*this, item, index);
}

int CKorvaniDoc::PushMoveNode(DrawItem* item, std::int32_t mode, const NodeSelection& nodes, float dx, float dy)
{
    return PushRecord<MoveNodeRecord>(*this, item, mode, nodes, dx, dy);
}

int CKorvaniDoc::PushNodeConvert(DrawItem* item, const NodeSelection& nodes, SegmentConversion conversion)
{
    return PushRecord<NodeConvertRecord>(*this, item, nodes, conversion);
}
