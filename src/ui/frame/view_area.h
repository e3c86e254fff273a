#pragma once

#include <QAbstractScrollArea>

// The scrolling client area of the main window. It shows the editing surface:
// plain grey until a canvas exists.
class ViewArea : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit ViewArea(QWidget* parent = nullptr);

    static constexpr QRgb BackgroundColor = 0xFF808080;

protected:
    void paintEvent(QPaintEvent* event) override;
};
