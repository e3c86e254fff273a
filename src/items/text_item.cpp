#include "items/text_item.h"

#include "items/attribute_format.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QString>
#include <QTransform>

#include <cmath>
#include <string_view>

namespace {

constexpr std::int32_t StyleBold = 1;
constexpr std::int32_t StyleItalic = 2;
constexpr std::int32_t StyleUnderline = 4;

} // namespace

TextItem::TextItem() : DrawItem(ItemText, "text") {}

std::int32_t TextItem::FontStyle()
{
    std::int32_t style = 0;
    if (GetIntAttr(ATTR_BOLD) != 0)
        style += StyleBold;
    if (GetIntAttr(ATTR_ITALIC) != 0)
        style += StyleItalic;
    if (GetIntAttr(ATTR_UNDERLINE) != 0)
        style += StyleUnderline;
    return style;
}

TextItem::Layout TextItem::LinesOf(const GlyphKey& key)
{
    Layout layout;
    if (key.size <= 0)
        return layout;
    // The family the user chose; the font system substitutes for drawing only.
    layout.font = QFont(QString::fromUtf8(key.fontName.data(), qsizetype(key.fontName.size())));
    QFont& font = layout.font;
    font.setPixelSize(key.size);
    font.setBold((key.style & StyleBold) != 0);
    font.setItalic((key.style & StyleItalic) != 0);
    font.setUnderline((key.style & StyleUnderline) != 0);
    // Unhinted outlines scale and turn without snapping to the pixel grid.
    font.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetricsF metrics(font);

    // Text knows no line breaks when drawn: one run per line, the first
    // baseline an ascent below the top of the layout box.
    const QString text = QString::fromUtf8(key.content.data(), qsizetype(key.content.size()));
    const qreal lineSpacing = metrics.lineSpacing();
    qreal baseline = key.origin.y + metrics.ascent();
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        qsizetype length = end - start;
        if (length > 0 && text.at(end - 1) == QLatin1Char('\r'))
            --length;
        if (length > 0)
            layout.lines.push_back({text.mid(start, length), QPointF(key.origin.x, baseline)});
        baseline += lineSpacing;
        start = end + 1;
    }
    return layout;
}

void TextItem::LayOut(const GlyphKey& key)
{
    glyphs.clear();
    glyphs.setFillRule(Qt::OddEvenFill);
    const Layout layout = LinesOf(key);
    for (const Line& line : layout.lines)
        glyphs.addText(line.baseline, layout.font, line.text);
}

TextItem::Layout TextItem::LayOutLines()
{
    if (Nodes().empty())
        return {};
    return LinesOf(GlyphKey{GetTextAttr(ATTR_CONTENT), GetTextAttr(ATTR_FONT_NAME), GetIntAttr(ATTR_FONT_SIZE),
                            FontStyle(), Nodes()[0].Anchor()});
}

const QPainterPath& TextItem::GlyphPath(const NodeList& list)
{
    static const QPainterPath noGlyphs;
    if (list.empty())
        return noGlyphs;
    const std::string* content = FindAttr(ATTR_CONTENT);
    const std::string* fontName = FindAttr(ATTR_FONT_NAME);
    const std::string_view contentText = content ? std::string_view(*content) : std::string_view();
    const std::string_view fontText = fontName ? std::string_view(*fontName) : std::string_view();
    const std::int32_t size = GetIntAttr(ATTR_FONT_SIZE);
    const std::int32_t style = FontStyle();
    const PointF origin = list[0].Anchor();
    // Compared in place: a paint should not copy a long text.
    if (glyphsValid && glyphKey.size == size && glyphKey.style == style && glyphKey.origin == origin &&
        glyphKey.content == contentText && glyphKey.fontName == fontText)
        return glyphs;
    glyphKey = GlyphKey{std::string(contentText), std::string(fontText), size, style, origin};
    LayOut(glyphKey);
    glyphsValid = true;
    mappedValid = false;
    return glyphs;
}

const QPainterPath& TextItem::CommittedPath()
{
    const QPainterPath& source = GlyphPath(Nodes());
    if (mappedValid && mappedMatrix == GetMatrix())
        return mappedGlyphs;
    mappedGlyphs = GetMatrix().IsIdentity() ? source : GetMatrix().ToQTransform().map(source);
    mappedMatrix = GetMatrix();
    mappedValid = true;
    return mappedGlyphs;
}

