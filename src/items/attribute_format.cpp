#include "items/attribute_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

std::string_view SkipBlanks(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    return text.substr(i);
}

} // namespace

void AppendInt(std::string& out, std::int64_t value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendFixed(std::string& out, double value, int decimals)
{
    if (!std::isfinite(value))
        value = 0;
    char buffer[400]; // the largest double in fixed notation fits
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    out.append(buffer, result.ptr);
}

std::string FormatInt(std::int64_t value)
{
    std::string s;
    AppendInt(s, value);
    return s;
}

std::string FormatFixed(double value, int decimals)
{
    std::string s;
    AppendFixed(s, value, decimals);
    return s;
}

std::string FormatFloatAttr(float value)
{
    return FormatFixed(value, 4);
}

std::string FormatColorAttr(ArgbColor c)
{
    char buffer[16];
    auto put = [&buffer](int at, int v) {
        buffer[at] = char('0' + v / 100);
        buffer[at + 1] = char('0' + v / 10 % 10);
        buffer[at + 2] = char('0' + v % 10);
    };
    put(0, ColorAlpha(c));
    buffer[3] = '-';
    put(4, ColorRed(c));
    buffer[7] = '-';
    put(8, ColorGreen(c));
    buffer[11] = '-';
    put(12, ColorBlue(c));
    return std::string(buffer, 15);
}

std::string FormatPointAttr(PointF p)
{
    std::string s = FormatFixed(p.x, 2);
    s += '|';
    AppendFixed(s, p.y, 2);
    return s;
}

std::int32_t ParseIntText(std::string_view text)
{
    text = SkipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = std::min<std::int64_t>(value * 10 + (c - '0'), std::int64_t(1) << 32);
    }
    if (negative)
        value = -value;
    return std::int32_t(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

double ParseDoubleText(std::string_view text)
{
    text = SkipBlanks(text);
    if (!text.empty() && text[0] == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed | std::chars_format::scientific);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0;
    return value;
}

float ParseFloatText(std::string_view text)
{
    const double value = ParseDoubleText(text);
    if (std::fabs(value) > double(std::numeric_limits<float>::max()))
        return 0;
    return float(value);
}

ArgbColor ParseColorText(std::string_view text)
{
    int parts[4] = {0, 0, 0, 0};
    for (int k = 0; k < 4; ++k) {
        const std::size_t at = std::size_t(k) * 4;
        if (at < text.size())
            parts[k] = ParseIntText(text.substr(at, 3));
    }
    return MakeArgb(parts[0], parts[1], parts[2], parts[3]);
}

PointF ParsePointText(std::string_view text)
{
    const std::size_t bar = text.find('|');
    if (bar == std::string_view::npos)
        return {ParseFloatText(text), 0};
    return {ParseFloatText(text.substr(0, bar)), ParseFloatText(text.substr(bar + 1))};
}
