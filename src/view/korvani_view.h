#pragma once

// The editing view: the one place that holds the transient editing state of
// the drawing (tool, selection, drag points, defaults for new items), maps
// client pixels to canvas units, dispatches the mouse and keys to the tools,
// runs the commands and paints. It reaches the window system and the frame
// only through ViewHost, so that a widget, a command-line runner or a test
// can drive it through the entry points below.
//
// One class, split by concern: view_state.cpp, dispatch.cpp, selection.cpp,
// rendering.cpp, rulers.cpp, creation_tools.cpp, commands.cpp, arrange_commands.cpp,
// value_setters.cpp, command_state.cpp, file_commands.cpp, export_commands.cpp;
// each tool is a handler of its own in tools/.

#include "items/draw_item.h"
#include "view/item_bounds_cache.h"
#include "view/ruler.h"
#include "view/view_codes.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QTransform>
#include <Qt>

#include <cstddef>
#include <cstdint>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class CKorvaniDoc;
class DisplayList;
class GroupItem;
class QByteArray;
struct ClipboardSourceInfo;
class QPainter;
class ToolHandler;
class ViewHost;

// The drawing surface; width 0 means no canvas exists yet.
struct Canvas
{
    std::int32_t width = 0;
    std::int32_t height = 0;
    ArgbColor color = ColorOpaqueWhite;
};

// What a menu or bar shows for a command: whether it can be chosen, and a check mark.
struct CommandUpdate
{
    bool enabled = false;
    bool checked = false;
    friend bool operator==(const CommandUpdate&, const CommandUpdate&) = default;
};

class CKorvaniView
{
    // The tools work on the view's state (tools/).
    friend class ToolHandler;
    friend class SelectTool;
    friend class RotateTool;
    friend class HandTool;
    friend class ZoomInTool;
    friend class ZoomOutTool;
    friend class ShapeTool;
    friend class DoodleTool;
    friend class BezierTool;
    friend class TextTool;
    friend class PlaceImageTool;
    friend class PlaceFileTool;
    friend class EditTool;
    friend class GradientTool;

public:
    // Smallest distance of the canvas from the client edge, in pixels.
    static constexpr int MinimumMargin = 40;
    // The scroll range exceeds the canvas by this many pixels.
    static constexpr int ScrollExtra = 60;
    static constexpr float MinimumZoom = 0.1f;
    static constexpr float MaximumZoom = 8.0f;
    // Only a zoom band goes below the zoom table, and no further than this:
    // smaller zooms show nothing and push canvas points out of reach.
    static constexpr float SmallestZoom = 0.001f;
    static constexpr ArgbColor ShadowColor = 0xFF808080;
    static constexpr ArgbColor MarkBlue = ColorPreviewBlue;
    // Outside the canvas: the window's own background.
    static constexpr ArgbColor WindowBackground = ColorOpaqueWhite;

    CKorvaniView(CKorvaniDoc& document, ViewHost& host);
    CKorvaniView(const CKorvaniView&) = delete;
    CKorvaniView& operator=(const CKorvaniView&) = delete;
    ~CKorvaniView();

    CKorvaniDoc& Document() { return doc; }

    // --- state and coordinate mapping (view_state.cpp) ---
    void SetTool(std::int32_t kind);
    void SetTool(ToolKind kind) { SetTool(ToolValue(kind)); }
    std::int32_t ActiveTool() const { return activeTool; }
    std::int32_t PreviousTool() const { return previousTool; }

    // Canvas point of a client pixel: truncated toward zero.
    PointF CanvasPoint(int px, int py) const;
    PointF CanvasPoint(QPoint p) const { return CanvasPoint(p.x(), p.y()); }
    // Client position (pixels, fractional) of a canvas point.
    QPointF ClientPoint(PointF canvasPoint) const;
    // Client pixel of the canvas origin: pan offset + canvas margin.
    QPointF CanvasOrigin() const;

