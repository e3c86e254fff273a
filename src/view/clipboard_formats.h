#pragma once

// What the editor puts on the clipboard besides a picture: the selection
// file's text under its own type, and a note of where it came from, so that
// a paste can tell its own copy from another editor's.

#include "items/geometry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

constexpr const char* ItemsMimeType = "application/x-korvani-items";
constexpr const char* SourceMimeType = "application/x-korvani-source";

struct ClipboardSourceInfo
{
    std::int64_t pid = 0;      // the process that copied
    std::uint64_t serial = 0;  // which of its copies
    PointF topLeft;            // where the items stood in their drawing
    friend bool operator==(const ClipboardSourceInfo&, const ClipboardSourceInfo&) = default;
};

// "PID SERIAL X Y", numbers in the C locale; positions round-trip exactly.
std::string FormatClipboardSource(const ClipboardSourceInfo& info);
// nullopt for anything but four numbers with finite positions.
std::optional<ClipboardSourceInfo> ParseClipboardSource(std::string_view text);
