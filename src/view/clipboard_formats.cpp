#include "view/clipboard_formats.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace {

template <typename T>
bool ReadNumber(std::string_view& text, T& value)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc())
        return false;
    text.remove_prefix(std::size_t(end - text.data()));
    return true;
}

template <typename T>
void AppendNumber(std::string& out, T value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (!out.empty())
        out += ' ';
    out.append(buffer, result.ptr);
}

} // namespace

std::string FormatClipboardSource(const ClipboardSourceInfo& info)
{
    std::string out;
    AppendNumber(out, info.pid);
    AppendNumber(out, info.serial);
    AppendNumber(out, info.topLeft.x);
    AppendNumber(out, info.topLeft.y);
    return out;
}

std::optional<ClipboardSourceInfo> ParseClipboardSource(std::string_view text)
{
    ClipboardSourceInfo info;
    if (!ReadNumber(text, info.pid) || !ReadNumber(text, info.serial) || !ReadNumber(text, info.topLeft.x)
        || !ReadNumber(text, info.topLeft.y))
        return std::nullopt;
    if (!text.empty() || !std::isfinite(info.topLeft.x) || !std::isfinite(info.topLeft.y))
        return std::nullopt;
    return info;
}
