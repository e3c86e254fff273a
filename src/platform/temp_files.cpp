#include "platform/temp_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QString>
#include <QTemporaryFile>
#include <QtDebug>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <unordered_map>

namespace {

struct TempFiles
{
    std::mutex mutex;
    std::vector<std::string> paths;
    // Process that made each file: a forked child (a death test, say) that
    // exits must not take its parent's files with it.
    std::vector<qint64> owners;
    // Read-only descriptors that keep each working file's bytes.
    std::unordered_map<std::string, int> held;
    std::size_t holdBudget = 0;
    // Files before this index were deleted by an earlier pass.
    std::size_t deletedUpTo = 0;
    bool exitHookSet = false;
};

// Never destroyed, so that a late DeleteTempFiles during shut-down still
// finds the list; the pointer keeps it reachable for leak checkers.
TempFiles& Files()
{
    static TempFiles* files = new TempFiles;
    return *files;
}

// Plain C removal: it also runs from the exit hook, after Qt may have torn
// down its own statics. Qt names files in UTF-8 on this platform.
void RemoveFile(const std::string& path)
{
    std::remove(path.c_str());
}

void DeleteOwnFilesAtExit()
{
    const TempFiles& files = Files();
    const qint64 self = QCoreApplication::applicationPid();
    for (std::size_t i = 0; i < files.paths.size(); ++i)
        if (files.owners[i] == self)
            RemoveFile(files.paths[i]);
}

// How many files may be kept open. The soft descriptor limit is often 1024
// while the hard one is far higher; a drawing of many pictures needs more,
// and the program never uses select(), which is what the low default guards.
std::size_t HoldBudget()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return 0;
    if (limit.rlim_cur < limit.rlim_max) {
        rlimit raised = limit;
        raised.rlim_cur = limit.rlim_max == RLIM_INFINITY ? rlim_t(1) << 20 : limit.rlim_max;
        if (setrlimit(RLIMIT_NOFILE, &raised) == 0)
            limit = raised;
    }
    // Half stays for everything else the program opens.
    return std::size_t(limit.rlim_cur / 2);
}

// Lists a complete working file and keeps it open for reading. Beyond the
// budget a file is only listed and read by its name.
void ListAndHold(const std::string& path)
{
    TempFiles& files = Files();
    std::lock_guard lock(files.mutex);
    if (!files.exitHookSet) {
        files.exitHookSet = std::atexit(DeleteOwnFilesAtExit) == 0;
        files.holdBudget = HoldBudget();
    }
    files.paths.push_back(path);
    files.owners.push_back(QCoreApplication::applicationPid());
    if (files.held.size() >= files.holdBudget)
        return;
    // Close-on-exec: the programs the editor starts must not inherit them.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0)
        files.held.emplace(path, fd);
}

// Makes a new file exclusively (QTemporaryFile creates it with mode 0600)
// and has fill write it through a plain handle, whose flush and close report
// what the disk said. A file that is not complete is removed.
std::string MakeWorkingFile(const std::function<bool(QFile&)>& fill)
{
    QTemporaryFile made(QDir::tempPath() + QStringLiteral("/Plimsa_XXXXXX"));
    made.setAutoRemove(false);
    if (!made.open())
        return {};
    const QString name = made.fileName();
    const std::string path = name.toStdString();
    // Written through the name created exclusively; in the sticky temporary
    // folder nobody else can put another file under it.
    QFile out(name);
    bool ok = out.open(QIODevice::WriteOnly | QIODevice::ExistingOnly) && fill(out) && out.flush();
    out.close();
    ok = ok && out.error() == QFileDevice::NoError;
    if (!ok) {
        qWarning("Cannot write the working file %s: %s", qPrintable(name), qPrintable(out.errorString()));
        made.close();
        RemoveFile(path);
        return {};
    }
    ListAndHold(path);
    return path;
}

bool WriteAll(QFile& out, const char* data, qint64 length)
{
    while (length > 0) {
        const qint64 n = out.write(data, length);
        if (n <= 0)
            return false;
        data += n;
        length -= n;
    }
    return true;
}

} // namespace

const std::vector<std::string>& TempFileList()
{
    return Files().paths;
}

std::string CreateTempFile()
{
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/Plimsa_XXXXXX"));
    file.setAutoRemove(false);
    if (!file.open())
        return {};
    return file.fileName().toStdString();
}

std::string MakeTempCopy(const std::string& sourcePath)
{
    return MakeWorkingFile([&sourcePath](QFile& out) {
        QFile source(QString::fromStdString(sourcePath));
        if (!source.open(QIODevice::ReadOnly))
            return true; // an unreadable source gives an empty copy
        while (!source.atEnd()) {
            const QByteArray chunk = source.read(1 << 16);
            if (chunk.isEmpty())
                return out.resize(0); // a partial copy is no copy
            if (!WriteAll(out, chunk.constData(), chunk.size()))
                return false;
        }
        return true;
    });
}

std::string WriteTempFile(std::size_t length, const void* bytes)
{
    return MakeWorkingFile([&](QFile& out) {
        return !bytes || WriteAll(out, static_cast<const char*>(bytes), qint64(length));
    });
}

std::unique_ptr<QFile> OpenWorkingFile(const std::string& path)
{
    auto file = std::make_unique<QFile>();
    {
        TempFiles& files = Files();
        std::lock_guard lock(files.mutex);
        const auto found = files.held.find(path);
        if (found != files.held.end()) {
            // A descriptor of its own, with its own offset, so that paints in
            // parallel bands can read at once; the same file even unlinked.
            const std::string link = "/proc/self/fd/" + std::to_string(found->second);
            const int fd = ::open(link.c_str(), O_RDONLY | O_CLOEXEC);
            if (fd >= 0 && file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
                return file;
            if (fd >= 0)
                ::close(fd);
        }
    }
    file->setFileName(QString::fromStdString(path));
    if (!file->open(QIODevice::ReadOnly))
        return nullptr;
    return file;
}

bool StampWorkingFile(const std::string& path, FileStamp& stamp)
{
    struct stat st {};
    {
        TempFiles& files = Files();
        std::lock_guard lock(files.mutex);
        const auto found = files.held.find(path);
        if (found != files.held.end() && ::fstat(found->second, &st) == 0) {
            stamp = {std::int64_t(st.st_size), std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
            return true;
        }
    }
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    stamp = {std::int64_t(st.st_size), std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
    return true;
}

void DeleteTempFiles()
{
    DeleteTempFilesListedBefore(std::size_t(-1));
}

void DeleteTempFilesListedBefore(std::size_t count)
{
    TempFiles& files = Files();
    std::lock_guard lock(files.mutex);
    const std::size_t upTo = std::min(count, files.paths.size());
    for (; files.deletedUpTo < upTo; ++files.deletedUpTo) {
        const std::string& path = files.paths[files.deletedUpTo];
        RemoveFile(path);
        const auto found = files.held.find(path);
        if (found != files.held.end()) {
            ::close(found->second);
            files.held.erase(found);
        }
    }
}
