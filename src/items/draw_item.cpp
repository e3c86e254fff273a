#include "items/draw_item.h"

#include "items/attribute_format.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>

std::uint32_t NextItemId = 0;

std::uint32_t TakeNextItemId()
{
    return NextItemId++;
}

namespace {

bool IsFiniteMatrix(const Matrix& m)
{
    float e[6];
    m.GetElements(e);
    return std::all_of(e, e + 6, [](float v) { return std::isfinite(v); });
}

// Whether every node stays finite under m, asked without a mapped copy.
bool MapsFinite(const Matrix& m, const NodeList& nodes)
{
    const auto finite = [](PointF p) { return std::isfinite(p.x) && std::isfinite(p.y); };
    return std::all_of(nodes.begin(), nodes.end(), [&](const PathNode& n) {
        return finite(m.Map(n.Left())) && finite(m.Map(n.Anchor())) && finite(m.Map(n.Right()));
    });
}

// One screen pixel in canvas units; a zoom of 0 would divide by zero.
qreal ScreenPixel()
{
    return ZoomFactor > 0 ? 1.0 / ZoomFactor : 1.0;
}

Qt::PenStyle QtDashStyle(std::int32_t style)
{
    switch (style) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    default: return Qt::SolidLine;
    }
}

} // namespace

namespace {

// Every item starts with these; its copies share their data until the item
// first draws, so that making an item (a duplicate makes thousands) costs no
// allocation for them.
const QPen& StartPen()
{
    static const QPen pen = [] {
        QPen p(QColor::fromRgba(ColorOpaqueBlack), 1.0);
        // Flat caps and mitred joins: dash gaps stay open and corners stay sharp.
        p.setCapStyle(Qt::FlatCap);
        p.setJoinStyle(Qt::MiterJoin);
        return p;
    }();
    return pen;
}

const QBrush& StartBrush()
{
    static const QBrush brush(QColor::fromRgba(ColorOpaqueBlack));
    return brush;
}

} // namespace

DrawItem::DrawItem(std::int32_t typeCode, std::string className)
    : typeCode(typeCode), className(std::move(className)), pen(StartPen()), brush(StartBrush())
{
    StoreAttr(ATTR_LOCKED, "0");
    StoreAttr(ATTR_HIDDEN, "0");
}

DrawItem::~DrawItem() = default;

void DrawItem::Release()
{
    if (refCount-- == 1)
        delete this;
}

const std::string* DrawItem::FindAttr(std::int32_t attr) const
{
    const auto it = attributes.find(attr);
    return it == attributes.end() ? nullptr : &it->second;
}

void DrawItem::AttrChanging(std::int32_t attr)
{
    // Colours, gradients, flags and the rotation centre leave the outline as
    // it is; any other attribute (line width, the text and its font, and
    // whatever is added later) may move it.
    switch (attr) {
    case ATTR_CENTER:
    case ATTR_HIDDEN:
    case ATTR_LOCKED:
    case ATTR_LINE_COLOR:
    case ATTR_FILL_COLOR:
    case ATTR_LINE_GRADIENT:
    case ATTR_FILL_GRADIENT:
    case ATTR_LINE_WRAP:
    case ATTR_FILL_WRAP:
    case ATTR_LINE_GRADIENT_START:
    case ATTR_LINE_GRADIENT_END:
    case ATTR_FILL_GRADIENT_START:
    case ATTR_FILL_GRADIENT_END: return;
    default: ForgetBounds();
    }
}

bool DrawItem::OwnFlag(std::int32_t attr) const
{
    const std::string* value = FindAttr(attr);
    return value && ParseIntText(*value) != 0;
}

// --- attributes ---

void DrawItem::SetPointAttr(std::int32_t attr, PointF value)
{
    StoreAttr(attr, FormatPointAttr(value));
}

void DrawItem::SetIntAttr(std::int32_t attr, std::int32_t value)
{
    StoreAttr(attr, FormatInt(value));
}

void DrawItem::SetColorAttr(std::int32_t attr, ArgbColor value)
{
    StoreAttr(attr, FormatColorAttr(value));
}

void DrawItem::SetTextAttr(std::int32_t attr, const std::string& value)
{
    StoreAttr(attr, value);
}

void DrawItem::SetFloatAttr(std::int32_t attr, float value)
{
    StoreAttr(attr, FormatFloatAttr(value));
}

