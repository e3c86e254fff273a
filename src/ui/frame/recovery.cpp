#include "ui/frame/recovery.h"

#include "document/drawing_snapshot.h"
#include "document/korvani_doc.h"
#include "ui/frame/view_area.h"
#include "view/korvani_view.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QMessageBox>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace {

constexpr int DefaultIntervalMs = 30000;
constexpr int CheckMs = 1000;
const QString Prefix = QStringLiteral("recovery-");

QString LockPath(const QString& base)
{
    return base + QStringLiteral(".lock");
}

void RemoveFiles(const QString& base)
{
    QFile::remove(base + QStringLiteral(".xml"));
    QFile::remove(base + QStringLiteral(".ini"));
}

// The worker's part: the text, then the note, each replacing its file only when complete.
void WriteCopy(const DrawingSnapshot& snapshot, const QString& drawingPath, const QString& notePath,
               const QString& original, const QDateTime& time)
{
    const std::string text = snapshot.Text();
    QSaveFile file(drawingPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), qint64(text.size())) != qint64(text.size())
        || !file.commit())
        return;
    QSettings note(notePath, QSettings::IniFormat);
    note.setValue(QStringLiteral("original"), original);
    note.setValue(QStringLiteral("time"), time.toString(Qt::ISODateWithMs));
    note.sync();
}

} // namespace

RecoveryKeeper::RecoveryKeeper(ViewArea& viewArea, const QString& dataFolder, int interval)
    : area(viewArea), folder(dataFolder), intervalMs(interval)
{
    QDir().mkpath(folder);
    // The time tells two runs apart that were given the same process id, the count two keepers of one run.
    static std::atomic<int> made{0};
    ownBase = QDir(folder).filePath(Prefix + QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-')
                                    + QString::number(QDateTime::currentMSecsSinceEpoch()) + QLatin1Char('-')
                                    + QString::number(made++));
    ownLock = std::make_unique<QLockFile>(LockPath(ownBase));
    ownLock->tryLock(0);
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &RecoveryKeeper::Check);
    timer->start(std::min(CheckMs, std::max(intervalMs, 50)));
}

RecoveryKeeper::~RecoveryKeeper()
{
    Wait();
    RemoveOwnFiles();
}

void RecoveryKeeper::Wait()
{
    if (worker.joinable())
        worker.join();
}

void RecoveryKeeper::RemoveOwnFiles()
{
    RemoveFiles(ownBase);
    written = false;
}

void RecoveryKeeper::Check()
{
    if (writing)
        return;
    Wait();
    CKorvaniView& view = area.View();
    // Mid-drag the items show a preview, not the drawing.
    if (view.HasCapture())
        return;
    if (!view.IsModified() || view.GetCanvas().width < 1) {
        if (written)
            RemoveOwnFiles();
        return;
    }
    const std::uint64_t change = view.Document().ChangeCount();
    if (written && change == writtenChange)
        return;
    if (sinceWrite.isValid() && sinceWrite.elapsed() < intervalMs)
        return;
    const Canvas& canvas = view.GetCanvas();
    auto snapshot = std::make_shared<const DrawingSnapshot>(view.Document(),
                                                            CanvasValues{canvas.width, canvas.height, canvas.color});
    written = true;
    writtenChange = change;
    sinceWrite.start();
    writing = true;
    worker = std::thread([this, snapshot, drawing = DrawingPath(), note = NotePath(),
                          original = QString::fromStdString(view.CurrentFilePath()),
                          time = QDateTime::currentDateTime()]() mutable {
        WriteCopy(*snapshot, drawing, note, original, time);
        snapshot.reset(); // the copies go here, not on the editor's thread
        writing = false;
    });
}

std::unique_ptr<RecoveryCandidate> RecoveryKeeper::TakeLeftover()
{
    leftoverLock.reset();
    std::vector<RecoveryCandidate> found;
    const QDir dir(folder);
    for (const QFileInfo& info : dir.entryInfoList({Prefix + QStringLiteral("*.ini")}, QDir::Files)) {
        const QString base = dir.filePath(info.completeBaseName());
        if (base == ownBase)
            continue;
        const QSettings note(info.filePath(), QSettings::IniFormat);
        found.push_back({base, note.value(QStringLiteral("original")).toString(),
                         QDateTime::fromString(note.value(QStringLiteral("time")).toString(), Qt::ISODateWithMs)});
    }
    // Locks of runs that were gone before they kept anything go with the next start.
    for (const QFileInfo& info : dir.entryInfoList({Prefix + QStringLiteral("*.lock")}, QDir::Files)) {
        const QString base = dir.filePath(info.completeBaseName());
        if (base != ownBase && !QFile::exists(base + QStringLiteral(".ini"))) {
            QLockFile stale(info.filePath());
            stale.tryLock(0); // removed again when it goes, if it was taken
        }
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.time > b.time; });
    for (RecoveryCandidate& candidate : found) {
        // A live editor holds its lock; a lock left by a run that is gone is stale and taken over.
        auto lock = std::make_unique<QLockFile>(LockPath(candidate.base));
        if (!lock->tryLock(0))
            continue;
        if (!QFile::exists(candidate.base + QStringLiteral(".xml"))) {
            RemoveFiles(candidate.base);
            continue;
        }
        leftoverLock = std::move(lock);
        return std::make_unique<RecoveryCandidate>(std::move(candidate));
    }
    return nullptr;
}

bool RecoveryKeeper::OfferRecovery()
{
    const std::unique_ptr<RecoveryCandidate> leftover = TakeLeftover();
    if (!leftover)
        return false;
    const QString file = leftover->original.isEmpty() ? QStringLiteral("a new drawing") : leftover->original;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Korvani"),
                    QStringLiteral("Korvani did not end properly while you worked on %1.\n"
                                   "Restore the drawing as it was at %2?")
                        .arg(file, QLocale().toString(leftover->time, QLocale::ShortFormat)),
                    QMessageBox::Yes | QMessageBox::No, area.window());
    box.setDefaultButton(QMessageBox::Yes);
    if (box.exec() == QMessageBox::Yes)
        return Restore(*leftover);
    RemoveFiles(leftover->base);
    leftoverLock.reset();
    return false;
}

bool RecoveryKeeper::Restore(const RecoveryCandidate& leftover)
{
    if (!area.OpenDrawing((leftover.base + QStringLiteral(".xml")).toStdString()))
        return false;
    area.View().AdoptFile(leftover.original.toStdString());
    RemoveFiles(leftover.base);
    leftoverLock.reset();
    // This run keeps its own copy of the restored drawing from now on.
    Check();
    return true;
}

std::unique_ptr<RecoveryKeeper> StartRecovery(ViewArea& area)
{
    bool ok = false;
    // A shorter interval for checks that cannot wait half a minute.
    const int seconds = qEnvironmentVariableIntValue("KORVANI_RECOVERY_SECONDS", &ok);
    const QString folder = QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                               .filePath(QStringLiteral("recovery"));
    return std::make_unique<RecoveryKeeper>(area, folder, ok && seconds > 0 ? seconds * 1000 : DefaultIntervalMs);
}