    float Zoom() const;
    // Direction 2 zooms in one step of the zoom table, 0 out; others do nothing.
    void StepZoom(int direction);
    void SetZoomPercent(float percent);
    // Zoom to z1, keeping the canvas point under the pointer where it is.
    void ZoomAbout(float newZoom, PointF fixedPoint);
    // StepZoom, keeping the canvas point under the client position where it
    // is, as the wheel zooms (wheel_zoom.cpp).
    void StepZoomAbout(int direction, QPointF client);

    // What New does once its dialog is answered: the Select tool, a canvas of
    // that size and (opaque) colour, scroll sizes and margins, an empty
    // drawing. False, and nothing changed, for a size that is not positive.
    bool NewCanvas(std::int32_t width, std::int32_t height, ArgbColor color);
    const Canvas& GetCanvas() const { return canvas; }
    // Empties the drawing and its undo steps. Of the working files, those
    // listed before workingFiles go (all by default); a drawing read ahead keeps its own.
    void ClearDrawing(std::size_t workingFiles = std::size_t(-1));

    // The window: client size and the scroll bars' positions (pixels).
    void OnResize(int clientWidth, int clientHeight);
    void OnHorizontalScroll(int position);
    void OnVerticalScroll(int position);
    QSize ClientSize() const { return clientSize; }
    PointF PanOffset() const { return panOffset; }
    PointF CanvasMargin() const { return canvasMargin; }
    void SetPanOffset(PointF offset);

    // --- mouse and keys, in client pixels (dispatch.cpp) ---
    void OnLeftButtonDown(QPoint client, Qt::KeyboardModifiers modifiers = {});
    void OnMouseMove(QPoint client, Qt::KeyboardModifiers modifiers = {});
    void OnLeftButtonUp(QPoint client, Qt::KeyboardModifiers modifiers = {});
    void OnLeftButtonDoubleClick(QPoint client, Qt::KeyboardModifiers modifiers = {});
    // Keys by Qt::Key; the view tracks Ctrl and Shift itself from these.
    void OnKeyDown(int key);
    void OnKeyUp(int key);
    // The window system took the mouse away (another window, a dialog): the drag ends without a commit.
    void OnCaptureLost();
    // Commits what a tool still has under construction (an open Bezier
    // curve), so that nothing that changes the tool, the drawing or the
    // document loses it.
    void FinishConstruction();
    // Ends a drag in progress without a commit and puts back what it changed
    // directly (previews, a dragged centre or guide). Every entry that
    // changes the drawing or the view calls it first; so must a caller that
    // changes the drawing from outside.
    void CancelDrag();
    bool HasCapture() const { return captured; }
    // The cursor for a canvas point under the active tool.
    int CursorFor(PointF q);

    // --- placing an imported picture or drawing (creation_tools.cpp) ---
    // The next drag places the picture of this working file (its type, the
    // file's extension, is kept with it) or the items of this drawing file;
    // then the tool active before comes back.
    void BeginImagePlacement(const std::string& workingFile, const std::string& imageType);
    void BeginFilePlacement(const std::string& workingFile);

    // --- selection (selection.cpp) ---
    DrawItem* Selection() const { return selection; }
    bool SelectionIsGroup() const;
    GroupItem& SelectionGroup() { return *selectionGroup; }
    // The selection first, then the items from the top down.
    std::pair<DrawItem*, std::int32_t> HitTestItems(PointF q);
    void AddToSelection(DrawItem* item);
    // AddToSelection of each item in turn, with the group built once.
    void AddUnitsToSelection(const std::vector<DrawItem*>& items);
    void SelectInRect(const RectF& rect);
    void SelectNone();
    // The selection becomes exactly these items (as the items panel marks
    // them); the bars hear of it. Hidden and locked items are chosen too.
    void SelectItems(const std::vector<DrawItem*>& items);
    void SyncSelectionToBars();