PointF DrawItem::GetPointAttr(std::int32_t attr)
{
    const std::string* text = FindAttr(attr);
    return text ? ParsePointText(*text) : PointF{};
}

std::int32_t DrawItem::GetIntAttr(std::int32_t attr)
{
    const std::string* text = FindAttr(attr);
    return text ? ParseIntText(*text) : 0;
}

ArgbColor DrawItem::GetColorAttr(std::int32_t attr)
{
    const std::string* text = FindAttr(attr);
    return text ? ParseColorText(*text) : ColorAbsent;
}

std::string DrawItem::GetTextAttr(std::int32_t attr)
{
    const std::string* text = FindAttr(attr);
    return text ? *text : std::string();
}

float DrawItem::GetFloatAttr(std::int32_t attr)
{
    const std::string* text = FindAttr(attr);
    return text ? ParseFloatText(*text) : 0.0f;
}

std::int32_t DrawItem::DashStyle()
{
    const std::int32_t style = GetIntAttr(ATTR_DASH_STYLE);
    return style >= 0 && style <= 4 ? style : 0;
}

// --- moving, turning, scaling ---

void DrawItem::Translate(float dx, float dy, int mode)
{
    if (!std::isfinite(dx) || !std::isfinite(dy))
        return;
    Matrix m;
    m.Translate(dx, dy);
    Transform(m, mode);
}

PointF DrawItem::RotationCentre() const
{
    // The own table: a group's getter would answer its active child's.
    const std::string* centre = FindAttr(ATTR_CENTER);
    return centre ? ParsePointText(*centre) : PointF{};
}

void DrawItem::RotateAbout(float angleDegrees, int mode)
{
    RotateAbout(RotationCentre(), angleDegrees, mode);
}

void DrawItem::RotateAbout(PointF c, float angleDegrees, int mode)
{
    if (!std::isfinite(angleDegrees) || !std::isfinite(c.x) || !std::isfinite(c.y))
        return;
    Matrix m;
    m.Translate(-c.x, -c.y);
    m.Rotate(angleDegrees);
    m.Translate(c.x, c.y);
    Transform(m, mode);
}

namespace {

// The outline width follows the axis that changed more. Magnitudes, so that a
// flip (a factor of -1) keeps the width instead of collapsing it.
float ScaledLineWidth(float w, float sx, float sy)
{
    const PointF mapped = Matrix(std::fabs(sx), 0, 0, std::fabs(sy), 0, 0).Map({w, w});
    float width = std::fabs(w - mapped.y) < std::fabs(w - mapped.x) ? mapped.x : mapped.y;
    if (!std::isfinite(width)) // a factor large enough to overflow keeps the width
        width = w;
    return width < 0.2f ? 0.2f : width;
}

// A group hands the rule to its members, each keeping its own width; a width
// in the group's own table (set through the group) scales alike, so that it
// keeps telling its members' width.
void ScaleLineWidth(DrawItem& item, float sx, float sy)
{
    if (item.ChildCount() != 1 || item.ChildAt(0) != &item) {
        for (std::int32_t i = 0; i < item.ChildCount(); ++i) {
            if (DrawItem* child = item.ChildAt(i))
                ScaleLineWidth(*child, sx, sy);
        }
        const auto own = item.Attributes().find(ATTR_LINE_WIDTH);
        if (own != item.Attributes().end()) {
            const std::string width = FormatFloatAttr(ScaledLineWidth(ParseFloatText(own->second), sx, sy));
            item.RestoreAttr(ATTR_LINE_WIDTH, &width); // the group's own table, not its members'
        }
        return;
    }
    item.SetFloatAttr(ATTR_LINE_WIDTH, ScaledLineWidth(item.GetFloatAttr(ATTR_LINE_WIDTH), sx, sy));
}

} // namespace

void DrawItem::ScaleAbout(float ox, float oy, float sx, float sy, int mode)
{
    if (!std::isfinite(ox) || !std::isfinite(oy) || !std::isfinite(sx) || !std::isfinite(sy))
        return;
    Matrix m;
    m.Translate(-ox, -oy);
    m.Scale(sx, sy);
    m.Translate(ox, oy);
    Transform(m, mode);
    if (mode == ModeCommit)
        ScaleLineWidth(*this, m.M11(), m.M22());
}

bool DrawItem::IsInsideRect(const RectF& rect)
{
    if (IsHidden() || IsLocked())
        return false;
    const RectF b = Bounds(ModeCommit);
    return rect.x <= b.x && b.Right() <= rect.Right() && rect.y <= b.y && b.Bottom() <= rect.Bottom();
}

