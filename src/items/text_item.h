#pragma once

// A run of text drawn as glyph outlines, filled and stroked like any shape.
// Its one node is the top-left corner of the first line's layout box; moves,
// turns and scales gather in the committed matrix so the glyphs keep shape.

#include "items/draw_item.h"

#include <QFont>
#include <QString>

class TextItem : public DrawItem
{
public:
    TextItem();

    // 1 bold + 2 italic + 4 underline.
    std::int32_t FontStyle();

    // One line of text as the glyphs are laid out: its characters and the
    // left end of its baseline, in the item's own space (before its matrix).
    struct Line
    {
        QString text;
        QPointF baseline;
    };
    struct Layout
    {
        QFont font;
        std::vector<Line> lines; // lines without characters left out
    };
    // The font and lines the glyph outlines are made from, for writers that
    // keep text as text.
    Layout LayOutLines();

    // Shares other's laid-out glyphs (kept only while their key still fits).
    void CopyFrom(const DrawItem& other) override;
    void Transform(const Matrix& m, int mode) override;
    void GetBounds(RectF& rect, int mode) override;
    // Placed by its one node, glyphs or not.
    bool HasGeometry() const override { return !Nodes().empty(); }
    void Draw(QPainter& graphics) override;
    void ForgetOutlines() override;
    void DrawHotNode(QPainter& graphics, PointF point) override;
    void DrawNodeHandles(QPainter& graphics, const NodeSelection& selection) override;
    std::int32_t HitTest(PointF point) override;
    std::int32_t HitNode(PointF point, NodeSelection& selection) override;
    std::int32_t SelectNodesInRect(const RectF& rect, NodeSelection& selection) override;
    bool SetNodes(const NodeList& list) override;
    void GetNodes(NodeList& list) override;
    void MoveNodes(int mode, const NodeSelection& selection, float dx, float dy) override;

private:
    // What the glyph outlines were laid out from; any change lays them out anew.
    struct GlyphKey
    {
        std::string content;
        std::string fontName;
        std::int32_t size = 0;
        std::int32_t style = 0;
        PointF origin;
        friend bool operator==(const GlyphKey&, const GlyphKey&) = default;
    };

    // Outlines in the item's own space for the origin of the first node of list.
    const QPainterPath& GlyphPath(const NodeList& list);
    // The outlines mapped by the committed matrix, kept between draws.
    const QPainterPath& CommittedPath();
    void LayOut(const GlyphKey& key);
    static Layout LinesOf(const GlyphKey& key);
    // Bounds of a mapped outline; an outline without glyphs is the bare origin.
    RectF OutlineBounds(const QPainterPath& path, const NodeList& list, const Matrix& m);

    GlyphKey glyphKey;
    bool glyphsValid = false;
    QPainterPath glyphs;
    Matrix mappedMatrix;
    bool mappedValid = false;
    QPainterPath mappedGlyphs;
};
