#include "ui/panels/items_model.h"

#include "document/item_ref.h"
#include "document/korvani_doc.h"
#include "items/draw_item.h"

#include <algorithm>

ItemsModel::ItemsModel(CKorvaniDoc& document, QObject* parent) : QAbstractListModel(parent), doc(document)
{
    Rebuild();
}

int ItemsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(shown.size());
}

DrawItem* ItemsModel::ItemAt(int row) const
{
    if (row < 0 || row >= int(shown.size()))
        return nullptr;
    return doc.GetItem(int(shown.size()) - 1 - row);
}

const DrawItem* ItemsModel::ShownItemAt(int row) const
{
    if (row < 0 || row >= int(shown.size()))
        return nullptr;
    return shown[shown.size() - 1 - std::size_t(row)];
}

int ItemsModel::RowOf(const DrawItem* item) const
{
    const int index = item ? doc.IndexOf(item) : -1;
    if (index < 0 || index >= int(shown.size()))
        return -1;
    return int(shown.size()) - 1 - index;
}

QVariant ItemsModel::data(const QModelIndex& index, int role) const
{
    DrawItem* item = ItemAt(index.row());
    if (!item)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return QString::fromStdString(item->ClassName());
    case IdRole: return QVariant::fromValue(item->Id());
    case PictureRole: return 2 * int(item->IsHidden()) + int(item->IsLocked());
    case MarkedRole: return marks.IsMarked(index.row());
    default: return {};
    }
}

bool ItemsModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    DrawItem* item = ItemAt(index.row());
    if (!item || role != Qt::EditRole)
        return false;
    const std::string name = value.toString().toStdString();
    if (name.empty() || name == item->ClassName() || doc.PushRename(item, name) < 0)
        return false;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags ItemsModel::flags(const QModelIndex& index) const
{
    if (!ItemAt(index.row()))
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemNeverHasChildren;
}

void ItemsModel::Rebuild()
{
    const ItemList& list = doc.Items();
    if (std::equal(shown.begin(), shown.end(), list.begin(), list.end())) {
        // The same items in the same places: names and pictures may have changed.
        AllRowsChanged({Qt::DisplayRole, Qt::EditRole, IdRole, PictureRole});
        return;
    }
    beginResetModel();
    shown.assign(list.begin(), list.end());
    marks.Reset(int(shown.size()));
    endResetModel();
}

void ItemsModel::MarkSelection(DrawItem* selection)
{
    marks.Clear();
    if (selection && selection->Id() == SelectionGroupId && selection->TypeCode() == ItemGroup) {
        for (std::int32_t i = 0, n = selection->ChildCount(); i < n; ++i)
            marks.Set(RowOf(selection->ChildAt(i)), true);
    } else {
        marks.Set(RowOf(selection), true);
    }
    MarksChanged();
}

std::vector<DrawItem*> ItemsModel::MarkedItems() const
{
    std::vector<DrawItem*> items;
    for (int row = 0, n = int(shown.size()); row < n; ++row) {
        if (!marks.IsMarked(row))
            continue;
        if (DrawItem* item = ItemAt(row))
            items.push_back(item);
    }
    return items;
}

void ItemsModel::MarksChanged()
{
    AllRowsChanged({MarkedRole});
}

void ItemsModel::AllRowsChanged(const QList<int>& roles)
{
    if (!shown.empty())
        emit dataChanged(index(0), index(int(shown.size()) - 1), roles);
}
