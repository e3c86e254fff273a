#pragma once

// Working files of the program's own in the system temporary directory:
// every picture that enters the drawing is copied into one, so an image item
// never refers to a file the user owns. Paths are UTF-8 text.

#include <cstddef>
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
std::string MakeTempCopy(const std::string& sourcePath);

// A listed working file holding `length` bytes from `bytes`, unchanged.
std::string WriteTempFile(std::size_t length, const void* bytes);

// Deletes every listed file from disk; missing files are passed over and the
// list stays as it is. Also runs once when the process ends, for the files
// that this process made.
void DeleteTempFiles();
