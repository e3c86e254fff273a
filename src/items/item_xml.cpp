// The item element of drawing files: the common writer and reader of the
// outline kinds (line, rectangle, ellipse, curve, doodle, text), and the
// pieces every writer shares. Pictures and groups add their own parts in
// image_item_xml.cpp and group_item_xml.cpp.

#include "items/attribute_format.h"
#include "items/draw_item.h"
#include "items/item_factory.h"
#include "items/item_xml_format.h"
#include "xml/xml_reader.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace {

constexpr std::array<bool, 256> MakeEscapeTable()
{
    std::array<bool, 256> table{};
    for (unsigned char c : {'&', '<', '>', '"', '\'', '\\', '\0'})
        table[c] = true;
    return table;
}
constexpr std::array<bool, 256> NeedsEscape = MakeEscapeTable();

constexpr char LowerDigits[] = "0123456789abcdef";

void AppendColorLines(std::string& out, std::string_view name, const std::vector<ArgbColor>& colors)
{
    for (ArgbColor color : colors) {
        out += "\t\t<";
        out += name;
        out += " argb=\"";
        char digits[8];
        for (int k = 0; k < 8; ++k)
            digits[k] = LowerDigits[(color >> (28 - 4 * k)) & 15];
        out.append(digits, 8);
        out += "\"></";
        out += name;
        out += '>';
        out += XmlLineEnd;
    }
}

void AppendFactorLines(std::string& out, std::string_view name, const std::vector<float>& positions)
{
    for (float position : positions) {
        out += "\t\t<";
        out += name;
        out += " factor=\"";
        AppendFixed(out, position, 2);
        out += "\"></";
        out += name;
        out += '>';
        out += XmlLineEnd;
    }
}

float FloatAttrOf(const XmlNode& element, std::string_view name)
{
    const std::string* value = element.GetAttributeValue(name);
    return value ? ParseFloatText(*value) : 0.0f;
}

std::int32_t IntAttrOf(const XmlNode& element, std::string_view name)
{
    const std::string* value = element.GetAttributeValue(name);
    return value ? ParseIntText(*value) : 0;
}

// Eight hex digits, alpha first. Bytes behind a broken or missing pair read 0.
ArgbColor ArgbAttrOf(const XmlNode& element)
{
    const std::string* value = element.GetAttributeValue("argb");
    unsigned char bytes[4] = {0, 0, 0, 0};
    if (value)
        DecodeHexPrefix(std::string_view(*value).substr(0, 8), bytes);
    return MakeArgb(bytes[0], bytes[1], bytes[2], bytes[3]);
}

// Six numbers separated by commas; more are ignored. With fewer the value is
// broken, and the matrix stays as it was (identity on a fresh item): half a
// matrix may well be singular and would make the item vanish.
bool ParseMatrixText(std::string_view text, Matrix& out)
{
    float e[6];
    std::size_t count = 0;
    while (count < 6) {
        const std::size_t comma = text.find(',');
        e[count++] = ParseFloatText(text.substr(0, comma));
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    if (count < 6)
        return false;
    out.SetElements(e[0], e[1], e[2], e[3], e[4], e[5]);
    return true;
}

PathNode NodeFromElement(const XmlNode& element)
{
    PathNode node;
    node.x = FloatAttrOf(element, "x");
    node.y = FloatAttrOf(element, "y");
    node.lx = FloatAttrOf(element, "lx");
    node.ly = FloatAttrOf(element, "ly");
    node.rx = FloatAttrOf(element, "rx");
    node.ry = FloatAttrOf(element, "ry");
    node.type = IntAttrOf(element, "type");
    node.close = IntAttrOf(element, "close");
    node.brk = IntAttrOf(element, "break");
    return node;
}

// A ramp keeps as many colours as positions; extra entries of a broken file go.
void EvenRamp(GradientRamp& ramp)
{
    const std::size_t n = std::min(ramp.colors.size(), ramp.positions.size());
    ramp.colors.resize(n);
    ramp.positions.resize(n);
}

// Only a renamed item writes its name: files of items that keep their kind's
// name stay as they were.
bool IsRenamed(const DrawItem& item)
{
    return item.ClassName() != KindName(item.TypeCode());
}

void AppendNamePart(std::string& out, const DrawItem& item)
{
    out += "name=\"";
    AppendXmlEscaped(out, item.ClassName());
    out += '"';
}

} // namespace

// --- shared pieces ---

void AppendXmlEscaped(std::string& out, std::string_view value)
{
    std::size_t plainFrom = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (!NeedsEscape[static_cast<unsigned char>(c)])
            continue;
        out.append(value.data() + plainFrom, i - plainFrom);
        plainFrom = i + 1;
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        case '\\': out += "\\\\"; break;
        default: break; // the zero byte
        }
    }
    out.append(value.data() + plainFrom, value.size() - plainFrom);
}

void AppendItemOpening(std::string& out, const DrawItem& item)
{
    out += "\t<item type=\"";
    AppendInt(out, item.TypeCode());
    out += "\" ";
    if (IsRenamed(item)) {
        AppendNamePart(out, item);
        out += ' ';
    }
}

void AppendAttributePart(std::string& out, std::int32_t attr, std::string_view value)
{
    out += ' ';
    AppendInt(out, attr);
    out += "=\"";
    AppendXmlEscaped(out, value);
    out += "\" ";
}

