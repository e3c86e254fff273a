// The view's life cycle, tools, zoom, scrolling and the pixel-to-canvas mapping.

#include "view/korvani_view.h"

#include "document/item_ref.h"
#include "document/korvani_doc.h"
#include "items/group_item.h"
#include "platform/picture_cache.h"
#include "platform/temp_files.h"
#include "view/graphics_runtime_guard.h"
#include "view/tools/tool_handler.h"
#include "view/view_host.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <unordered_set>

namespace {

// From 1.0 upward in steps of 0.5.
constexpr std::array<float, 18> ZoomTable = {0.1f, 0.25f, 0.5f, 1.0f, 1.5f, 2.0f, 2.5f, 3.0f, 3.5f,
                                             4.0f, 4.5f, 5.0f, 5.5f, 6.0f, 6.5f, 7.0f, 7.5f, 8.0f};

// The first tool value; the handlers are kept by value - FirstToolValue.
constexpr std::int32_t FirstToolValue = ToolValue(ToolKind::Select);

// The tools that work on one member of a group: its active child.
bool UsesActiveChild(std::int32_t kind)
{
    return kind == ToolValue(ToolKind::Edit) || kind == ToolValue(ToolKind::GradientLine) ||
           kind == ToolValue(ToolKind::GradientFill);
}

} // namespace

CKorvaniView::CKorvaniView(CKorvaniDoc& document, ViewHost& viewHost) : doc(document), host(viewHost)
{
    GraphicsRuntimeGuard::Instance().Acquire();
    selectionGroup = new GroupItem(SelectionGroupId);
    selectionGroup->AddRef();
    for (std::size_t i = 0; i < toolHandlers.size(); ++i)
        toolHandlers[i] = MakeToolHandler(*this, FirstToolValue + std::int32_t(i));
}

CKorvaniView::~CKorvaniView()
{
    StopDrawingAhead();
    ClearDrawing();
    selectionGroup->Release();
    GraphicsRuntimeGuard::Instance().Release();
}

// --- tools ---

void CKorvaniView::SetTool(std::int32_t kind)
{
    CancelDrag();
    FinishConstruction();
    editHitCode = HitMiss;
    selectedNodes.clear();
    gradientHit = HitMiss;
    gradientStop = -1;

    if (ToolHandler* next = HandlerFor(kind)) {
        if (kind != activeTool)
            ActiveHandler().Leave();
        activeTool = kind;
        next->Enter();
    } else {
        host.ShowMessage({"Unsupport tool", MessageIcon::Stop, MessageButtons::Ok});
    }
    host.ToolChanged(activeTool);
    Repaint();
}

ToolHandler* CKorvaniView::HandlerFor(std::int32_t kind) const
{
    const std::int64_t index = std::int64_t(kind) - FirstToolValue;
    if (index < 0 || index >= std::int64_t(toolHandlers.size()))
        return nullptr;
    return toolHandlers[std::size_t(index)].get();
}

ToolHandler& CKorvaniView::ActiveHandler() const
{
    // SetTool takes only values that have a handler.
    return *HandlerFor(activeTool);
}

void CKorvaniView::ForgetActiveChildren()
{
    // Outside the tools that chose it, an active child would only make a
    // group answer for one member.
    std::vector<DrawItem*> groups;
    for (DrawItem* item : doc.Items()) {
        if (item->TypeCode() == ItemGroup)
            groups.push_back(item);
    }
    for (DrawItem* item : ItemTrees(groups)) {
        if (item->TypeCode() == ItemGroup)
            static_cast<GroupItem*>(item)->SetActiveChild(nullptr);
    }
    selectionGroup->SetActiveChild(nullptr);
}

void CKorvaniView::KeepActiveChildrenForTool()
{
    if (!UsesActiveChild(activeTool))
        ForgetActiveChildren();
}

void CKorvaniView::LoadGradientBar()
{
    if (!selection)
        return;
    float position = 0, angle = 0;
    std::int32_t wrap = 0;
    if (activeTool == ToolValue(ToolKind::GradientLine)) {
        selection->GetLineStopPosition(gradientStop, position);
        selection->GetLineGradientAngle(angle);
        wrap = selection->GetIntAttr(ATTR_LINE_WRAP);
    } else if (activeTool == ToolValue(ToolKind::GradientFill)) {
        selection->GetFillStopPosition(gradientStop, position);
        selection->GetFillGradientAngle(angle);
        wrap = selection->GetIntAttr(ATTR_FILL_WRAP);
    } else {
        return;
    }
    // To the nearest whole number: the angle is kept as the gradient line's end
    // points, so a typed 10 reads back as 9.998 and must not show as 9.
    const auto whole = [](float v) { return std::isfinite(v) ? int(std::lround(std::clamp(v, -1e9f, 1e9f))) : 0; };
    host.GradientBarValues(whole(position * 100), whole(angle) % 360, wrap);
}