    // --- commands (commands.cpp) ---
    void DoCommand(std::int32_t code);
    // Point commands 211 to 218 and 236 (point_commands.cpp): DoCommand
    // passes them on; the enable rule of each is its condition.
    void DoPointCommand(std::int32_t code);
    bool PointCommandEnabled(std::int32_t code) const;
    // The current gradient stop's colour through the colour dialog (gradient_commands.cpp).
    void DoGradientStopColor();
    bool GradientStopColorEnabled() const;
    // The drawing changed outside the view's own operations: items are
    // measured anew. The caller keeps the selection valid.
    void DocumentChanged();
    // Enabled and checked state of a menu or bar command id, for the frame's
    // menus and bars; ids the view has no rule for are enabled (command_state.cpp).
    CommandUpdate CommandState(int commandId) const;
    // A drag changed the selection's items directly, outside the undo
    // stack (and again when it puts them back): the document counts the
    // change, and the view measures the selection again without redrawing
    // the rest.
    void AfterDirectChange();

    // --- value setters of the bars and the items panel (value_setters.cpp) ---
    // Each changes the selection, when there is one, by one undoable step. A
    // value that is not a finite number, or out of its range, changes nothing.
    // The new left (top) edge of the selection's bounds.
    void SetItemX(float x);
    void SetItemY(float y);
    // Scales the selection to the width (height), keeping its left (top)
    // edge; 0 or less is taken as 1. A selection with no width (height) stays.
    void SetItemWidth(float width);
    void SetItemHeight(float height);
    // Turns the selection by the angle, in degrees, about its rotation centre.
    void SetItemRotation(float angle);
    // These also become the defaults for new items.
    void SetLineWidth(float width);
    void SetDashStyle(std::int32_t style);
    // Of a selected text item, and the defaults for new text.
    void SetFontName(const std::string& name);
    void SetFontSize(std::int32_t size);
    // Of the gradient the active gradient tool edits; nothing under other tools.
    void SetGradientWrap(std::int32_t mode);
    // A percentage, brought into 1 to 99 by steps of 99, for the current stop.
    void SetStopPosition(float percent);
    // Degrees, brought into 0 to 360 by steps of 360.
    void SetGradientAngle(float angle);
    void RenameSelection(const std::string& name);

    // --- the clipboard (clipboard_commands.cpp) ---
    // Copy offers the selection as items and as a picture; Cut copies and
    // deletes it in one undo step. Paste adds the clipboard's items (where
    // they were copied from, or 10 units off when they still stand there) or
    // its picture as one undo step, and selects what it added. Each answers
    // whether it did anything.
    bool CopySelection();
    bool CutSelection();
    bool PasteClipboard();
    // The clipboard holds items or a picture, and there is a canvas to paste on.
    bool CanPaste() const;

    // --- files (file_commands.cpp, export_commands.cpp) ---
    // The commands of the menus that have no DoCommand code: New, New
    // Template and Open (each after the save prompt), the e-mail tags, the
    // template gallery, the start dialog, Print, Copy, Cut and Paste. False
    // for any other id.
    bool DoFileCommand(int commandId);
    // A menu or bar command id: its tool or command code, else DoFileCommand;
    // false for ids the view does not carry out (menu_commands.cpp).
    bool DoMenuCommand(int commandId);
    // Before the drawing is closed or replaced from outside the view: ends
    // what is under way and asks "Save current file?"; false when the caller
    // must stop.
    bool PromptSaveCurrent();
    // What Open does once a file is chosen: one undoable load, the canvas from the file.
    bool OpenDrawing(const std::string& path);
    // Writes the whole drawing; false (and a message) when it cannot be written.
    bool SaveDrawing(const std::string& path);
    const std::string& CurrentFilePath() const { return currentFilePath; }
    // The drawing changed since it was last opened, saved or made new.
    bool IsModified() const;
    // The drawing belongs to path from now on, as not yet saved there: a
    // drawing restored from a copy that was kept for it.
    void AdoptFile(const std::string& path);