void DrawItem::ExportAttributes(AttributeTable& map)
{
    for (const auto& [attr, value] : attributes)
        map.insert({attr, value});
    const RectF b = Bounds(ModeCommit);
    map[ATTR_BOUNDS_X] = FormatFixed(b.x, 2);
    map[ATTR_BOUNDS_Y] = FormatFixed(b.y, 2);
    map[ATTR_BOUNDS_WIDTH] = FormatFixed(b.width, 2);
    map[ATTR_BOUNDS_HEIGHT] = FormatFixed(b.height, 2);
}

void DrawItem::DrawSelectionHandles(QPainter& graphics)
{
    if (IsHidden() || IsLocked())
        return;
    std::vector<PointF> points;
    points.reserve(8);
    BoxHandlePoints(InflateRect(Bounds(ModeCommit), 4), points);
    workColor = ColorOpaqueBlack;
    brush.setColor(QColor::fromRgba(workColor));
    for (const PointF& p : points)
        graphics.fillRect(ToQRectF(HandleSquare(4, p, 1)), brush);
}

void DrawItem::ReplaceNodes(const NodeList& list)
{
    StoreNodes(list);
}

RectF DrawItem::Bounds(int mode)
{
    if (mode == ModeCommit && boundsKept)
        return keptBounds;
    RectF rect;
    GetBounds(rect, mode);
    if (mode == ModeCommit && typeCode != ItemGroup) {
        keptBounds = rect;
        boundsKept = true;
    }
    return rect;
}

// --- copying ---

void DrawItem::CopyFrom(const DrawItem& other)
{
    if (&other == this)
        return;
    EditNodes() = other.nodes;
    // Attributes this item had before stay: other's bounds hold only when
    // the tables came out the same, that is when every own entry is one of
    // other's. A new item's few entries mostly are: then other's table is
    // assigned, reusing this table's nodes. Otherwise other's table is
    // copied whole (a copy of a map is one linear pass) and the own entries
    // laid over it.
    const bool same = std::all_of(attributes.begin(), attributes.end(), [&other](const auto& entry) {
        const std::string* theirs = other.FindAttr(entry.first);
        return theirs && *theirs == entry.second;
    });
    if (same) {
        attributes = other.attributes;
    } else {
        AttributeTable merged = other.attributes;
        for (auto& [attr, value] : attributes)
            merged.insert_or_assign(attr, std::move(value));
        attributes = std::move(merged);
    }
    matrix = other.matrix;
    lineRamp = other.lineRamp;
    fillRamp = other.fillRamp;
    if (other.boundsKept && typeCode == other.typeCode && same) {
        keptBounds = other.keptBounds;
        boundsKept = true;
    }
}

bool DrawItem::ConvertInto(DrawItem& target)
{
    if (&target == this)
        return false;
    for (const auto& [attr, value] : attributes)
        target.SetTextAttr(attr, value);
    target.SetLineRamp(lineRamp.colors, lineRamp.positions);
    target.SetFillRamp(fillRamp.colors, fillRamp.positions);
    NodeList outline;
    GetNodes(outline);
    // A target that refuses the outline would replace the shape by nothing.
    return target.SetNodes(outline);
}

// --- node editing: only the curve edits single nodes ---

void DrawItem::SetNode(std::int32_t, const PathNode&) {}
void DrawItem::GetNode(std::int32_t, PathNode&) {}
void DrawItem::InsertNodeAt(const PathNode&) {}
void DrawItem::DeleteNode(std::int32_t) {}
bool DrawItem::IsNodeClosedOrInner(std::int32_t) { return false; }
bool DrawItem::CanJoinEnds(const NodeSelection&) { return false; }
void DrawItem::BreakAtNode(std::int32_t) {}
void DrawItem::JoinEnds(const NodeSelection&) {}
void DrawItem::ConvertSegmentToCurve(std::int32_t) {}
void DrawItem::ConvertSegmentToLine(std::int32_t) {}
void DrawItem::GetNodes(NodeList&) {}

// --- every item is a group of one ---

bool DrawItem::AddChild(DrawItem*) { return false; }
DrawItem* DrawItem::ChildAt(std::int32_t) { return this; }
bool DrawItem::RemoveChildAt(std::int32_t) { return false; }
bool DrawItem::ReleaseChildren() { return false; }
std::int32_t DrawItem::ChildCount() { return 1; }

