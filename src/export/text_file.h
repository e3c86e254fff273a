#pragma once

#include <string>

// Writes text beside path and renames it over path once complete, so that a
// failed write leaves no partial file and the previous one as it was. False,
// with error as "path: reason", when it cannot be written.
bool WriteTextFile(const std::string& path, const std::string& text, std::string* error);
