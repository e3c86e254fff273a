#include "document/undo_stack.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// What happened to the records of one test, in order: "x:A" execute,
// "u:A" undo, "d:A" destroyed.
using Log = std::vector<std::string>;

class LoggingRecord : public UndoRecord
{
public:
    LoggingRecord(Log& log, std::string name, int executeResult = 0, int undoResult = 0)
        : log(log), name(std::move(name)), executeResult(executeResult), undoResult(undoResult)
    {
    }
    ~LoggingRecord() override { log.push_back("d:" + name); }

    int Execute() override
    {
        log.push_back("x:" + name);
        return executeResult;
    }
    int Undo() override
    {
        log.push_back("u:" + name);
        return undoResult;
    }

    Log& log;
    std::string name;
    int executeResult;
    int undoResult;
};

std::unique_ptr<LoggingRecord> Make(Log& log, std::string name, int executeResult = 0, int undoResult = 0)
{
    return std::make_unique<LoggingRecord>(log, std::move(name), executeResult, undoResult);
}

} // namespace

TEST(UndoStack, EmptyListsAnswerZeroAndANewRecordDiscardsTheRedoList)
{
    Log log;
    UndoStack stack;
    EXPECT_EQ(stack.Undo(), 0);
    EXPECT_EQ(stack.Do(Make(log, "A", 7)), 7);
    EXPECT_EQ(stack.Redo(), 0); // nothing undone yet
    EXPECT_EQ(stack.Undo(), 0);
    EXPECT_EQ(stack.Undo(), 0); // now empty
    EXPECT_EQ(log, (Log{"x:A", "u:A"}));

    // Records move between the lists, answering what they answer.
    stack.Clear();
    log.clear();
    stack.Do(Make(log, "B", 1, 2));
    EXPECT_EQ(stack.Undo(), 2);
    EXPECT_EQ(stack.Redo(), 1);
    EXPECT_EQ(stack.Undo(), 2);
    EXPECT_EQ(log, (Log{"x:B", "u:B", "x:B", "u:B"}));

    // A new record discards the redo list.
    stack.Clear();
    log.clear();
    stack.Do(Make(log, "A"));
    stack.Do(Make(log, "B"));
    EXPECT_EQ(stack.Undo(), 0);
    EXPECT_TRUE(stack.CanRedo());
    stack.Do(Make(log, "C"));

    // B is off the redo list before C runs and deleted once the loop is
    // idle; A and C live on.
    EXPECT_EQ(log, (Log{"x:A", "x:B", "u:B", "x:C"}));
    EXPECT_FALSE(stack.CanRedo());
    EXPECT_EQ(stack.UndoCount(), 2u);
    QCoreApplication::processEvents();
    EXPECT_EQ(log, (Log{"x:A", "x:B", "u:B", "x:C", "d:B"}));

    // A second discard before the loop ran frees the waiting batch first.
    stack.Undo();
    stack.Do(Make(log, "D"));
    stack.Undo();
    log.clear();
    stack.Do(Make(log, "E"));
    EXPECT_EQ(log, (Log{"d:C", "x:E"}));
    stack.Clear();
    EXPECT_EQ(log, (Log{"d:C", "x:E", "d:A", "d:E", "d:D"}));
}

TEST(UndoStack, FailedRecordsAreDeletedAndKeptNowhere)
{
    Log log;
    UndoStack stack;
    stack.Do(Make(log, "A"));
    stack.Do(Make(log, "B"));
    stack.Undo(); // B waits on the redo list

    // A refused record still discards the redo list, then is deleted itself.
    EXPECT_EQ(stack.Do(Make(log, "F", -3)), -3);
    stack.ReleaseDiscarded();
    EXPECT_EQ(log, (Log{"x:A", "x:B", "u:B", "x:F", "d:F", "d:B"}));
    EXPECT_EQ(stack.UndoCount(), 1u);
    EXPECT_EQ(stack.RedoCount(), 0u);

    // An undo that fails drops the record from both lists.
    auto failingUndo = Make(log, "U", 0, -1);
    stack.Do(std::move(failingUndo));
    log.clear();
    EXPECT_EQ(stack.Undo(), -1);
    EXPECT_EQ(log, (Log{"u:U", "d:U"}));
    EXPECT_EQ(stack.RedoCount(), 0u);

    // A redo that fails likewise.
    auto record = Make(log, "R");
    LoggingRecord* raw = record.get();
    stack.Do(std::move(record));
    stack.Undo();
    raw->executeResult = -2;
    log.clear();
    EXPECT_EQ(stack.Redo(), -2);
    EXPECT_EQ(log, (Log{"x:R", "d:R"}));
    EXPECT_EQ(stack.RedoCount(), 0u);
}

TEST(UndoStack, ClearDeletesEveryRecord)
{
    // Destruction deleting them too is the leak checker's to prove.
    Log log;
    UndoStack stack;
    stack.Do(Make(log, "A"));
    stack.Do(Make(log, "B"));
    stack.Do(Make(log, "C"));
    stack.Undo();
    log.clear();
    stack.Clear(); // undo list first, then redo list
    EXPECT_EQ(log, (Log{"d:A", "d:B", "d:C"}));
    EXPECT_FALSE(stack.CanRedo());
}
