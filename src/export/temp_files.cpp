#include "export/temp_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryFile>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

struct TempFiles
{
    std::vector<std::string> paths;
    // Process that made each file: a forked child (a death test, say) that
    // exits must not take its parent's files with it.
    std::vector<qint64> owners;
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

void List(const std::string& path)
{
    TempFiles& files = Files();
    if (!files.exitHookSet) {
        files.exitHookSet = std::atexit(DeleteOwnFilesAtExit) == 0;
    }
    files.paths.push_back(path);
    files.owners.push_back(QCoreApplication::applicationPid());
}

// Opens a new file exclusively; QTemporaryFile creates it with mode 0600.
std::unique_ptr<QTemporaryFile> OpenNewTempFile()
{
    auto file = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/Plimsa_XXXXXX"));
    file->setAutoRemove(false);
    if (!file->open())
        return nullptr;
    return file;
}

std::string PathOf(const QTemporaryFile& file)
{
    return file.fileName().toStdString();
}

} // namespace

const std::vector<std::string>& TempFileList()
{
    return Files().paths;
}

std::string CreateTempFile()
{
    std::unique_ptr<QTemporaryFile> file = OpenNewTempFile();
    if (!file)
        return {};
    file->close();
    return PathOf(*file);
}

std::string MakeTempCopy(const std::string& sourcePath)
{
    std::unique_ptr<QTemporaryFile> file = OpenNewTempFile();
    if (!file)
        return {};
    const std::string path = PathOf(*file);
    List(path);

    // Copy through the handle we already hold rather than replacing the file,
    // so the name stays the one created exclusively.
    QFile source(QString::fromStdString(sourcePath));
    if (source.open(QIODevice::ReadOnly)) {
        bool ok = true;
        while (ok && !source.atEnd()) {
            const QByteArray chunk = source.read(1 << 16);
            ok = !chunk.isEmpty() && file->write(chunk) == chunk.size();
        }
        if (!ok)
            file->resize(0); // a partial copy is no copy
    }
    file->close();
    return path;
}

std::string WriteTempFile(std::size_t length, const void* bytes)
{
    std::unique_ptr<QTemporaryFile> file = OpenNewTempFile();
    if (!file)
        return {};
    const std::string path = PathOf(*file);
    List(path);

    const char* data = static_cast<const char*>(bytes);
    std::size_t written = 0;
    while (data && written < length) {
        const qint64 n = file->write(data + written, qint64(length - written));
        if (n <= 0)
            break;
        written += std::size_t(n);
    }
    file->close();
    return path;
}

void DeleteTempFiles()
{
    for (const std::string& path : Files().paths)
        RemoveFile(path);
}
