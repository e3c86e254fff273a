#pragma once

// Items bundled so that they move, scale, rotate, draw and save as one. The
// group has no geometry of its own. Point and attribute edits go to the
// active child (the one the last node hit chose), or to every child when
// there is none; an edit of the group as a whole (SetAttrOnMembers) reaches
// every member whichever is active. The group does not own its children.

#include "items/draw_item.h"

#include <vector>

class GroupItem : public DrawItem
{
public:
    GroupItem();
    explicit GroupItem(std::uint32_t itemId);

    const std::vector<DrawItem*>& Children() const { return children; }
    DrawItem* ActiveChild() const { return activeChild; }
    // Null, or one of the children (anything else is ignored): undo puts back
    // the active child an edit found, and the view forgets it between tools.
    void SetActiveChild(DrawItem* child);

    // Hidden when every member is hidden: there is nothing of it to show.
    // Locked when any member is locked: the group cannot be clicked, banded,
    // moved or edited without editing that member. The flags live on the
    // members (records set them there, and a group element in a file carries
    // none of its own); the group's own table only follows them.
    bool IsHidden() const override;
    bool IsLocked() const override;
    bool HasGeometry() const override;
    void SetAttrOnMembers(std::int32_t attr, const std::string& value) override;

    void HitFillStop(PointF point, std::int32_t& index) override;
    void HitLineStop(PointF point, std::int32_t& index) override;
    void EnsureLineGradient() override;
    void EnsureFillGradient() override;
    void SetLineStopColor(std::int32_t i, ArgbColor color) override;
    void GetLineStopColor(std::int32_t i, ArgbColor& color) override;
    void SetFillStopColor(std::int32_t i, ArgbColor color) override;
    void GetFillStopColor(std::int32_t i, ArgbColor& color) override;
    void SetLineStopPosition(std::int32_t i, float pos) override;
    void GetLineStopPosition(std::int32_t i, float& pos) override;
    void SetFillStopPosition(std::int32_t i, float pos) override;
    void GetFillStopPosition(std::int32_t i, float& pos) override;
    void SetLineGradientAngle(float angle) override;
    void GetLineGradientAngle(float& angle) override;
    void SetFillGradientAngle(float angle) override;
    void GetFillGradientAngle(float& angle) override;
    std::int32_t ToggleLineStopAt(PointF point, ArgbColor color) override;
    std::int32_t ToggleFillStopAt(PointF point, ArgbColor color) override;
    void DrawLineGradientHandles(QPainter& graphics, std::int32_t selected) override;
    void DrawFillGradientHandles(QPainter& graphics, std::int32_t selected) override;
    void DragLineGradientHandle(std::int32_t index, float dx, float dy) override;
    void DragFillGradientHandle(std::int32_t index, float dx, float dy) override;

    void Transform(const Matrix& m, int mode) override;

    void SetPointAttr(std::int32_t attr, PointF value) override;
    void SetIntAttr(std::int32_t attr, std::int32_t value) override;
    void SetColorAttr(std::int32_t attr, ArgbColor value) override;
    void SetTextAttr(std::int32_t attr, const std::string& value) override;
    void SetFloatAttr(std::int32_t attr, float value) override;
    PointF GetPointAttr(std::int32_t attr) override;
    std::int32_t GetIntAttr(std::int32_t attr) override;
    ArgbColor GetColorAttr(std::int32_t attr) override;
    std::string GetTextAttr(std::int32_t attr) override;
    float GetFloatAttr(std::int32_t attr) override;

    // Deep: every child of other is copied into a new item with the next item id.
    void CopyFrom(const DrawItem& other) override;
    bool ConvertInto(DrawItem& target) override;
    // Nested elements, one per child (group_item_xml.cpp).
    using DrawItem::WriteXml; // keeps WriteXml(path) in reach
    void WriteXml(std::string& out) override;
    void ReadXml(const XmlNode& element) override;

    void GetBounds(RectF& rect, int mode) override;
    void Draw(QPainter& graphics) override;
    void ForgetOutlines() override;
    void DrawHotNode(QPainter& graphics, PointF point) override;
    void DrawNodeHandles(QPainter& graphics, const NodeSelection& selection) override;
    std::int32_t HitTest(PointF point) override;
    std::int32_t HitNode(PointF point, NodeSelection& selection) override;
    std::int32_t SelectNodesInRect(const RectF& rect, NodeSelection& selection) override;
    bool SetNodes(const NodeList& list) override;

    bool AddChild(DrawItem* item) override;
    // AddChild of each item in turn, with the centre measured once at the end
    // (the same result; adding one by one measures every child each time).
    void AddChildren(const std::vector<DrawItem*>& items);
    // nullptr outside 0..ChildCount()-1.
    DrawItem* ChildAt(std::int32_t index) override;
    bool RemoveChildAt(std::int32_t index) override;
    bool ReleaseChildren() override;
    std::int32_t ChildCount() override;

    void GetNodes(NodeList& list) override;
    void MoveNodes(int mode, const NodeSelection& selection, float dx, float dy) override;

private:
    // ATTR_CENTER := centre of the children's union.
    void StoreCentre();
    bool Inert() const { return IsHidden() || IsLocked(); }

    std::vector<DrawItem*> children; // bottom first
    DrawItem* activeChild = nullptr;
};
