#pragma once

// Pieces of the item element that the writers of the item kinds and of the
// drawing file share, and the hex codec of embedded pictures. Everything is
// appended to one growing text: writing a drawing stays linear in its size.

#include "items/draw_item.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Every line of a drawing file ends with CR LF, on every platform.
inline constexpr std::string_view XmlLineEnd = "\r\n";

// & < > " ' become their entities; a backslash is doubled, because the reader
// takes it as its escape character. A zero byte is dropped: the reader ends
// the whole file at the first one, which would lose everything behind it.
void AppendXmlEscaped(std::string& out, std::string_view value);

// "\t<item type=\"%d\" ", with " name=\"%s\" " when the item was renamed:
// the name the user gave it in the items panel outlives the file.
void AppendItemOpening(std::string& out, const DrawItem& item);
// " %d=\"%s\" " with the value escaped.
void AppendAttributePart(std::string& out, std::int32_t attr, std::string_view value);
// " matrix=\"%.2f,%.2f,%.2f,%.2f,%.2f,%.2f\"" (m11, m12, m21, m22, dx, dy),
// without what follows the closing quote.
void AppendMatrixPart(std::string& out, const Matrix& matrix);
// One "\t\t<point .../>" line per node (close before break).
void AppendNodeLines(std::string& out, const NodeList& nodes);
// "\t<item type=\"110\">" (with the name of a renamed group) and
// "\t</item>", each with its line end.
void AppendGroupOpening(std::string& out, const DrawItem& group);
void AppendItemClosing(std::string& out);

// Two upper-case hex digits per byte, table-driven.
void AppendHexUpper(std::string& out, const unsigned char* bytes, std::size_t count);
// Decodes pairs of hex digits (either case) from the start of hex into out,
// which holds at least hex.size() / 2 bytes. Decoding stops at the first pair
// that is not two hex digits, and an odd last digit is dropped: the bytes
// that were surely meant are kept. Answers the number of bytes written.
std::size_t DecodeHexPrefix(std::string_view hex, unsigned char* out);

// Makes room for extra more bytes, growing geometrically so that many small
// reservations in a row still cost linear time.
void ReserveForAppend(std::string& out, std::size_t extra);

// A generous guess of the element's length, for reserving the text at once.
std::size_t EstimatedElementSize(const DrawItem& item);
