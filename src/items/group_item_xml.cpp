// The group's item element: no attributes and no matrix of its own (only
// its name when it was renamed), one nested element per child.

#include "items/attribute_format.h"
#include "items/group_item.h"
#include "items/item_factory.h"
#include "items/item_xml_format.h"
#include "xml/xml_reader.h"

void GroupItem::WriteXml(std::string& out)
{
    AppendGroupOpening(out, *this);
    for (DrawItem* child : children)
        child->WriteXml(out);
    AppendItemClosing(out);
}

void GroupItem::ReadXml(const XmlNode& element)
{
    if (const std::string* name = element.GetAttributeValue("name"))
        SetClassName(*name);
    std::vector<DrawItem*> read;
    for (const auto& childElement : element.children) {
        const std::string* type = childElement->GetAttributeValue("type");
        // An id is spent only on an item that is made.
        DrawItem* child = CreateItem(type ? ParseIntText(*type) : 0, NextItemId);
        if (!child)
            continue;
        TakeNextItemId();
        child->ReadXml(*childElement);
        read.push_back(child);
    }
    AddChildren(read);
}
