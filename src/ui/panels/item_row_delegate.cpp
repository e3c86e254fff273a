#include "ui/panels/item_row_delegate.h"

#include "ui/frame/resources.h"
#include "ui/panels/items_model.h"

#include <QApplication>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>

namespace {

constexpr int LabelGap = 2;

const char* const PictureFiles[4] = {":/panel/eye_open.svg", ":/panel/eye_closed.svg", ":/panel/lock_open.svg",
                                     ":/panel/lock_closed.svg"};

} // namespace

ItemRowDelegate::ItemRowDelegate(QObject* parent) : QStyledItemDelegate(parent)
{
    EnsureUiResources();
}

QRect ItemRowDelegate::EyeRect(const QRect& row)
{
    return {row.left(), row.top() + (row.height() - PictureSize) / 2, PictureSize, PictureSize};
}

QRect ItemRowDelegate::LockRect(const QRect& row)
{
    return EyeRect(row).translated(PictureSize, 0);
}

QRect ItemRowDelegate::LabelRect(const QRect& row)
{
    return row.adjusted(2 * PictureSize + LabelGap, 0, 0, 0);
}

ItemRowDelegate::Picture ItemRowDelegate::PictureAt(const QRect& row, QPoint point)
{
    if (EyeRect(row).contains(point))
        return Picture::Eye;
    if (LockRect(row).contains(point))
        return Picture::Lock;
    return Picture::None;
}

const QPixmap& ItemRowDelegate::Pixmap(int which, qreal ratio) const
{
    if (ratio != pixmapRatio) {
        const int side = int(std::ceil(PictureSize * ratio));
        for (int i = 0; i < 4; ++i) {
            QPixmap pixmap(side, side);
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            QSvgRenderer(QString::fromLatin1(PictureFiles[i])).render(&painter);
            painter.end();
            pixmap.setDevicePixelRatio(ratio);
            pixmaps[i] = pixmap;
        }
        pixmapRatio = ratio;
    }
    return pixmaps[which];
}

void ItemRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const int picture = index.data(ItemsModel::PictureRole).toInt();
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    painter->drawPixmap(EyeRect(option.rect), Pixmap((picture & 2) ? 1 : 0, ratio));
    painter->drawPixmap(LockRect(option.rect), Pixmap((picture & 1) ? 3 : 2, ratio));

    // The row's mark, not the list's own selection, decides the highlight.
    QStyleOptionViewItem label = option;
    initStyleOption(&label, index);
    label.rect = LabelRect(option.rect);
    label.state.setFlag(QStyle::State_Selected, index.data(ItemsModel::MarkedRole).toBool());
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &label, painter, widget);
}

QSize ItemRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QSize label = QStyledItemDelegate::sizeHint(option, index);
    return {label.width() + 2 * PictureSize + LabelGap, std::max(label.height(), PictureSize + 2)};
}

void ItemRowDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const
{
    QStyleOptionViewItem label = option;
    label.rect = LabelRect(option.rect);
    QStyledItemDelegate::updateEditorGeometry(editor, label, index);
}
