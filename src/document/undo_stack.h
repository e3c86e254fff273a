#pragma once

// Every change of the drawing is a record that the stack executes once and
// then moves between its two lists as the user undoes and redoes.

#include <QTimer>

#include <cstddef>
#include <list>
#include <memory>

// A negative result from Execute or Undo means the change failed.
class UndoRecord
{
public:
    virtual int Execute() = 0;
    virtual int Undo() = 0;
    // Releases the references the record holds on items.
    virtual ~UndoRecord() = default;

protected:
    UndoRecord() = default;
    UndoRecord(const UndoRecord&) = delete;
    UndoRecord& operator=(const UndoRecord&) = delete;
};

class UndoStack
{
public:
    UndoStack();
    UndoStack(const UndoStack&) = delete;
    UndoStack& operator=(const UndoStack&) = delete;
    virtual ~UndoStack();

    // Discards the redo list, executes the record and keeps it on success.
    // A failed (negative) record is deleted; its result is returned.
    // The discarded records are deleted once the event loop is idle: a
    // redone-never record may hold a hundred thousand items, and freeing
    // them would hold up the command that discarded them. At most one such
    // batch waits; a later discard frees the waiting one first.
    int Do(std::unique_ptr<UndoRecord> record);
    // Deletes the discarded records now.
    void ReleaseDiscarded() { DeleteAll(discarded); }
    // 0 when there is nothing to undo (redo).
    int Undo();
    int Redo();
    // Deletes every record: the undo list first, then the redo list, then
    // the discarded ones.
    void Clear();

    bool CanUndo() const { return !undoList.empty(); }
    bool CanRedo() const { return !redoList.empty(); }
    std::size_t UndoCount() const { return undoList.size(); }
    std::size_t RedoCount() const { return redoList.size(); }

private:
    using RecordList = std::list<std::unique_ptr<UndoRecord>>;

    static void DeleteAll(RecordList& list);

    RecordList undoList; // oldest first
    RecordList redoList; // most recently undone last
    RecordList discarded; // off the redo list, not yet deleted
    QTimer idle;
};