// --- coordinate mapping ---

float CKorvaniView::Zoom() const
{
    return ZoomFactor;
}

QPointF CKorvaniView::CanvasOrigin() const
{
    return QPointF(double(panOffset.x) + canvasMargin.x, double(panOffset.y) + canvasMargin.y);
}

PointF CKorvaniView::CanvasPoint(int px, int py) const
{
    // Truncation toward zero makes every mouse position a whole canvas unit.
    const float x = std::trunc((float(px) - panOffset.x - canvasMargin.x) / ZoomFactor);
    const float y = std::trunc((float(py) - panOffset.y - canvasMargin.y) / ZoomFactor);
    return {x, y};
}

QPointF CKorvaniView::ClientPoint(PointF p) const
{
    const QPointF origin = CanvasOrigin();
    return QPointF(double(p.x) * ZoomFactor + origin.x(), double(p.y) * ZoomFactor + origin.y());
}

// --- zoom ---

void CKorvaniView::ApplyZoom(float zoom, bool tellFrame)
{
    ZoomFactor = zoom;
    ruler.zoom = zoom;
    if (tellFrame)
        host.ZoomChanged(zoom);
    Repaint();
}

void CKorvaniView::StepZoom(int direction)
{
    CancelDrag();
    const float zoom = ZoomFactor;
    const std::size_t last = ZoomTable.size() - 1;
    if (direction == 2) {
        for (std::size_t i = 0; i < last; ++i) {
            if (ZoomTable[i] <= zoom && zoom < ZoomTable[i + 1]) {
                ApplyZoom(ZoomTable[i + 1], false);
                return;
            }
        }
    } else if (direction == 0) {
        for (std::size_t i = 0; i < last; ++i) {
            if (ZoomTable[i] < zoom && zoom <= ZoomTable[i + 1]) {
                ApplyZoom(ZoomTable[i], false);
                return;
            }
        }
    }
}

void CKorvaniView::KeepPointAfterZoom(float before, PointF fixedPoint)
{
    panOffset.x -= (ZoomFactor - before) * fixedPoint.x;
    panOffset.y -= (ZoomFactor - before) * fixedPoint.y;
    host.ZoomChanged(ZoomFactor);
}

void CKorvaniView::SetZoomPercent(float percent)
{
    if (!std::isfinite(percent))
        return; // a zoom of NaN would poison every mapping
    CancelDrag();
    float zoom = percent * 0.01f;
    if (zoom >= MaximumZoom)
        zoom = MaximumZoom;
    else if (zoom < MinimumZoom)
        zoom = MinimumZoom;
    ApplyZoom(zoom, false);
}

void CKorvaniView::ZoomAbout(float newZoom, PointF fixedPoint)
{
    if (!std::isfinite(newZoom) || newZoom <= 0)
        return;
    CancelDrag();
    newZoom = std::clamp(newZoom, SmallestZoom, MaximumZoom);
    const float oldZoom = ZoomFactor;
    panOffset.x -= (newZoom - oldZoom) * fixedPoint.x;
    panOffset.y -= (newZoom - oldZoom) * fixedPoint.y;
    ApplyZoom(newZoom, true);
}

void CKorvaniView::SetPanOffset(PointF offset)
{
    CancelDrag();
    panOffset = offset;
    Repaint();
}

// --- canvas, margins and scrolling ---

void CKorvaniView::RecomputeMargins()
{
    // In 64 bits: a drawing file may name any canvas size, negative ones too.
    const std::int64_t w = clientSize.width(), h = clientSize.height();
    canvasMargin.x = float(w >= canvas.width ? (w - canvas.width) / 2 : 0);
    canvasMargin.y = float(h >= canvas.height ? (h - canvas.height) / 2 : 0);
    canvasMargin.x = std::max(canvasMargin.x, float(MinimumMargin));
    canvasMargin.y = std::max(canvasMargin.y, float(MinimumMargin));
}

void CKorvaniView::OnResize(int clientWidth, int clientHeight)
{
    clientSize = QSize(std::max(clientWidth, 0), std::max(clientHeight, 0));
    if (canvas.width > 0)
        RecomputeMargins();
    Repaint();
}