    // --- painting (rendering.cpp) ---
    // Paints the clip region of a client-sized ARGB32 image; nothing outside it.
    void Paint(QImage& target, const QRegion& clip);
    // Paints the clip region of the window through a kept back buffer.
    void Paint(QPainter& painter, const QRegion& clip);
    // A fresh client-sized image of the whole client area.
    QImage PaintClient();
    // Work between events, for a host that answered RequestDrawAhead: draws
    // the kept layers' margins ahead of a pan, and the true render of a new
    // zoom, a piece at a time on a worker thread. Never blocks on the worker.
    // Answers whether there is more to do (call again soon).
    bool DrawAhead();
    // The layers on show are an older zoom's, scaled, or the bare canvas of
    // a large drawing just opened, until the true render is done.
    bool ShowsScaledLayers() const { return layersScaled; }
    // Large paints split the client into two bands drawn on two threads;
    // the pixels are the same either way.
    void SetParallelPaint(bool on)
    {
        parallelPaint = on;
        InvalidateLayers();
    }
    // Items wholly under opaque items above them are not drawn; the pixels
    // are the same either way.
    void SetSkipCoveredItems(bool on)
    {
        skipCoveredItems = on;
        InvalidateLayers();
    }

    // --- rulers and guides (rulers.cpp) ---
    const Ruler& GetRuler() const { return ruler; }
    std::int32_t DraggedGuide() const { return draggedGuide; }

    // --- state read by bars, panels and tests ---
    PointF DownPoint() const { return downPoint; }
    PointF LastPoint() const { return lastPoint; }
    PointF HoverPoint() const { return hoverPoint; }
    std::int32_t SelectHitCode() const { return selectHitCode; }
    std::int32_t EditHitCode() const { return editHitCode; }
    const NodeSelection& SelectedNodes() const { return selectedNodes; }
    bool CtrlHeld() const { return ctrlDown; }
    bool TextBold() const { return textBold != 0; }
    bool TextItalic() const { return textItalic != 0; }
    bool TextUnderline() const { return textUnderline != 0; }

private:
    // view_state.cpp
    void RecomputeMargins();
    void ApplyCanvasGeometry();
    void ApplyZoom(float zoom, bool tellFrame);
    void Repaint();
    // Captures the mouse for a drag; putBack undoes whatever the drag will
    // change directly, and runs once, at the release or when the drag is cancelled.
    void BeginDrag(std::function<void()> putBack = {});
    void PutBackDrag();
    void EndCapture();
    // The document changed through the view. Its change count already tells
    // the paint after any push, undo or redo (a change made around the undo
    // stack goes through doc.NoteChange or DocumentChanged); this catches up now.
    void AfterDocumentChange();
    // Only the selection's own items changed, in place, by the one change
    // made since the view last looked: they are measured again and drawn
    // live from now on, so the layers around them stay.
    void AfterSelectionEdit();

    // dispatch.cpp
    bool HandleKey(int key);
    void MoveSelectionByKey(float dx, float dy);
    void UpdateCursor(PointF q);
    // The capture is gone: put back the drag's direct changes, forget its state.
    void AbandonDrag();
    // The handler of a tool value; null for values SetTool refuses.
    ToolHandler* HandlerFor(std::int32_t kind) const;
    ToolHandler& ActiveHandler() const;

    // selection.cpp
    // The selection forgets a preview that was not committed.
    void DropPreview();
    // No group keeps an active child; done on leaving the Edit and gradient
    // tools, and after undo or redo under any other tool.
    void ForgetActiveChildren();
    void KeepActiveChildrenForTool();
    // The selection group is the view's own and no record moves its rotation
    // centre: after its members moved or scaled, the centre is carried along.
    void CarrySelectionCentre(const Matrix& m);
    // Hands the current stop's position, the angle and the wrap mode to the gradient bar.
    void LoadGradientBar();
    // Children of the selection: the group's members, or the item itself.
    void SelectionUnits(std::vector<DrawItem*>& out) const;
    bool IsSelectionChild(const DrawItem* item) const;
    void EmptySelectionGroup();

