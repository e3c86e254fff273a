#pragma once

// The common shape of records that edit items in place (transforms,
// attributes, gradients, outline points).

#include "document/item_change.h"
#include "document/undo_stack.h"

#include <functional>
#include <vector>

// The result of a record that cannot be made: the stack keeps nothing.
constexpr int RecordRefused = -1;

// Acts on the selection's targets (each member of the selection group, or the
// one item) and holds a reference on each. The first Execute applies the edit
// and keeps what it changed; Undo puts back the values from before, Redo the
// values from after.
class ItemEditRecord : public UndoRecord
{
public:
    int Execute() final;
    int Undo() final;

    // False when there is nothing to act on or an argument is unusable; the
    // push then keeps nothing.
    virtual bool Feasible() const { return !targets.empty(); }

protected:
    explicit ItemEditRecord(DrawItem* selection);

    // Edits every target. A negative result refuses the edit.
    virtual int Apply() = 0;
    const ItemRefs& Targets() const { return targets; }
    // Runs edit on every target and puts everything back: whether it would
    // change anything. Lets a record that would change nothing be refused
    // before it reaches the stack, where it would discard the redo list.
    bool WouldChange(const std::function<void(DrawItem*)>& edit) const;

private:
    ItemRefs targets;
    ItemChanges changes;
    bool applied = false;
    int result = 0;
};
