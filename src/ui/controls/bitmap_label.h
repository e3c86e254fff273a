#pragma once

// A picture drawn at the top-left of the control, its light grey
// (192, 192, 192) pixels left out so that the background shows through.

#include <QPixmap>
#include <QWidget>

class BitmapLabel : public QWidget
{
    Q_OBJECT
public:
    explicit BitmapLabel(QWidget* parent = nullptr);

    // A null pixmap shows nothing.
    void SetBitmap(const QPixmap& bitmap);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap bitmap;
};
