#include "document/undo_stack.h"

#include <QCoreApplication>

#include <utility>

UndoStack::UndoStack()
{
    idle.setSingleShot(true);
    idle.callOnTimeout([this] { ReleaseDiscarded(); });
}

UndoStack::~UndoStack()
{
    Clear();
}

// Oldest first; each record is off the list before its destructor runs, so
// the list is never seen holding a half-destroyed record.
void UndoStack::DeleteAll(RecordList& list)
{
    while (!list.empty()) {
        std::unique_ptr<UndoRecord> record = std::move(list.front());
        list.pop_front();
    }
}

int UndoStack::Do(std::unique_ptr<UndoRecord> record)
{
    if (!record)
        return 0;
    if (!redoList.empty()) {
        DeleteAll(discarded);
        discarded.splice(discarded.end(), redoList);
        // Without an application no event loop will ever run.
        if (QCoreApplication::instance())
            idle.start(0);
        else
            DeleteAll(discarded);
    }
    const int result = record->Execute();
    if (result < 0)
        return result;
    undoList.push_back(std::move(record));
    return result;
}

int UndoStack::Undo()
{
    if (undoList.empty())
        return 0;
    std::unique_ptr<UndoRecord> record = std::move(undoList.back());
    undoList.pop_back();
    const int result = record->Undo();
    if (result < 0)
        return result;
    redoList.push_back(std::move(record));
    return result;
}

int UndoStack::Redo()
{
    if (redoList.empty())
        return 0;
    std::unique_ptr<UndoRecord> record = std::move(redoList.back());
    redoList.pop_back();
    const int result = record->Execute();
    if (result < 0)
        return result;
    undoList.push_back(std::move(record));
    return result;
}

void UndoStack::Clear()
{
    DeleteAll(undoList);
    DeleteAll(redoList);
    DeleteAll(discarded);
}
