#include "platform/temp_files.h"
#include "support/file_bytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

QString Q(const std::string& path)
{
    return QString::fromStdString(path);
}

bool Exists(const std::string& path)
{
    return QFileInfo::exists(Q(path));
}

bool Listed(const std::string& path)
{
    const auto& list = TempFileList();
    return std::find(list.begin(), list.end(), path) != list.end();
}

// A file the user owns, which the working copies must never touch.
class SourceFile
{
public:
    explicit SourceFile(const QByteArray& bytes)
    {
        file.open();
        file.write(bytes);
        file.flush();
    }
    std::string Path() const { return file.fileName().toStdString(); }

private:
    QTemporaryFile file;
};

} // namespace

TEST(TempFiles, WrittenFilesArePrivateNamedListedAndDistinctAndHoldTheBytes)
{
    const QByteArray bytes("\x00\xff\r\n\x1a plain text", 17);
    const std::size_t before = TempFileList().size();
    const std::string path = WriteTempFile(std::size_t(bytes.size()), bytes.constData());

    ASSERT_FALSE(path.empty());
    EXPECT_EQ(FileBytes(path), bytes.toStdString());
    EXPECT_EQ(TempFileList().size(), before + 1);
    const QFileInfo info(Q(path));
    EXPECT_TRUE(info.fileName().startsWith(QStringLiteral("Plimsa_"))) << path;
    EXPECT_EQ(info.absoluteDir().canonicalPath(), QDir(QDir::tempPath()).canonicalPath());
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    const std::string none = WriteTempFile(0, nullptr);
    EXPECT_TRUE(Exists(none) && Listed(none));

    // Copies of one source are distinct files.
    QByteArray large;
    for (int i = 0; i < 200000; ++i) // larger than one copy chunk
        large.append(char(i * 7));
    SourceFile source(large);

    const std::string a = MakeTempCopy(source.Path());
    const std::string b = MakeTempCopy(source.Path());
    ASSERT_FALSE(a.empty());
    EXPECT_NE(a, b);
    EXPECT_TRUE(Listed(b));
    EXPECT_EQ(FileBytes(b), large.toStdString());
}

TEST(TempFiles, AFileThatCannotBeWrittenInFullIsRemovedAndReported)
{
    // An unreadable source is no failure: its copy is empty.
    const std::string missing = (QDir::tempPath() + QStringLiteral("/Plimsa_no_such_dir/none.png")).toStdString();
    const std::string empty = MakeTempCopy(missing);
    EXPECT_TRUE(Listed(empty));

    // The file size limit stands in for a full disk.
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    SourceFile source(QByteArray(1 << 16, 'p'));
    const QByteArray oldTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", folder.path().toLocal8Bit());
    const std::size_t listed = TempFileList().size();
    std::string written, copied;
    {
        const FileSizeLimit limit(4096);
        written = WriteTempFile(1 << 16, QByteArray(1 << 16, 'w').constData());
        copied = MakeTempCopy(source.Path());
    }
    qputenv("TMPDIR", oldTemp);

    EXPECT_EQ(written, "");
    EXPECT_EQ(copied, "");
    EXPECT_EQ(TempFileList().size(), listed);
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty()) << "no partial file left";
}

TEST(TempFiles, DeletingRemovesEveryListedFileAndKeepsTheList)
{
    SourceFile source("picture");
    const std::string copied = MakeTempCopy(source.Path());
    const std::string written = WriteTempFile(3, "abc");
    // One of them already gone by other means (a cleaned temporary folder):
    // its bytes still read, and their stamp is still known.
    ASSERT_TRUE(QFile::remove(Q(written)));
    const std::unique_ptr<QFile> kept = OpenWorkingFile(written);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->readAll(), QByteArray("abc"));
    FileStamp stamp;
    EXPECT_TRUE(StampWorkingFile(written, stamp));
    EXPECT_EQ(stamp.size, 3);

    const std::vector<std::string> listed = TempFileList();
    DeleteTempFiles();
    EXPECT_EQ(TempFileList(), listed);
    for (const std::string& path : listed)
        EXPECT_FALSE(Exists(path)) << path;
    EXPECT_EQ(OpenWorkingFile(written), nullptr) << "let go of";
    EXPECT_TRUE(Exists(source.Path())); // the user's file stays

    // New files made after a pass are listed and deleted by the next one.
    const std::string later = WriteTempFile(1, "x");
    EXPECT_TRUE(Exists(later));
    DeleteTempFiles();
    EXPECT_FALSE(Exists(later));
}

TEST(TempFilesDeathTest, FilesAreDeletedWhenTheProcessEnds)
{
    // Made here, in the parent: the child's exit must leave it alone.
    const std::string parentFile = WriteTempFile(6, "parent");
    ASSERT_TRUE(Exists(parentFile));

    // The child reports the names of its files through this one.
    QTemporaryFile report;
    ASSERT_TRUE(report.open());
    report.close();
    const std::string reportPath = report.fileName().toStdString();
    SourceFile source("source");

    EXPECT_EXIT(
        {
            const std::string written = WriteTempFile(5, "child");
            const std::string copied = MakeTempCopy(source.Path());
            WriteFileBytes(reportPath, written + "\n" + copied);
            std::exit(Exists(written) && Exists(copied) ? 0 : 3);
        },
        ::testing::ExitedWithCode(0), "");

    const QList<QByteArray> names = QByteArray::fromStdString(FileBytes(reportPath)).split('\n');
    ASSERT_EQ(names.size(), 2);
    for (const QByteArray& name : names)
        EXPECT_FALSE(Exists(name.toStdString())) << name.toStdString();
    EXPECT_EQ(FileBytes(parentFile), "parent");
}
