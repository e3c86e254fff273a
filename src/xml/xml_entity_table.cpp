#include "xml/xml_entity_table.h"

#include <cstring>

XmlEntityTable::XmlEntityTable(std::initializer_list<XmlEntity> rows) : rows(rows)
{
    for (const XmlEntity& row : this->rows) {
        if (!row.entity.empty() && firstChars.find(row.entity.front()) == std::string::npos) {
            firstChars.push_back(row.entity.front());
            startsEntity[static_cast<unsigned char>(row.entity.front())] = true;
        }
    }
}

std::size_t XmlEntityTable::FindStart(std::string_view text, std::size_t from) const
{
    if (from >= text.size())
        return std::string_view::npos;
    if (firstChars.size() == 1) {
        // The usual table: every entity starts with '&'.
        const void* hit = std::memchr(text.data() + from, firstChars.front(), text.size() - from);
        return hit ? std::size_t(static_cast<const char*>(hit) - text.data()) : std::string_view::npos;
    }
    return text.find_first_of(firstChars, from);
}

bool XmlEntityTable::MayOccurIn(std::string_view text) const
{
    return FindStart(text, 0) != std::string_view::npos;
}

void XmlEntityTable::DecodeInPlace(std::string& text) const
{
    // Decoding only ever shrinks the text, so it runs in place: the write
    // position never passes the read position.
    const std::size_t size = text.size();
    std::size_t read = FindStart(text, 0);
    if (read == std::string_view::npos)
        return;
    char* data = text.data();
    std::size_t write = read;
    while (read < size) {
        const std::string_view rest(data + read, size - read);
        const XmlEntity* match = nullptr;
        for (const XmlEntity& row : rows) {
            if (!row.entity.empty() && rest.starts_with(row.entity)) {
                match = &row;
                break;
            }
        }
        if (match) {
            data[write++] = match->character;
            read += match->entity.size();
            continue;
        }
        // Copy up to the next character that may start an entity in one go.
        std::size_t next = FindStart(std::string_view(data, size), read + 1);
        if (next == std::string_view::npos)
            next = size;
        if (write != read)
            std::memmove(data + write, data + read, next - read);
        write += next - read;
        read = next;
    }
    text.resize(write);
}

const XmlEntityTable& DefaultXmlEntityTable()
{
    static const XmlEntityTable table{
        {'&', "&amp;"},
        {'"', "&quot;"},
        {'\'', "&apos;"},
        {'<', "&lt;"},
        {'>', "&gt;"},
    };
    return table;
}