    // clipboard_commands.cpp
    bool PasteItems(const QByteArray& text, const std::optional<ClipboardSourceInfo>& source);
    bool PastePicture(const QImage& picture);
    // The selection becomes the items just pasted.
    void SelectPasted(const std::vector<DrawItem*>& pasted);

    // file_commands.cpp
    // "Save current file?" when the drawing holds an item and changed since
    // it was last saved or opened; false when the command must stop
    // (Cancel, or a save that was cancelled or failed).
    bool PromptSave();
    // DoCommand 223 and 224; Save answers whether the drawing was written.
    bool SaveCommand();
    void OpenCommand();
    void NewDrawingCommand(bool fromTemplate);
    void ImportCommand();
    void CaptureCommand();
    void InsertTag(const char* tag);
    void DownloadTemplate();
    void StartDialog();
    // export_commands.cpp: DoCommand 225.
    void ExportCommand();
    // print_command.cpp: the host prints the canvas fitted to its pages.
    void PrintCommand();
    // A failed export or open: one message naming the file and the reason.
    void ShowFileError(const std::string& path, const std::string& reason);

    // arrange_commands.cpp: each answers whether the drawing changed.
    bool GroupSelection();
    bool BreakSelectedGroup();
    bool CombineSelection();
    bool BreakSelectedCurve();
    // Asks for a colour; the selection's line (fill), or the defaults without one.
    bool ChangeColor(bool line);

    // value_setters.cpp
    // After a setter changed the selection in place.
    void AfterSetter();

    // Pan so that fixedPoint stays where it was at the zoom `before`; tells the frame.
    void KeepPointAfterZoom(float before, PointF fixedPoint);

    // creation_tools.cpp
    // The item under construction becomes one item of the drawing, of the
    // active tool's kind, and the selection.
    void CommitCreation();
    void DiscardCreation();
    // The defaults a new item of this kind receives.
    void SetCreationDefaults(std::int32_t kind);
    // Empties the selection group; when it was the selection, nothing stays selected.
    void ClearSelectionGroup();
    void BeginPlacement(ToolKind kind);

