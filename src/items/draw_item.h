#pragma once

// The base of every drawable item: visual attributes stored as text under
// numeric ids, the outline as PathNodes, committed and preview matrices, two
// gradient ramps, an id and a reference count.

#include "items/geometry.h"

#include <QBrush>
#include <QPainterPath>
#include <QPen>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class QPainter;
class XmlNode;

enum ItemTypeCode : std::int32_t {
    ItemLine = 102,
    ItemEllipse = 103,
    ItemRectangle = 104,
    ItemCurve = 105,
    ItemDoodle = 106,
    ItemImage = 107,
    ItemText = 108,
    ItemGroup = 110,
};

enum AttrId : std::int32_t {
    ATTR_FONT_NAME = 303,
    ATTR_FONT_SIZE = 304,
    ATTR_CONTENT = 305,
    ATTR_BOLD = 306,
    ATTR_ITALIC = 307,
    ATTR_UNDERLINE = 308,
    ATTR_LINE_COLOR = 309,
    ATTR_LINE_WIDTH = 310,
    ATTR_DASH_STYLE = 311,
    ATTR_FILL_COLOR = 312,
    ATTR_BOUNDS_X = 313,
    ATTR_BOUNDS_Y = 314,
    ATTR_BOUNDS_WIDTH = 315,
    ATTR_BOUNDS_HEIGHT = 316,
    ATTR_LINE_GRADIENT = 321,
    ATTR_FILL_GRADIENT = 322,
    ATTR_LINE_WRAP = 323,
    ATTR_FILL_WRAP = 324,
    ATTR_LINE_GRADIENT_START = 325,
    ATTR_LINE_GRADIENT_END = 326,
    ATTR_FILL_GRADIENT_START = 327,
    ATTR_FILL_GRADIENT_END = 328,
    ATTR_HIDDEN = 329,
    ATTR_LOCKED = 330,
    ATTR_CENTER = 331,
    ATTR_IMAGE_TYPE = 332,
};

// Attribute id -> value text, iterated in ascending id order.
using AttributeTable = std::map<std::int32_t, std::string>;
using NodeSelection = std::vector<std::int32_t>;

// Entry 0 is the start stop (0.0), entry 1 the end stop (1.0), later entries
// intermediate stops in the order they were added; never sorted.
struct GradientRamp
{
    std::vector<ArgbColor> colors;
    std::vector<float> positions;
    friend bool operator==(const GradientRamp&, const GradientRamp&) = default;
};

// Process-wide counter of item ids; each new item takes the current value.
extern std::uint32_t NextItemId;
std::uint32_t TakeNextItemId();

// Transform and bounds modes.
constexpr int ModeCommit = 0;
constexpr int ModePreview = 1;

class DrawItem
{
public:
    virtual ~DrawItem();
    DrawItem(const DrawItem&) = delete;
    DrawItem& operator=(const DrawItem&) = delete;

    std::int32_t TypeCode() const { return typeCode; }
    std::uint32_t Id() const { return id; }
    void SetId(std::uint32_t newId) { id = newId; }
    const std::string& ClassName() const { return className; }
    void SetClassName(std::string name) { className = std::move(name); }

    // Reference counting: Release deletes the item when the count drops from 1 to 0.
    void AddRef() { ++refCount; }
    void Release();
    std::int32_t RefCount() const { return refCount; }

    const AttributeTable& Attributes() const { return attributes; }
    const NodeList& Nodes() const { return nodes; }
    const NodeList& PreviewNodes() const { return previewNodes; }
    const Matrix& GetMatrix() const { return matrix; }
    const Matrix& GetPreviewMatrix() const { return previewMatrix; }
    const GradientRamp& LineRamp() const { return lineRamp; }
    const GradientRamp& FillRamp() const { return fillRamp; }

