#pragma once

// A picture placed in a box. The box's two corners stay as the placing tool
// gave them (a box dragged right to left draws the picture mirrored); moves,
// turns and scales gather in the committed matrix. No outline, no fill, no
// gradients.

#include "items/draw_item.h"

#include <array>
#include <string>
#include <vector>

class ImageItem : public DrawItem
{
public:
    ImageItem();

    void HitFillStop(PointF point, std::int32_t& index) override;
    void HitLineStop(PointF point, std::int32_t& index) override;
    void EnsureLineGradient() override;
    void EnsureFillGradient() override;
    std::int32_t ToggleLineStopAt(PointF point, ArgbColor color) override;
    std::int32_t ToggleFillStopAt(PointF point, ArgbColor color) override;
    void DragLineGradientHandle(std::int32_t index, float dx, float dy) override;
    void DragFillGradientHandle(std::int32_t index, float dx, float dy) override;
    void Transform(const Matrix& m, int mode) override;
    bool ConvertInto(DrawItem& target) override;
    // The opening line carries the picture's bytes as hex (image_item_xml.cpp).
    using DrawItem::WriteXml; // keeps WriteXml(path) in reach
    void WriteXml(std::string& out) override;
    void ReadXml(const XmlNode& element) override;

    void GetBounds(RectF& rect, int mode) override;
    void Draw(QPainter& graphics) override;
    void DrawHotNode(QPainter& graphics, PointF point) override;
    void DrawNodeHandles(QPainter& graphics, const NodeSelection& selection) override;
    std::int32_t HitTest(PointF point) override;
    std::int32_t HitNode(PointF point, NodeSelection& selection) override;
    std::int32_t SelectNodesInRect(const RectF& rect, NodeSelection& selection) override;
    bool SetNodes(const NodeList& list) override;
    void GetNodes(NodeList& list) override;
    void MoveNodes(int mode, const NodeSelection& selection, float dx, float dy) override;

private:
    // The path in ATTR_CONTENT, read in place: paints should not copy it.
    const std::string& WorkingFile() const;
    // Top-left, top-right, bottom-right, bottom-left of the box in list,
    // mapped by m; false unless the list holds the two corners.
    static bool BoxCorners(const NodeList& list, const Matrix& m, std::array<PointF, 4>& corners);
};

// While one lives, the working files of the pictures whose bytes a WriteXml
// on the same thread could not read in full are noted in it: a save then
// refuses to write a drawing that would lose them.
class UnreadablePictures
{
public:
    UnreadablePictures();
    ~UnreadablePictures();
    UnreadablePictures(const UnreadablePictures&) = delete;
    UnreadablePictures& operator=(const UnreadablePictures&) = delete;

    const std::vector<std::string>& Paths() const { return paths; }
    // Notes path in the innermost collector of this thread, if any.
    static void Note(const std::string& path);

private:
    std::vector<std::string> paths;
    UnreadablePictures* outer;
};
