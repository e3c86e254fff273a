#pragma once

// The entity references the XML reader decodes. A row pairs one character
// with the whole reference text that stands for it; the reference's size is
// the number of characters a match consumes.

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

struct XmlEntity
{
    char character;
    std::string_view entity; // e.g. "&amp;"; entity.size() is the entity length
};

class XmlEntityTable
{
public:
    XmlEntityTable(std::initializer_list<XmlEntity> rows);

    const std::vector<XmlEntity>& Rows() const { return rows; }

    // True when text holds a character that may start an entity, so that
    // plain values skip decoding altogether.
    bool MayOccurIn(std::string_view text) const;
    bool StartsEntity(char c) const { return startsEntity[static_cast<unsigned char>(c)]; }

    // Scans from the left; where a row's whole entity text starts (exact,
    // case-sensitive, first row wins) writes its character and skips the
    // entity. Anything else, numeric references included, is kept. One pass:
    // "&amp;lt;" becomes "&lt;", not "<".
    void DecodeInPlace(std::string& text) const;

private:
    std::size_t FindStart(std::string_view text, std::size_t from) const;

    std::vector<XmlEntity> rows;
    std::string firstChars; // distinct first characters of the rows
    std::array<bool, 256> startsEntity{};
};

// The program's table: & " ' < > in that order.
const XmlEntityTable& DefaultXmlEntityTable();
