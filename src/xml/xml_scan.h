#pragma once

// Scanning helpers of the XML reader. Every search works on [pos, end) and
// returns null when nothing is found; none copies the text it scans, so a
// parse stays linear in the size of its input.

#include <string>
#include <string_view>

struct XmlParseOptions;

// Space, tab, line feed, vertical tab, form feed, carriage return.
constexpr bool IsXmlWhite(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

const char* SkipXmlWhite(const char* pos, const char* end);

// First c in [pos, end); an escape character hides the character behind it.
// escape 0 means none.
const char* FindUnescaped(const char* pos, const char* end, char c, char escape);
const char* FindFirstOfUnescaped(const char* pos, const char* end, char c1, char c2, char escape);
const char* FindFirstOf(const char* pos, const char* end, char c1, char c2);

// Start of the first occurrence of marker whose first character is not escaped.
const char* FindMarker(const char* pos, const char* end, std::string_view marker, char escape);

// What a scan learnt about a stretch on its way: false means the stretch
// surely holds no escape character, or no character that starts an entity.
struct XmlStretchHints
{
    bool mayHoldEscape = true;
    bool mayHoldEntity = true;
};

// Closing quote of a quoted value that starts at pos (behind the opening
// quote), as FindUnescaped(pos, end, quote, escape) finds it. Short plain
// values are scanned once, byte by byte, filling hints on the way.
const char* FindClosingQuote(const char* pos, const char* end, char quote, const XmlParseOptions& options,
    XmlStretchHints& hints);

// Sets target from the stretch [begin, end) of the text: optional trimming
// (an empty stretch leaves target as it was), then escapes, then entities.
// A value whose bytes are not UTF-8 is read as Windows-1252 into UTF-8.
void SetXmlValue(std::string& target, const char* begin, const char* end, const XmlParseOptions& options,
    XmlStretchHints hints = {});