    // The one answer to "hidden?" and "locked?" that drawing, hit tests,
    // handles and selection all ask: an item's own flag; a group answers for
    // its members (group_item.h).
    virtual bool IsHidden() const { return OwnFlag(ATTR_HIDDEN); }
    virtual bool IsLocked() const { return OwnFlag(ATTR_LOCKED); }
    // False for an item with nothing to measure (a group with no such
    // member, an outline with too few nodes): its bounds are no place.
    virtual bool HasGeometry() const { return nodes.size() >= 2; }
    std::int32_t DashStyle();

    // The attribute text on the item; a group sets it on every member and on
    // its own table, whichever member a node hit made active.
    virtual void SetAttrOnMembers(std::int32_t attr, const std::string& value) { SetTextAttr(attr, value); }
    // The point RotateAbout turns about: the item's own ATTR_CENTER (for a
    // group its own, never its active child's).
    PointF RotationCentre() const;

    void Translate(float dx, float dy, int mode);
    void RotateAbout(float angleDegrees, int mode);
    void RotateAbout(PointF centre, float angleDegrees, int mode);
    void ScaleAbout(float ox, float oy, float sx, float sy, int mode);
    bool IsInsideRect(const RectF& rect);
    void ExportAttributes(AttributeTable& map);
    void GetLineRamp(std::vector<ArgbColor>& colors, std::vector<float>& positions) const;
    void GetFillRamp(std::vector<ArgbColor>& colors, std::vector<float>& positions) const;
    void SetLineRamp(const std::vector<ArgbColor>& colors, const std::vector<float>& positions);
    void SetFillRamp(const std::vector<ArgbColor>& colors, const std::vector<float>& positions);
    void DrawSelectionHandles(QPainter& graphics);
    void ReplaceNodes(const NodeList& list);
    // Undo puts an item back exactly as it was: these write the item's own
    // table and committed matrix directly, bypassing the setters that a group
    // hands on to its children. A null value removes the attribute.
    void RestoreAttr(std::int32_t attr, const std::string* value)
    {
        AttrChanging(attr);
        if (value)
            attributes[attr] = *value;
        else
            attributes.erase(attr);
    }
    void RestoreMatrix(const Matrix& m) { StoreMatrix(m); }
    // Forgets a transform preview that no commit followed (a drag below the
    // threshold, a refused change, a lost mouse capture); a group forgets
    // its members' previews.
    void DropPreview()
    {
        previewMatrix.Reset();
        previewNodes.clear();
        if (ChildCount() == 1 && ChildAt(0) == this)
            return;
        for (std::int32_t i = 0; i < ChildCount(); ++i) {
            if (DrawItem* child = ChildAt(i))
                child->DropPreview();
        }
    }
    // The committed bounds are kept between calls and dropped by every change
    // of what they depend on (nodes, matrix, the attributes that shape the
    // outline); a group keeps none, its members' changes would not reach it.
    RectF Bounds(int mode = ModeCommit);

    static QBrush BuildGradientBrush(const GradientRamp& ramp, PointF start, PointF end, int wrap);

    // Appends the item element to the file at path; false when it cannot be written.
    bool WriteXml(const std::string& path);

    // --- virtual slots ---
    virtual void HitFillStop(PointF point, std::int32_t& index);
    virtual void HitLineStop(PointF point, std::int32_t& index);
    virtual void EnsureLineGradient();
    virtual void EnsureFillGradient();
    virtual void SetLineStopColor(std::int32_t i, ArgbColor color);
    virtual void GetLineStopColor(std::int32_t i, ArgbColor& color);
    virtual void SetFillStopColor(std::int32_t i, ArgbColor color);
    virtual void GetFillStopColor(std::int32_t i, ArgbColor& color);
    virtual void SetLineStopPosition(std::int32_t i, float pos);
    virtual void GetLineStopPosition(std::int32_t i, float& pos);
    virtual void SetFillStopPosition(std::int32_t i, float pos);
    virtual void GetFillStopPosition(std::int32_t i, float& pos);
    virtual void SetLineGradientAngle(float angle);
    virtual void GetLineGradientAngle(float& angle);
    virtual void SetFillGradientAngle(float angle);
    virtual void GetFillGradientAngle(float& angle);
    virtual std::int32_t ToggleLineStopAt(PointF point, ArgbColor color);
    virtual std::int32_t ToggleFillStopAt(PointF point, ArgbColor color);
    virtual void DrawLineGradientHandles(QPainter& graphics, std::int32_t selected);
    virtual void DrawFillGradientHandles(QPainter& graphics, std::int32_t selected);
    virtual void DragLineGradientHandle(std::int32_t index, float dx, float dy);
    virtual void DragFillGradientHandle(std::int32_t index, float dx, float dy);
    // mode 1 previews, any other value commits.
    virtual void Transform(const Matrix& m, int mode) = 0;

