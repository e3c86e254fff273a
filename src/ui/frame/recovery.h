#pragma once

// No work lost to a crash: while the drawing has unsaved changes, a copy of
// it is kept in the program's data folder (written on a worker thread, at
// most every 30 s while changes keep coming), with a note of the file it
// belongs to and when it was taken. A save or a clean exit removes it. At
// start-up, a copy left by a run that did not end cleanly is offered back.
// Each run names its files after its process and holds a lock on them, so
// several editors at once keep their copies apart and never offer a live one.

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

class QLockFile;
class ViewArea;

// A copy left behind by another run.
struct RecoveryCandidate
{
    QString base;     // the path of its files without their suffixes
    QString original; // the drawing file it belonged to; empty for a new drawing
    QDateTime time;
};

class RecoveryKeeper : public QObject
{
    Q_OBJECT
public:
    // folder: where the copies live; interval: the least time between two writes.
    RecoveryKeeper(ViewArea& area, const QString& folder, int intervalMs);
    // A clean exit: waits for a write in progress and removes this run's copy.
    ~RecoveryKeeper() override;

    // The newest copy left by a run that is gone; its lock is held from now
    // on (until the next call or the keeper goes), so that no other editor
    // offers it too. Null when there is none.
    std::unique_ptr<RecoveryCandidate> TakeLeftover();
    // Asks whether to restore the leftover (restoring is the default
    // answer); a restored drawing belongs to its file and counts as unsaved.
    // The leftover's files go either way. Answers whether it restored.
    bool OfferRecovery();
    // Opens the leftover's copy as the drawing and removes its files.
    bool Restore(const RecoveryCandidate& leftover);

    // Writes or removes this run's copy as the drawing's state asks; the
    // timer calls it every second.
    void Check();
    // Waits for a write in progress.
    void Wait();
    QString DrawingPath() const { return ownBase + QStringLiteral(".xml"); }
    QString NotePath() const { return ownBase + QStringLiteral(".ini"); }

private:
    void RemoveOwnFiles();

    ViewArea& area;
    QString folder;
    QString ownBase;
    int intervalMs;
    std::unique_ptr<QLockFile> ownLock;
    std::unique_ptr<QLockFile> leftoverLock;
    std::thread worker;
    std::atomic<bool> writing{false};
    bool written = false;
    std::uint64_t writtenChange = 0;
    QElapsedTimer sinceWrite;
};

// What the program's start does: a keeper for the window's view, in the
// data folder; the start-up offers its leftover once the window is up. The
// keeper lives until the program ends.
std::unique_ptr<RecoveryKeeper> StartRecovery(ViewArea& area);