    // rendering.cpp
    // Items first..end-1 of the list into a kept layer, within clip (layer
    // pixels); answers how many were in view.
    int PaintItems(QImage& image, const QRect& clip, int first, int end);
    // The list indices (first, last) of the items a drag may change; first > last when none.
    std::pair<int, int> LiveItemRange();
    // Renders the layers below and above the live items when anything they
    // show changed. The layers are in device pixels: ratio of them to a client pixel.
    void UpdateLayers(QSize size, qreal ratio, std::pair<int, int> live);
    // Gives the layers the size of a client of size device pixels and its
    // margins; the layer above only withAbove (else it is dropped).
    void SizeLayers(QSize size, bool withAbove);
    // Renders the layers inside area only (layer pixels); answers the items drawn.
    int RenderLayers(const QRect& area, std::pair<int, int> live);
    // The first render of a large drawing just opened is left to the worker:
    // answers whether it was, the layers holding the background meanwhile.
    bool LeaveItemsToWorker();
    // The note the client shows while the items of a drawing just opened are drawn.
    void PaintDrawingNote(QPainter& painter) const;
    // Canvas units to layer (device) pixels.
    QTransform LayerTransform() const;
    // Layer pixels to client pixels while the layers show an older zoom.
    QTransform LayerToClient() const;
    // The list indices, bottom to top, of the items of first..end-1 that a
    // paint through toDevice shows inside clip (device pixels): those that
    // may touch it and do not lie wholly under opaque items above them.
    void ItemsToDraw(const QTransform& toDevice, const QRect& clip, int first, int end,
                     std::vector<int>& shown) const;
    // Records the items shown[from..to-1] drawn through toDevice; answers how many.
    int RecordItems(DisplayList& list, const QTransform& toDevice, const std::vector<int>& shown, std::size_t from,
                    std::size_t to);
    // How many threads play a recording of this many items over area.
    int PaintThreads(int items, const QRect& area) const;
    // The window background, shadow, canvas and its border, in area only.
    static void PaintLayerBackground(QImage& image, const QRect& area, const QTransform& toDevice, const Canvas& canvas);
    // A piece of the layers recorded here and drawn on a worker thread.
    struct AheadJob;
    // draw_ahead.cpp: chooses the next piece; false when there is none.
    bool StartAheadJob();
    bool AheadJobObsolete(const AheadJob& job) const;
    // Drops the piece under way; a worker still drawing it stops soon.
    void StopDrawingAhead();
    // Records more of the piece's items, for a few milliseconds; starts the
    // worker once all are recorded.
    void RecordAheadJob(AheadJob& job);
    // Puts a finished piece into the layers it was drawn for, if they still show that.
    void MergeAheadJob(AheadJob& job);
    // Moves the kept pixels by shift (the client's window stays on the same canvas point).
    void ScrollLayers(QPoint shift);
    // Moves the client's window in the kept layers to corner (layer pixels),
    // shifting them and rendering what it uncovers; false when so little of
    // what is kept would show that rendering the layers afresh is as quick.
    bool ShiftLayers(QPoint corner, std::pair<int, int> live);
    void InvalidateLayers();
    // The bounds of the items, renewed when the document changed since they were measured.
    const std::vector<ItemBoundsCache::Entry>& MeasuredItems();
    // A change the view has not followed in place: everything is measured and rendered anew.
    void SyncWithDocument();
    RectF CanvasRectOf(const QRect& pixels) const;
    // The eight handles of the selection, which most tools show.
    void PaintSelectionHandles(QPainter& painter);
    void PaintRubberBand(QPainter& painter);
    void PaintGuides(QPainter& painter);
    QTransform CanvasTransform() const;

    // rulers.cpp
    bool GuidePress(PointF q, QPoint client);
    void GuideDrag(PointF q);
    void GuideRelease(PointF q);
    // The guide within 2 units of q, or -1; the older one wins.
    std::int32_t GuideNear(PointF q) const;

    CKorvaniDoc& doc;
    ViewHost& host;

    Canvas canvas;
    PointF downPoint;
    PointF lastPoint;
    PointF hoverPoint;
    // The client pixel of the last mouse event: what the pointer is over on screen.
    QPoint pointerPixel;
    PointF startPoint;
    std::int32_t activeTool = ToolValue(ToolKind::Select);
    std::int32_t previousTool = ToolValue(ToolKind::Select);
    std::int32_t creationCount = 0;
    DrawItem* selection = nullptr;
    // Kept alive by the view's own reference: records may reference it too.
    GroupItem* selectionGroup = nullptr;
    std::int32_t selectHitCode = HitMiss;
    std::int32_t editHitCode = HitMiss;
    NodeSelection selectedNodes;
    bool nodesMoved = false;
    std::int32_t gradientHit = HitMiss;
    std::int32_t gradientStop = -1;
    bool centreDrag = false;
    // Puts back the direct changes of the drag in progress.
    std::function<void()> dragPutBack;
    std::int32_t textBold = 0;
    std::int32_t textItalic = 0;
    std::int32_t textUnderline = 0;
    float lineWidth = 1.0f;
    std::int32_t dashStyle = 0;
    std::int32_t fontSize = 18;
    std::string fontName = "Arial";
    ArgbColor shapeLineColor = ColorOpaqueBlack;
    ArgbColor shapeFillColor = ColorOpaqueWhite;
    ArgbColor textLineColor = ColorAbsent;
    ArgbColor textFillColor = ColorOpaqueBlack;
    NodeList creationNodes;
    AttributeTable creationAttributes;
    std::string imagePath;
    std::string placePath;
    std::string currentFilePath;
    // The document's change count when the drawing was last opened, saved or made new.
    std::uint64_t savedChange = 0;
    PointF panOffset;    // pixels
    PointF canvasMargin; // pixels
    std::int32_t draggedGuide = -1;
    Ruler ruler;

