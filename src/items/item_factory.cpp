#include "items/item_factory.h"

#include "items/curve_item.h"
#include "items/doodle_item.h"
#include "items/ellipse_item.h"
#include "items/group_item.h"
#include "items/image_item.h"
#include "items/line_item.h"
#include "items/rectangle_item.h"
#include "items/text_item.h"

DrawItem* CreateItem(std::int32_t typeCode, std::uint32_t id)
{
    DrawItem* item = nullptr;
    switch (typeCode) {
    case ItemLine: item = new LineItem(); break;
    case ItemEllipse: item = new EllipseItem(); break;
    case ItemRectangle: item = new RectangleItem(); break;
    case ItemCurve: item = new CurveItem(); break;
    case ItemDoodle: item = new DoodleItem(); break;
    case ItemImage: item = new ImageItem(); break;
    case ItemText: item = new TextItem(); break;
    case ItemGroup: item = new GroupItem(); break;
    default: return nullptr; // 109 and every code outside the kinds name nothing
    }
    item->SetId(id);
    return item;
}

std::string_view KindName(std::int32_t typeCode)
{
    switch (typeCode) {
    case ItemLine: return "line";
    case ItemEllipse: return "ellipse";
    case ItemRectangle: return "rectangle";
    case ItemCurve: return "curve";
    case ItemDoodle: return "doodle";
    case ItemImage: return "image";
    case ItemText: return "text";
    case ItemGroup: return "group";
    default: return {};
    }
}

std::unique_ptr<DrawItem> CreateOwnedItem(std::int32_t typeCode, std::uint32_t id)
{
    return std::unique_ptr<DrawItem>(CreateItem(typeCode, id));
}
