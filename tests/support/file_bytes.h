#pragma once

// Whole files as bytes, for tests that write inputs and compare outputs, and
// a limit that makes writing them fail.

#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <string>

inline std::string FileBytes(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return file.readAll().toStdString();
}

inline std::string FileBytes(const QString& path)
{
    return FileBytes(path.toStdString());
}

inline std::string FileBytes(const char* path)
{
    return FileBytes(std::string(path));
}

inline void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path;
    ASSERT_EQ(file.write(bytes.data(), qint64(bytes.size())), qint64(bytes.size()));
}

// While it lives, no file may grow past `bytes`: a stand-in for a full disk.
// A write past it fails instead of raising SIGXFSZ.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes) : oldHandler(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = bytes;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
    }

private:
    rlimit old{};
    void (*oldHandler)(int);
};