    // The window as the view knows it.
    QSize clientSize;
    QPoint scrollPosition;
    bool captured = false;
    bool ctrlDown = false;
    bool shiftDown = false;

    ItemBoundsCache boundsCache;
    // The document's change count that the bounds and layers account for.
    std::uint64_t seenChange = ~std::uint64_t(0);
    // Counts the changes the kept layers cannot follow in place.
    std::uint64_t drawingGeneration = 0;
    // What the kept layers were rendered for, apart from where the canvas lay:
    // a pan moves them and paints only what it uncovers.
    struct LayerKey
    {
        std::uint64_t generation = 0;
        float zoom = 0;
        QSize size; // device pixels
        qreal pixelRatio = 1; // device pixels per client pixel
        std::int32_t canvasWidth = 0;
        std::int32_t canvasHeight = 0;
        ArgbColor canvasColor = 0;
        // Items [0, belowEnd) are in the layer below, [aboveBegin, end) in
        // the one above (-1: no layer above).
        int belowEnd = 0;
        int aboveBegin = -1;
        friend bool operator==(const LayerKey&, const LayerKey&) = default;
    };
    LayerKey layerKey;
    // How far the kept layers reach beyond each side of the client. A pan
    // step within it is a copy.
    static constexpr int LayerMargin = 256;
    // The layers reach a margin beyond each side of the client, so
    // that most pan steps only move the client's window over pixels already
    // drawn (at 1920 x 1080 a layer takes 15 MB instead of 8).
    QPointF layerOrigin; // layer pixel of the canvas origin
    QRect layerWindow;   // the layer pixels the client shows
    QRegion layerDrawn;  // the layer pixels rendered; the rest is stale
    bool layersValid = false;
    // Counts the sets of layers rendered afresh: a piece drawn ahead for an
    // older set is dropped.
    std::uint64_t layerEpoch = 0;
    // The host calls DrawAhead between events: a pan draws only what the
    // client shows, and a new zoom keeps its preview until the worker is done.
    bool drawAheadHost = false;
    // What the last paint wanted the layers to show: a new zoom's true render
    // is drawn ahead for this.
    LayerKey wantedKey;
    QPointF wantedOrigin; // layer pixel of the canvas origin, margin included
    // The way the client last moved over the layers: the margins on that side come first.
    QPoint panDirection;
    std::shared_ptr<AheadJob> aheadJob; // the piece on a worker, if any
    // The layers show an older zoom, scaled, and owe a true render.
    bool layersScaled = false;
    // A drawing was opened and not yet painted: when large, its items are
    // drawn on the worker while the client shows the bare canvas and a note.
    bool drawingOpened = false;
    // The layers hold the background only (layersScaled is set too): the
    // items are being drawn ahead.
    bool layersAwaitItems = false;
    int itemsInLayers = 0;
    std::vector<DrawItem*> liveUnits;   // drawn live at the next paint, sorted
    std::vector<DrawItem*> pinnedUnits; // edited in place since the layers were drawn
    QImage belowLayer; // background, canvas and the items below the live ones
    QImage aboveLayer; // the items above the live ones, on transparent
    QImage backBuffer;
    bool parallelPaint = true;
    bool skipCoveredItems = true;

    // One handler per tool value from 101 on; empty where SetTool refuses the value.
    std::array<std::unique_ptr<ToolHandler>, 18> toolHandlers;
};

// The key of the setting that holds the template gallery's site ("https://host").
constexpr const char* TemplateGallerySetting = "TemplateGallery";
// The gallery's page on that site; empty when no gallery is configured.
std::string TemplateGalleryPage();
