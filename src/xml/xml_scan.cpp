#include "xml/xml_scan.h"

#include "xml/xml_reader.h"

#include <cstring>

namespace {

const char* FindChar(const char* pos, const char* end, char c)
{
    if (pos >= end)
        return nullptr;
    return static_cast<const char*>(std::memchr(pos, c, std::size_t(end - pos)));
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
    if (options.decodeEntities && options.entities && hints.mayHoldEntity && options.entities->MayOccurIn(target))
        options.entities->DecodeInPlace(target);
}
