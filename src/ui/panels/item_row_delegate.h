#pragma once

// Draws an items panel row: the eye (hidden or shown) and the lock (locked
// or free) in front, then the item's name, highlighted when the row is
// marked. The label editor sits where the name is.

#include <QPixmap>
#include <QStyledItemDelegate>

class ItemRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    static constexpr int PictureSize = 16;
    // Which picture of a row a point falls on.
    enum class Picture { None, Eye, Lock };

    explicit ItemRowDelegate(QObject* parent = nullptr);

    // The eye takes the first 16 x 16 pixels from the row's left edge, the lock the next.
    static QRect EyeRect(const QRect& row);
    static QRect LockRect(const QRect& row);
    static QRect LabelRect(const QRect& row);
    static Picture PictureAt(const QRect& row, QPoint point);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

private:
    // Eye open, eye closed, lock open, lock closed, drawn once for the screen's pixel ratio.
    const QPixmap& Pixmap(int which, qreal ratio) const;

    mutable QPixmap pixmaps[4];
    mutable qreal pixmapRatio = 0;
};