RectF TextItem::OutlineBounds(const QPainterPath& path, const NodeList& list, const Matrix& m)
{
    if (!path.isEmpty())
        return PathBoundsWithPen(path);
    // No glyphs (an empty text, blanks only): keep the item where it stands
    // instead of reporting a box at the canvas origin.
    const PointF origin = list.empty() ? PointF{} : m.Map(list[0].Anchor());
    const float halfWidth = GetFloatAttr(ATTR_LINE_WIDTH) * 0.5f;
    return {origin.x - halfWidth, origin.y - halfWidth, 2 * halfWidth, 2 * halfWidth};
}

void TextItem::CopyFrom(const DrawItem& other)
{
    if (&other == this)
        return;
    DrawItem::CopyFrom(other);
    // Laying out is the dear part of measuring a text; the outlines are
    // shared, not copied, and GlyphPath still checks their key.
    const auto* text = dynamic_cast<const TextItem*>(&other);
    if (text && text->glyphsValid) {
        glyphKey = text->glyphKey;
        glyphs = text->glyphs;
        glyphsValid = true;
        mappedValid = false;
    }
}

void TextItem::Transform(const Matrix& m, int mode)
{
    TransformAccumulating(m, mode);
}

void TextItem::GetBounds(RectF& rect, int mode)
{
    if (mode == ModePreview && !previewNodes.empty()) {
        const QPainterPath preview = previewMatrix.ToQTransform().map(GlyphPath(previewNodes));
        rect = OutlineBounds(preview, previewNodes, previewMatrix);
        return;
    }
    rect = OutlineBounds(CommittedPath(), Nodes(), GetMatrix());
}

void TextItem::Draw(QPainter& graphics)
{
    if (IsHidden())
        return;
    DrawRecipe(graphics, CommittedPath(), true, true);
    if (!previewNodes.empty())
        DrawPreviewPath(graphics, previewMatrix.ToQTransform().map(GlyphPath(previewNodes)));
}

void TextItem::ForgetOutlines()
{
    DrawItem::ForgetOutlines();
    glyphs = QPainterPath();
    mappedGlyphs = QPainterPath();
    glyphsValid = mappedValid = false;
}

void TextItem::DrawHotNode(QPainter&, PointF) {}
void TextItem::DrawNodeHandles(QPainter&, const NodeSelection&) {}
void TextItem::MoveNodes(int, const NodeSelection&, float, float) {}

std::int32_t TextItem::SelectNodesInRect(const RectF&, NodeSelection&)
{
    return HitMiss;
}

std::int32_t TextItem::HitTest(PointF point)
{
    if (IsHidden() || IsLocked())
        return HitMiss;
    return HitBoxOrBody(Bounds(ModeCommit), point);
}

std::int32_t TextItem::HitNode(PointF point, NodeSelection&)
{
    if (IsHidden() || IsLocked())
        return HitMiss;
    return RectContainsHalfOpen(Bounds(ModeCommit), point.x, point.y) ? HitBody : HitMiss;
}

bool TextItem::SetNodes(const NodeList& list)
{
    if (!FiniteNodes(list))
        return false;
    EditNodes() = list;
    UpdateCenter();
    return true;
}

void TextItem::GetNodes(NodeList& list)
{
    list.clear();
    const QPainterPath& path = CommittedPath();
    const int count = path.elementCount();
    int first = 0;
    while (first < count) {
        int last = first + 1;
        while (last < count && path.elementAt(last).type != QPainterPath::MoveToElement)
            ++last;
        // [first, last) is one figure. Qt closes a figure by repeating its
        // first point; that repeat becomes the close flag, not a node.
        const QPainterPath::Element& start = path.elementAt(first);
        const QPainterPath::Element& end = path.elementAt(last - 1);
        const bool closed = last - first > 2 && start.x == end.x && start.y == end.y;
        const int stop = closed ? last - 1 : last;
        for (int i = first; i < stop; ++i) {
            const QPainterPath::Element& e = path.elementAt(i);
            list.push_back(PathNode::AtPoint(float(e.x), float(e.y), NodeCusp));
        }
        list.back().brk = 1;
        list.back().close = closed ? 1 : 0;
        first = last;
    }
}
