#pragma once

// Node edits of an item's outline (point editing).

#include "document/edit_record.h"

// ToCurve or ToLine; defined with the document's change operations.
enum class SegmentConversion;

// Breaks the outline at a node (index variant) or joins two ends (list variant).
class OutlineOpRecord final : public ItemEditRecord
{
public:
    OutlineOpRecord(DrawItem* item, std::int32_t index);
    OutlineOpRecord(DrawItem* item, NodeSelection nodes);

protected:
    int Apply() override;

private:
    bool join;
    std::int32_t index = 0;
    NodeSelection nodes;
};

// Puts the given node in place of node index.
class NodeSwapRecord final : public ItemEditRecord
{
public:
    NodeSwapRecord(DrawItem* item, std::int32_t index, const PathNode& node);

protected:
    int Apply() override;

private:
    std::int32_t index;
    PathNode node;
};

// Inserts a node where the item finds a segment under it. Execute answers
// the new node's index, or refuses when no segment passes there, so that a
// click beside the outline leaves no empty undo step.
class InsertNodeRecord final : public ItemEditRecord
{
public:
    InsertNodeRecord(DrawItem* item, std::int32_t index, const PathNode& node);
    bool Feasible() const override;
    // The index of the inserted node once executed; -1 when none was inserted.
    std::int32_t InsertedIndex() const { return index; }

protected:
    int Apply() override;

private:
    std::int32_t index;
    PathNode node;
    bool lands = false;
};

class DeleteNodeRecord final : public ItemEditRecord
{
public:
    DeleteNodeRecord(DrawItem* item, std::int32_t index);

protected:
    int Apply() override;

private:
    std::int32_t index;
};

// mode is the edit hit code: 0 or 1 move the listed nodes, 12 and 13 drag a
// control point of the first.
class MoveNodeRecord final : public ItemEditRecord
{
public:
    MoveNodeRecord(DrawItem* item, std::int32_t mode, NodeSelection nodes, float dx, float dy);
    bool Feasible() const override;

protected:
    int Apply() override;

private:
    std::int32_t mode;
    NodeSelection nodes;
    float dx;
    float dy;
};

// Turns the segment that ends at each listed node into a curve or a line.
class NodeConvertRecord final : public ItemEditRecord
{
public:
    NodeConvertRecord(DrawItem* item, NodeSelection nodes, SegmentConversion conversion);

protected:
    int Apply() override;

private:
    NodeSelection nodes;
    SegmentConversion conversion;
};