// --- transform policies ---

void DrawItem::MapGradientPoints(const Matrix& m)
{
    // Only the points an item has: storing mapped absent points would add
    // four attributes to every item that is merely opened or moved, and a
    // file read and saved again would no longer be the same file.
    for (std::int32_t attr : {ATTR_FILL_GRADIENT_START, ATTR_FILL_GRADIENT_END, ATTR_LINE_GRADIENT_START, ATTR_LINE_GRADIENT_END}) {
        if (const std::string* text = FindAttr(attr))
            StoreAttr(attr, FormatPointAttr(m.Map(ParsePointText(*text))));
    }
}

void DrawItem::MapCenter(const Matrix& m)
{
    // An item that never had an outline has no centre to carry.
    if (const std::string* text = FindAttr(ATTR_CENTER))
        StoreAttr(ATTR_CENTER, FormatPointAttr(m.Map(ParsePointText(*text))));
}

// Bit for bit: a commit that changes nothing (a move by nothing, as placing
// a drawing that is opened) keeps the bounds.
void DrawItem::StoreNodes(NodeList list)
{
    static_assert(std::is_trivially_copyable_v<PathNode> && sizeof(PathNode) == 9 * sizeof(std::int32_t));
    if (list.size() != nodes.size() ||
        (!list.empty() && std::memcmp(list.data(), nodes.data(), list.size() * sizeof(PathNode)) != 0))
        ForgetBounds();
    nodes = std::move(list);
}

void DrawItem::StoreMatrix(const Matrix& m)
{
    float before[6], after[6];
    matrix.GetElements(before);
    m.GetElements(after);
    if (std::memcmp(before, after, sizeof before) != 0)
        ForgetBounds();
    matrix = m;
}

DrawItem::BoundsCarrier::BoundsCarrier(DrawItem& item, const Matrix& m, int mode)
    : item(item), shift(m.Dx(), m.Dy())
{
    // A committed move keeps the item's shape: its measured bounds move with
    // it instead of being measured again (a duplicate's copies are moved
    // right after they are made).
    carry = mode == ModeCommit && item.boundsKept && m.M11() == 1 && m.M12() == 0 && m.M21() == 0 &&
            m.M22() == 1;
    if (carry)
        before = item.keptBounds;
}

DrawItem::BoundsCarrier::~BoundsCarrier()
{
    // Kept still: the move was refused and nothing changed.
    if (!carry || item.boundsKept)
        return;
    item.keptBounds = {before.x + shift.x, before.y + shift.y, before.width, before.height};
    item.boundsKept = true;
}

void DrawItem::TransformBaking(const Matrix& m, int mode)
{
    if (!IsFiniteMatrix(m))
        return;
    const BoundsCarrier carrier(*this, m, mode);
    Matrix combined = matrix;
    combined.Multiply(m);
    NodeList mapped = nodes;
    combined.MapNodes(mapped);
    // A finite matrix can still carry a node beyond the float range.
    if (!FiniteNodes(mapped))
        return;
    if (mode == ModePreview) {
        previewMatrix = combined;
        previewNodes = std::move(mapped);
        return;
    }
    previewMatrix.Reset();
    previewNodes.clear();
    MapGradientPoints(combined);
    MapCenter(combined);
    StoreNodes(std::move(mapped));
    StoreMatrix(Matrix());
}

void DrawItem::TransformAccumulating(const Matrix& m, int mode, bool mapGradient)
{
    if (!IsFiniteMatrix(m))
        return;
    if (mode == ModePreview) {
        previewMatrix = matrix;
        previewMatrix.Multiply(m);
        previewNodes = nodes;
        return;
    }
    const BoundsCarrier carrier(*this, m, mode);
    Matrix combined = matrix;
    combined.Multiply(m);
    if (!IsFiniteMatrix(combined) || !MapsFinite(combined, nodes))
        return;
    previewMatrix.Reset();
    previewNodes.clear();
    StoreMatrix(combined);
    if (mapGradient)
        MapGradientPoints(m);
    MapCenter(m);
}

std::int32_t DrawItem::HitBoxOrBody(const RectF& bounds, PointF point) const
{
    const std::int32_t handle = HitBoxHandles(bounds, point);
    if (handle != HitMiss)
        return handle;
    return RectContainsHalfOpen(bounds, point.x, point.y) ? HitBody : HitMiss;
}

