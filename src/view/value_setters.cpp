// The values typed or chosen in the property, text and gradient bars and the
// items panel, applied to the selection and to the defaults for new items.

#include "view/korvani_view.h"

#include "document/korvani_doc.h"
#include "view/value_wrapping.h"
#include "view/view_host.h"

#include <cmath>

namespace {

// Places and sizes beyond this many units are typing mistakes; refusing them
// keeps every coordinate of a scaled or moved item far from float overflow.
constexpr float ValueLimit = 1e7f;

bool Usable(float value)
{
    return std::fabs(value) <= ValueLimit; // false for NaN too
}

bool IsGradientTool(std::int32_t tool)
{
    return tool == ToolValue(ToolKind::GradientLine) || tool == ToolValue(ToolKind::GradientFill);
}

} // namespace

void CKorvaniView::AfterSetter()
{
    AfterSelectionEdit();
    // The bars show the values the selection now has.
    SyncSelectionToBars();
    Repaint();
}

void CKorvaniView::SetItemX(float x)
{
    if (!selection || !Usable(x))
        return;
    CancelDrag();
    const float dx = x - selection->Bounds(ModeCommit).x;
    if (dx == 0 || doc.PushMove(selection, dx, 0) < 0)
        return;
    CarrySelectionCentre(Matrix(1, 0, 0, 1, dx, 0));
    AfterSetter();
}

void CKorvaniView::SetItemY(float y)
{
    if (!selection || !Usable(y))
        return;
    CancelDrag();
    const float dy = y - selection->Bounds(ModeCommit).y;
    if (dy == 0 || doc.PushMove(selection, 0, dy) < 0)
        return;
    CarrySelectionCentre(Matrix(1, 0, 0, 1, 0, dy));
    AfterSetter();
}

void CKorvaniView::SetItemWidth(float width)
{
    if (!selection || !Usable(width))
        return;
    CancelDrag();
    if (width <= 0)
        width = 1.0f;
    const RectF bounds = selection->Bounds(ModeCommit);
    // A selection without width has no factor that would give it one.
    if (!(bounds.width > 0))
        return;
    const float sx = width / bounds.width;
    if (!std::isfinite(sx) || sx == 1 || doc.PushScale(selection, {bounds.x, bounds.y}, sx, 1) < 0)
        return;
    Matrix m;
    m.Translate(-bounds.x, -bounds.y);
    m.Scale(sx, 1);
    m.Translate(bounds.x, bounds.y);
    CarrySelectionCentre(m);
    AfterSetter();
}

void CKorvaniView::SetItemHeight(float height)
{
    if (!selection || !Usable(height))
        return;
    CancelDrag();
    if (height <= 0)
        height = 1.0f;
    const RectF bounds = selection->Bounds(ModeCommit);
    if (!(bounds.height > 0))
        return;
    const float sy = height / bounds.height;
    if (!std::isfinite(sy) || sy == 1 || doc.PushScale(selection, {bounds.x, bounds.y}, 1, sy) < 0)
        return;
    Matrix m;
    m.Translate(-bounds.x, -bounds.y);
    m.Scale(1, sy);
    m.Translate(bounds.x, bounds.y);
    CarrySelectionCentre(m);
    AfterSetter();
}

void CKorvaniView::SetItemRotation(float angle)
{
    if (!selection || !std::isfinite(angle) || angle == 0)
        return;
    CancelDrag();
    if (doc.PushRotate(selection, angle) < 0)
        return;
    AfterSetter();
}

void CKorvaniView::SetLineWidth(float width)
{
    // A negative pen has no meaning to draw.
    if (!Usable(width) || width < 0)
        return;
    CancelDrag();
    lineWidth = width;
    if (selection && doc.PushSetPropertyFloat(selection, ATTR_LINE_WIDTH, width) >= 0)
        AfterSetter();
}

void CKorvaniView::SetDashStyle(std::int32_t style)
{
    // Solid, dash, dot, dash dot, dash dot dot.
    if (style < 0 || style > 4)
        return;
    CancelDrag();
    dashStyle = style;
    if (selection && doc.PushSetPropertyInt(selection, ATTR_DASH_STYLE, style) >= 0)
        AfterSetter();
}

void CKorvaniView::SetFontName(const std::string& name)
{
    if (name.empty())
        return;
    CancelDrag();
    fontName = name;
    if (selection && selection->TypeCode() == ItemText && doc.PushSetPropertyText(selection, ATTR_FONT_NAME, name) >= 0)
        AfterSetter();
}

void CKorvaniView::SetFontSize(std::int32_t size)
{
    // The size is the font's pixel size, which must be positive.
    if (size < 1)
        return;
    CancelDrag();
    fontSize = size;
    if (selection && selection->TypeCode() == ItemText && doc.PushSetPropertyInt(selection, ATTR_FONT_SIZE, size) >= 0)
        AfterSetter();
}

void CKorvaniView::SetGradientWrap(std::int32_t mode)
{
    if (!selection || !IsGradientTool(activeTool) || mode < 0 || mode > 4)
        return;
    CancelDrag();
    const std::int32_t attr = activeTool == ToolValue(ToolKind::GradientLine) ? ATTR_LINE_WRAP : ATTR_FILL_WRAP;
    if (doc.PushSetPropertyInt(selection, attr, mode) >= 0)
        AfterSetter();
}

void CKorvaniView::SetStopPosition(float percent)
{
    // The end stops (0 and 1) stay at the ends of the gradient line.
    if (!selection || !IsGradientTool(activeTool) || gradientStop < 2 || !std::isfinite(percent))
        return;
    CancelDrag();
    const float position = WrapStopPercent(percent) * 0.01f;
    const int done = activeTool == ToolValue(ToolKind::GradientLine)
                         ? doc.PushLineStopPosition(selection, gradientStop, position)
                         : doc.PushFillStopPosition(selection, gradientStop, position);
    if (done < 0)
        return;
    AfterSetter();
    // The bar shows the position as it was brought into range.
    LoadGradientBar();
}

void CKorvaniView::SetGradientAngle(float angle)
{
    if (!selection || !IsGradientTool(activeTool) || !std::isfinite(angle))
        return;
    CancelDrag();
    angle = WrapGradientAngle(angle);
    const int done = activeTool == ToolValue(ToolKind::GradientLine) ? doc.PushLineGradientAngle(selection, angle)
                                                                     : doc.PushFillGradientAngle(selection, angle);
    if (done < 0)
        return;
    AfterSetter();
    LoadGradientBar();
}

void CKorvaniView::RenameSelection(const std::string& name)
{
    if (!selection)
        return;
    CancelDrag();
    if (doc.PushRename(selection, name) < 0)
        return;
    // The panel's rows show the names.
    host.ItemsPanelRebuild(selection);
    Repaint();
}
