#include "xml/xml_scan.h"

#include "xml/xml_reader.h"

#include <algorithm>
#include <cstring>

namespace {

const char* FindChar(const char* pos, const char* end, char c)
{
    if (pos >= end)
        return nullptr;
    return static_cast<const char*>(std::memchr(pos, c, std::size_t(end - pos)));
}

// Well-formed UTF-8: no stray continuation bytes, overlong forms, surrogates
// or values past U+10FFFF.
bool IsUtf8(const std::string& text)
{
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        const unsigned c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int length = 0;
        unsigned low = 0x80, high = 0xBF; // the range of the second byte
        if (c >= 0xC2 && c <= 0xDF)
            length = 2;
        else if (c >= 0xE0 && c <= 0xEF)
            length = 3, low = c == 0xE0 ? 0xA0 : 0x80, high = c == 0xED ? 0x9F : 0xBF;
        else if (c >= 0xF0 && c <= 0xF4)
            length = 4, low = c == 0xF0 ? 0x90 : 0x80, high = c == 0xF4 ? 0x8F : 0xBF;
        if (length == 0 || end - p < length || p[1] < low || p[1] > high)
            return false;
        for (int k = 2; k < length; ++k) {
            if ((p[k] & 0xC0) != 0x80)
                return false;
        }
        p += length;
    }
    return true;
}

// Windows-1252 differs from Latin-1 in 0x80..0x9F only; its five unassigned
// bytes there stay the C1 controls of the same value.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Drawings may hold text in the single-byte code page of the machine that
// wrote them. A value that is not UTF-8 is read as Windows-1252, so that its
// accented letters come through instead of turning into replacement marks.
void RepairLegacyBytes(std::string& text)
{
    const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
    if (ascii || IsUtf8(text))
        return;
    std::string out;
    out.reserve(text.size() * 2);
    for (const char c : text) {
        const unsigned byte = static_cast<unsigned char>(c);
        const char16_t u = byte >= 0x80 && byte <= 0x9F ? Cp1252High[byte - 0x80] : char16_t(byte);
        if (u < 0x80) {
            out.push_back(char(u));
        } else if (u < 0x800) {
            out.push_back(char(0xC0 | (u >> 6)));
            out.push_back(char(0x80 | (u & 0x3F)));
        } else {
            out.push_back(char(0xE0 | (u >> 12)));
            out.push_back(char(0x80 | ((u >> 6) & 0x3F)));
            out.push_back(char(0x80 | (u & 0x3F)));
        }
    }
    text = std::move(out);
}

} // namespace

const char* SkipXmlWhite(const char* pos, const char* end)
{
    while (pos < end && IsXmlWhite(*pos))
        ++pos;
    return pos;
}

const char* FindUnescaped(const char* pos, const char* end, char c, char escape)
{
    if (escape == 0)
        return FindChar(pos, end, c);
    if (escape == c)
        return nullptr; // every such character escapes the next one
    // Two memchr passes over disjoint stretches: each byte is looked at a
    // bounded number of times however many escapes there are.
    const char* hit = FindChar(pos, end, c);
    while (hit) {
        const char* esc = FindChar(pos, hit, escape);
        if (!esc)
            return hit;
        pos = esc + 2; // esc < hit < end, so this is at most end
        if (pos > hit)
            hit = FindChar(pos, end, c);
    }
    return nullptr;
}

const char* FindFirstOfUnescaped(const char* pos, const char* end, char c1, char c2, char escape)
{
    while (pos < end) {
        const char ch = *pos;
        if (escape != 0 && ch == escape) {
            pos += end - pos >= 2 ? 2 : 1;
            continue;
        }
        if (ch == c1 || ch == c2)
            return pos;
        ++pos;
    }
    return nullptr;
}

const char* FindFirstOf(const char* pos, const char* end, char c1, char c2)
{
    for (; pos < end; ++pos) {
        if (*pos == c1 || *pos == c2)
            return pos;
    }
    return nullptr;
}

const char* FindMarker(const char* pos, const char* end, std::string_view marker, char escape)
{
    if (marker.empty())
        return pos;
    while (pos < end) {
        const char* hit = FindUnescaped(pos, end, marker.front(), escape);
        if (!hit)
            return nullptr;
        if (std::size_t(end - hit) >= marker.size() && std::memcmp(hit, marker.data(), marker.size()) == 0)
            return hit;
        pos = hit + 1;
    }
    return nullptr;
}

const char* FindClosingQuote(const char* pos, const char* end, char quote, const XmlParseOptions& options,
    XmlStretchHints& hints)
{
    // Most values are a few bytes: one pass over them beats three memchr
    // calls (quote, escape, entity). Anything longer or escaped takes the
    // general path.
    constexpr std::ptrdiff_t ShortValue = 64;
    const char escape = options.escapeCharacter;
    const XmlEntityTable* entities = options.decodeEntities ? options.entities : nullptr;
    const char* limit = end - pos > ShortValue ? pos + ShortValue : end;
    bool entity = false;
    for (const char* p = pos; p < limit; ++p) {
        const char c = *p;
        if (escape != 0 && c == escape)
            break;
        if (c == quote) {
            hints.mayHoldEscape = false;
            hints.mayHoldEntity = entity;
            return p;
        }
        if (entities && entities->StartsEntity(c))
            entity = true;
    }
    return FindUnescaped(pos, end, quote, escape);
}

void SetXmlValue(std::string& target, const char* begin, const char* end, const XmlParseOptions& options,
    XmlStretchHints hints)
{
    if (options.trim) {
        begin = SkipXmlWhite(begin, end);
        while (end > begin && IsXmlWhite(end[-1]))
            --end;
    }
    if (begin == end)
        return;
    const char escape = options.escapeCharacter;
    if (escape != 0 && hints.mayHoldEscape && FindChar(begin, end, escape)) {
        // Drop each escape character and keep the one behind it, whatever
        // it is: "\\" gives one backslash, "\x" gives "x".
        target.clear();
        target.reserve(std::size_t(end - begin));
        while (begin < end) {
            const char* esc = FindChar(begin, end, escape);
            if (!esc) {
                target.append(begin, end);
                break;
            }
            target.append(begin, esc);
            if (end - esc >= 2) {
                target.push_back(esc[1]);
                begin = esc + 2;
            } else {
                begin = end;
            }
        }
    } else {
        target.assign(begin, end);
    }
    // Before entities are decoded: only the file's own bytes tell its code page.
    RepairLegacyBytes(target);
    if (options.decodeEntities && options.entities && hints.mayHoldEntity && options.entities->MayOccurIn(target))
        options.entities->DecodeInPlace(target);
}
