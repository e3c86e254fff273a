// The item element of drawing files.

#include "items/draw_item.h"

#include <fstream>

// The element format comes next; until then an item writes and reads nothing.
void DrawItem::WriteXml(std::string&) {}

void DrawItem::ReadXml(const XmlNode&) {}

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