void DrawItem::UpdateCenter()
{
    StoreAttr(ATTR_CENTER, FormatPointAttr(Bounds(ModeCommit).Center()));
}

RectF DrawItem::PathBoundsWithPen(const QPainterPath& path)
{
    // Qt's bounds of a path with curves are already the tight bounds, which
    // is what flattening finely would approach.
    return BoundsWithPen(path.boundingRect());
}

RectF DrawItem::BoundsWithPen(const QRectF& box)
{
    RectF r = FromQRectF(box);
    const float halfWidth = GetFloatAttr(ATTR_LINE_WIDTH) * 0.5f;
    return {r.x - halfWidth, r.y - halfWidth, r.width + 2 * halfWidth, r.height + 2 * halfWidth};
}

// --- drawing ---

bool DrawItem::OpaqueBox(QRectF&)
{
    return false;
}

bool DrawItem::FillIsOpaque()
{
    if (GetIntAttr(ATTR_FILL_GRADIENT) == 0)
        return ColorAlpha(GetColorAttr(ATTR_FILL_COLOR)) == 255;
    // Every colour the gradient brush may take a stop from.
    const std::size_t stops = std::max<std::size_t>(2, fillRamp.positions.size());
    return fillRamp.colors.size() >= stops &&
           std::all_of(fillRamp.colors.begin(), fillRamp.colors.begin() + std::ptrdiff_t(stops),
                       [](ArgbColor c) { return ColorAlpha(c) == 255; });
}

void DrawItem::ForgetOutlines()
{
    workPath = QPainterPath();
}

void DrawItem::PreparePen()
{
    pen.setWidthF(GetFloatAttr(ATTR_LINE_WIDTH));
    pen.setStyle(QtDashStyle(DashStyle()));
    if (GetIntAttr(ATTR_LINE_GRADIENT) != 0) {
        pen.setBrush(BuildGradientBrush(lineRamp, GetPointAttr(ATTR_LINE_GRADIENT_START),
                                        GetPointAttr(ATTR_LINE_GRADIENT_END), GetIntAttr(ATTR_LINE_WRAP)));
    } else {
        workColor = GetColorAttr(ATTR_LINE_COLOR);
        pen.setColor(QColor::fromRgba(workColor));
    }
}

void DrawItem::DrawRecipe(QPainter& graphics, const QPainterPath& outline, bool fill, bool skipClearFill)
{
    if (IsHidden())
        return;
    PreparePen();
    if (fill) {
        if (GetIntAttr(ATTR_FILL_GRADIENT) != 0) {
            graphics.fillPath(outline, BuildGradientBrush(fillRamp, GetPointAttr(ATTR_FILL_GRADIENT_START),
                                                          GetPointAttr(ATTR_FILL_GRADIENT_END), GetIntAttr(ATTR_FILL_WRAP)));
        } else {
            workColor = GetColorAttr(ATTR_FILL_COLOR);
            brush.setColor(QColor::fromRgba(workColor));
            if (!(skipClearFill && ColorAlpha(workColor) == 0))
                graphics.fillPath(outline, brush);
        }
    }
    graphics.strokePath(outline, pen);
}

void DrawItem::DrawPreviewPath(QPainter& graphics, const QPainterPath& path)
{
    graphics.setRenderHint(QPainter::Antialiasing, false);
    workColor = ColorPreviewBlue;
    pen.setColor(QColor::fromRgba(workColor));
    pen.setWidthF(ScreenPixel());
    pen.setStyle(Qt::SolidLine);
    graphics.strokePath(path, pen);
    graphics.setRenderHint(QPainter::Antialiasing, true);
}

void DrawItem::AddCurveOutline(QPainterPath& path, const NodeList& list)
{
    path.setFillRule(Qt::OddEvenFill);
    std::size_t first = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].brk == 0)
            continue;
        const PathNode& start = list[first];
        path.moveTo(start.x, start.y);
        for (std::size_t k = first + 1; k <= i; ++k) {
            const PathNode& a = list[k - 1];
            const PathNode& b = list[k];
            path.cubicTo(a.rx, a.ry, b.lx, b.ly, b.x, b.y);
        }
        if (list[i].close != 0) {
            const PathNode& last = list[i];
            path.cubicTo(last.rx, last.ry, start.lx, start.ly, start.x, start.y);
        }
        first = i + 1;
    }
}