    virtual void SetPointAttr(std::int32_t attr, PointF value);
    virtual void SetIntAttr(std::int32_t attr, std::int32_t value);
    virtual void SetColorAttr(std::int32_t attr, ArgbColor value);
    virtual void SetTextAttr(std::int32_t attr, const std::string& value);
    virtual void SetFloatAttr(std::int32_t attr, float value);
    // Getters answer the absent value of their kind when the id is missing.
    virtual PointF GetPointAttr(std::int32_t attr);
    virtual std::int32_t GetIntAttr(std::int32_t attr);
    virtual ArgbColor GetColorAttr(std::int32_t attr);
    virtual std::string GetTextAttr(std::int32_t attr);
    virtual float GetFloatAttr(std::int32_t attr);

    virtual void CopyFrom(const DrawItem& other);
    // Appends the item element (CR LF line ends) to out.
    virtual void WriteXml(std::string& out);
    virtual void ReadXml(const XmlNode& element);

    virtual void SetNode(std::int32_t index, const PathNode& node);
    virtual void GetNode(std::int32_t index, PathNode& node);
    virtual void InsertNodeAt(const PathNode& node);
    virtual void DeleteNode(std::int32_t index);
    virtual bool IsNodeClosedOrInner(std::int32_t index);
    virtual bool CanJoinEnds(const NodeSelection& selection);
    virtual void BreakAtNode(std::int32_t index);
    virtual void JoinEnds(const NodeSelection& selection);
    virtual void ConvertSegmentToCurve(std::int32_t index);
    virtual void ConvertSegmentToLine(std::int32_t index);
    virtual bool ConvertInto(DrawItem& target);

    virtual void GetBounds(RectF& rect, int mode) = 0;
    virtual void Draw(QPainter& graphics) = 0;
    // Lets go of the outlines kept between calls; they are made again when
    // next needed. A drawing just read holds none until it is drawn.
    virtual void ForgetOutlines();
    // A box in canvas units inside which a draw of the item leaves every
    // pixel opaque whatever lay below; false when there is none to tell.
    // A paint skips the items that lie wholly beneath such boxes.
    virtual bool OpaqueBox(QRectF& box);
    virtual void DrawHotNode(QPainter& graphics, PointF point) = 0;
    virtual void DrawNodeHandles(QPainter& graphics, const NodeSelection& selection) = 0;
    virtual std::int32_t HitTest(PointF point) = 0;
    virtual std::int32_t HitNode(PointF point, NodeSelection& selection) = 0;
    virtual std::int32_t SelectNodesInRect(const RectF& rect, NodeSelection& selection) = 0;
    virtual bool SetNodes(const NodeList& list) = 0;

    virtual bool AddChild(DrawItem* item);
    virtual DrawItem* ChildAt(std::int32_t index);
    virtual bool RemoveChildAt(std::int32_t index);
    virtual bool ReleaseChildren();
    virtual std::int32_t ChildCount();

    virtual void GetNodes(NodeList& list);
    virtual void MoveNodes(int mode, const NodeSelection& selection, float dx, float dy) = 0;

protected:
    DrawItem(std::int32_t typeCode, std::string className);

    // The item's own table, bypassing the virtual accessors (which a group forwards).
    void StoreAttr(std::int32_t attr, std::string value)
    {
        AttrChanging(attr);
        attributes[attr] = std::move(value);
    }
    const std::string* FindAttr(std::int32_t attr) const;
    bool OwnFlag(std::int32_t attr) const;
    void ClearAttributes()
    {
        ForgetBounds();
        attributes.clear();
    }
    // The committed outline for editing in place. The kept bounds are dropped
    // now: hold the reference only for the edit, never across a Bounds call.
    NodeList& EditNodes()
    {
        ForgetBounds();
        return nodes;
    }