void AppendMatrixPart(std::string& out, const Matrix& matrix)
{
    float e[6];
    matrix.GetElements(e);
    out += " matrix=\"";
    for (int k = 0; k < 6; ++k) {
        if (k > 0)
            out += ',';
        AppendFixed(out, e[k], 2);
    }
    out += '"';
}

void AppendNodeLines(std::string& out, const NodeList& nodes)
{
    for (const PathNode& n : nodes) {
        out += "\t\t<point x=\"";
        AppendFixed(out, n.x, 2);
        out += "\" y=\"";
        AppendFixed(out, n.y, 2);
        out += "\" lx=\"";
        AppendFixed(out, n.lx, 2);
        out += "\" ly=\"";
        AppendFixed(out, n.ly, 2);
        out += "\" rx=\"";
        AppendFixed(out, n.rx, 2);
        out += "\" ry=\"";
        AppendFixed(out, n.ry, 2);
        out += "\" type=\"";
        AppendInt(out, n.type);
        out += "\" close=\"";
        AppendInt(out, n.close);
        out += "\" break=\"";
        AppendInt(out, n.brk);
        out += "\"></point>";
        out += XmlLineEnd;
    }
}

void AppendGroupOpening(std::string& out, const DrawItem& group)
{
    out += "\t<item type=\"";
    AppendInt(out, ItemGroup);
    out += '"';
    if (IsRenamed(group)) {
        out += ' ';
        AppendNamePart(out, group);
    }
    out += '>';
    out += XmlLineEnd;
}

void AppendItemClosing(std::string& out)
{
    out += "\t</item>";
    out += XmlLineEnd;
}

void ReserveForAppend(std::string& out, std::size_t extra)
{
    const std::size_t needed = out.size() + extra;
    if (needed > out.capacity())
        out.reserve(std::max(needed, 2 * out.capacity()));
}

std::size_t EstimatedElementSize(const DrawItem& item)
{
    std::size_t size = 96; // opening, matrix and closing
    for (const auto& entry : item.Attributes())
        size += 16 + entry.second.size();
    size += item.Nodes().size() * 160;
    const GradientRamp& line = item.LineRamp();
    const GradientRamp& fill = item.FillRamp();
    size += (line.colors.size() + line.positions.size() + fill.colors.size() + fill.positions.size()) * 40;
    return size;
}

// --- the common element ---

void DrawItem::WriteXml(std::string& out)
{
    ReserveForAppend(out, EstimatedElementSize(*this));
    AppendItemOpening(out, *this);
    for (const auto& [attr, value] : attributes) {
        // The content of any other kind is no text of the drawing (an image's is its working file).
        if (attr == ATTR_CONTENT && typeCode != ItemText)
            continue;
        AppendAttributePart(out, attr, value);
    }
    AppendMatrixPart(out, matrix);
    out += '>';
    out += XmlLineEnd;
    AppendNodeLines(out, nodes);
    AppendColorLines(out, "lcolor", lineRamp.colors);
    AppendFactorLines(out, "lpostion", lineRamp.positions);
    AppendColorLines(out, "fcolor", fillRamp.colors);
    AppendFactorLines(out, "fpostion", fillRamp.positions);
    AppendItemClosing(out);
}

void DrawItem::ReadXml(const XmlNode& element)
{
    bool fillSeen = false;
    std::int32_t fill = 0;
    for (const XmlAttribute& attribute : element.attributes) {
        const std::string& name = attribute.name;
        if (name == "fill") {
            fillSeen = true;
            fill = ParseIntText(attribute.value);
        } else if (name == "matrix") {
            Matrix read = matrix;
            ParseMatrixText(attribute.value, read);
            RestoreMatrix(read);
        } else if (name == "name") {
            SetClassName(attribute.value);
        } else if (name == "type" || name == "imgsrc") {
            // The kind was chosen by the caller; a picture reads its bytes itself.
        } else {
            // Every numbered attribute comes back as text, known or not; a
            // name that is no number lands under id 0.
            SetTextAttr(ParseIntText(name), attribute.value);
        }
    }
    for (const auto& child : element.children) {
        const std::string& name = child->name;
        if (name == "point")
            EditNodes().push_back(NodeFromElement(*child));
        else if (name == "lcolor")
            lineRamp.colors.push_back(ArgbAttrOf(*child));
        else if (name == "lpostion")
            lineRamp.positions.push_back(FloatAttrOf(*child, "factor"));
        else if (name == "fcolor")
            fillRamp.colors.push_back(ArgbAttrOf(*child));
        else if (name == "fpostion")
            fillRamp.positions.push_back(FloatAttrOf(*child, "factor"));
    }
    EvenRamp(lineRamp);
    EvenRamp(fillRamp);
    if (fillSeen && !nodes.empty()) {
        PathNode& last = EditNodes().back();
        last.close = fill;
        last.brk = 1;
    }
    UpdateCenter();
}

bool DrawItem::WriteXml(const std::string& path)
{
    std::string element;
    WriteXml(element);
    std::ofstream file(path, std::ios::binary | std::ios::app);
    if (!file)
        return false;
    file.write(element.data(), std::streamsize(element.size()));
    return bool(file.flush());
}