void CKorvaniView::OnHorizontalScroll(int position)
{
    scrollPosition.setX(position);
    canvasMargin.x = float(MinimumMargin - position);
    Repaint();
}

void CKorvaniView::OnVerticalScroll(int position)
{
    scrollPosition.setY(position);
    canvasMargin.y = float(MinimumMargin - position);
    Repaint();
}

bool CKorvaniView::NewCanvas(std::int32_t width, std::int32_t height, ArgbColor color)
{
    // A canvas of no or negative extent would disable nothing and map nothing sensibly.
    if (width <= 0 || height <= 0)
        return false;
    SetTool(ToolKind::Select);
    canvas = {width, height, color | 0xFF000000u};
    ApplyCanvasGeometry();
    ClearDrawing();
    savedChange = doc.ChangeCount();
    host.ItemsPanelRebuild(nullptr);
    Repaint();
    return true;
}

void CKorvaniView::ApplyCanvasGeometry()
{
    // The scroll range is one pixel per unit and does not follow the zoom.
    const auto scrollSize = [](std::int32_t extent) {
        return int(std::clamp<std::int64_t>(std::int64_t(extent) + ScrollExtra, 0, std::numeric_limits<int>::max()));
    };
    host.SetScrollSizes(scrollSize(canvas.width), scrollSize(canvas.height));
    RecomputeMargins();
}

void CKorvaniView::ClearDrawing(std::size_t workingFiles)
{
    CancelDrag();
    EmptySelectionGroup();
    selection = nullptr;
    doc.Reset();
    creationNodes.clear();
    creationAttributes.clear();
    creationCount = 0;
    selectedNodes.clear();
    DeleteTempFilesListedBefore(workingFiles);
    // No item is left to show the pictures kept for the old drawing.
    ClearPictureCache();
}

// --- small helpers every part uses ---

void CKorvaniView::Repaint()
{
    host.RequestRepaint();
}

void CKorvaniView::BeginDrag(std::function<void()> putBack)
{
    dragPutBack = std::move(putBack);
    if (!captured) {
        captured = true;
        host.CaptureMouse();
    }
}

void CKorvaniView::PutBackDrag()
{
    // Taken out first: what it runs may end up here again.
    if (const std::function<void()> putBack = std::exchange(dragPutBack, nullptr))
        putBack();
}

void CKorvaniView::EndCapture()
{
    if (captured) {
        captured = false;
        host.ReleaseMouse();
    }
}

void CKorvaniView::SyncWithDocument()
{
    if (doc.ChangeCount() == seenChange)
        return;
    const bool oneChange = seenChange < doc.ChangeCount() && doc.ChangeCount() - seenChange == 1;
    seenChange = doc.ChangeCount();
    // A new item on top (the creation tools' commit): it is measured and
    // drawn live over the kept layers, which still show everything below it.
    if (oneChange) {
        std::vector<DrawItem*> added;
        if (boundsCache.Append(doc.Items(), added)) {
            pinnedUnits.insert(pinnedUnits.end(), added.begin(), added.end());
            return;
        }
    }
    boundsCache.Invalidate();
    pinnedUnits.clear();
    ++drawingGeneration;
}

const std::vector<ItemBoundsCache::Entry>& CKorvaniView::MeasuredItems()
{
    SyncWithDocument();
    boundsCache.Update(doc.Items());
    return boundsCache.Entries();
}

void CKorvaniView::AfterDocumentChange()
{
    SyncWithDocument();
}

void CKorvaniView::AfterSelectionEdit()
{
    // More than one change since the view last looked: not only this edit.
    if (seenChange > doc.ChangeCount() || doc.ChangeCount() - seenChange > 1) {
        SyncWithDocument();
        return;
    }
    seenChange = doc.ChangeCount();
    std::vector<DrawItem*> units;
    SelectionUnits(units);
    boundsCache.Remeasure(units);
    // Each unit once, looked up in a set: the selection may be the whole drawing.
    std::unordered_set<const DrawItem*> pinned(pinnedUnits.begin(), pinnedUnits.end());
    for (DrawItem* unit : units) {
        if (pinned.insert(unit).second)
            pinnedUnits.push_back(unit);
    }
}

void CKorvaniView::AfterDirectChange()
{
    doc.NoteChange();
    AfterSelectionEdit();
}

void CKorvaniView::DocumentChanged()
{
    doc.NoteChange();
    Repaint();
}