    // The two transform policies. Baking maps the nodes and keeps the matrix
    // identity; accumulating keeps the nodes and gathers the matrix. Both map
    // ATTR_CENTER on a commit so that the rotation centre travels along.
    void TransformBaking(const Matrix& m, int mode);
    // mapGradient false: the kind has no gradients to carry (images).
    void TransformAccumulating(const Matrix& m, int mode, bool mapGradient = true);
    void MapGradientPoints(const Matrix& m);
    void MapCenter(const Matrix& m);
    // ATTR_CENTER := centre of the committed bounds.
    void UpdateCenter();
    // The hit test of kinds whose body is their whole box: a box handle, else
    // the body inside the bounds (left and top edges inclusive), else a miss.
    std::int32_t HitBoxOrBody(const RectF& bounds, PointF point) const;
    // Bounds of a path without pen, grown by half the line width.
    RectF PathBoundsWithPen(const QPainterPath& path);
    RectF BoundsWithPen(const QRectF& box);

    // The shared drawing recipe: pen, optional fill, stroke of `outline`.
    // skipClearFill skips a solid fill whose alpha is 0.
    void DrawRecipe(QPainter& graphics, const QPainterPath& outline, bool fill, bool skipClearFill);
    // Whether the fill DrawRecipe paints is opaque everywhere.
    bool FillIsOpaque();
    // Loads the pen with width, dash style and the outline colour or gradient.
    void PreparePen();
    // Strokes a preview outline in blue, one pixel wide, without smoothing.
    void DrawPreviewPath(QPainter& graphics, const QPainterPath& path);
    // The drawing of kinds whose outline comes from their nodes: the outline
    // build(path, ModeCommit) makes, by the recipe (a clear fill skipped),
    // and while a preview is on, the one build(path, ModePreview) makes.
    template <typename Build>
    void DrawBuiltOutline(QPainter& graphics, bool fill, Build build)
    {
        if (IsHidden())
            return;
        workPath.clear();
        build(workPath, ModeCommit);
        DrawRecipe(graphics, workPath, fill, true);
        if (!previewNodes.empty()) {
            QPainterPath preview;
            build(preview, ModePreview);
            DrawPreviewPath(graphics, preview);
        }
    }

    // Subpaths of a node list as Bezier chains (curves, converted shapes).
    static void AddCurveOutline(QPainterPath& path, const NodeList& list);

    NodeList previewNodes;
    std::int32_t typeCode;
    std::uint32_t id = 0;
    std::string className;
    Matrix previewMatrix;
    ArgbColor workColor = ColorOpaqueBlack;
    QPen pen;
    QBrush brush;
    QPainterPath workPath;
    GradientRamp lineRamp;
    GradientRamp fillRamp;
    std::int32_t refCount = 0;

private:
    // What the committed bounds are measured from is written only here and
    // through the members above that drop the kept bounds.
    void ForgetBounds() { boundsKept = false; }
    // For the length of a transform: when it is a committed translation of
    // an item whose bounds are kept, the bounds are moved along at its end.
    class BoundsCarrier
    {
    public:
        BoundsCarrier(DrawItem& item, const Matrix& m, int mode);
        ~BoundsCarrier();
        BoundsCarrier(const BoundsCarrier&) = delete;
        BoundsCarrier& operator=(const BoundsCarrier&) = delete;

    private:
        DrawItem& item;
        PointF shift;
        RectF before;
        bool carry = false;
    };
    void StoreNodes(NodeList list);
    void StoreMatrix(const Matrix& m);
    void AttrChanging(std::int32_t attr);

    bool boundsKept = false; // declared here, it fills the padding after refCount
    AttributeTable attributes;
    NodeList nodes;
    Matrix matrix;
    RectF keptBounds;
};
