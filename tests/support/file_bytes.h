#pragma once

// Whole files as bytes, for tests that write inputs and compare outputs.

#include <QFile>
#include <QString>

#include <gtest/gtest.h>

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
