#include "ui/controls/bitmap_label.h"

#include <QBitmap>
#include <QPainter>

BitmapLabel::BitmapLabel(QWidget* parent) : QWidget(parent) {}

void BitmapLabel::SetBitmap(const QPixmap& picture)
{
    bitmap = picture;
    if (!bitmap.isNull())
        bitmap.setMask(bitmap.createMaskFromColor(QColor(192, 192, 192), Qt::MaskInColor));
    updateGeometry();
    update();
}

QSize BitmapLabel::sizeHint() const
{
    return bitmap.isNull() ? QSize(0, 0) : bitmap.deviceIndependentSize().toSize();
}

void BitmapLabel::paintEvent(QPaintEvent*)
{
    if (bitmap.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, bitmap);
}
