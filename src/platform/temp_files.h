#pragma once

// Working files of the program's own in the system temporary directory:
// every picture that enters the drawing is copied into one, so an image item
// never refers to a file the user owns. Paths are UTF-8 text.
//
// Each listed file is also kept open from the moment it is written until
// DeleteTempFiles, so that its bytes stay reachable while the drawing lives
// even when something cleans the temporary folder under the program.

#include <QFile>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Every working file made by MakeTempCopy and WriteTempFile, in creation
// order. Only appended to; deleting the files leaves the names listed.
const std::vector<std::string>& TempFileList();

// A new, empty, uniquely named file (mode 0600, prefix "Plimsa_") in the
// system temporary directory. Not listed. Empty string when none can be made.
std::string CreateTempFile();

// A listed working file holding a copy of the file at sourcePath. When the
// source cannot be read the new file stays empty and its path is still given.
// Empty string when the copy cannot be written in full (a full disk, say):
// the partial file is removed.
std::string MakeTempCopy(const std::string& sourcePath);

// A listed working file holding `length` bytes from `bytes`, unchanged.
// Empty string when they cannot be written in full; nothing is left behind.
std::string WriteTempFile(std::size_t length, const void* bytes);

// The file at path opened for reading from its start. A listed working file
// is reopened through the handle kept since it was written, so it reads the
// same bytes after its name is gone; any other file is opened by its path.
// nullptr when it cannot be opened.
std::unique_ptr<QFile> OpenWorkingFile(const std::string& path);

// What tells one content of a file from another that replaced it.
struct FileStamp
{
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file OpenWorkingFile would open; false when there is none.
bool StampWorkingFile(const std::string& path, FileStamp& stamp);

// Deletes every listed file from disk and lets go of the kept handles;
// missing files are passed over and the list stays as it is. A pass only
// visits the files listed since the one before. Also runs once when the
// process ends, for the files that this process made.
void DeleteTempFiles();
// The same for the first count files of the list alone: those made since
// (a drawing read ahead of clearing the old one) stay for a later pass.
void DeleteTempFilesListedBefore(std::size_t count);
