#pragma once

// A small button showing one colour; pressing it drops down a palette of
// twelve greys and the 216 web colours, with a way to Qt's own colour dialog
// for any other colour.

#include <QAbstractButton>
#include <QPointer>
#include <QRgb>

class QLabel;

// The palette's grid: 19 columns of 10 x 10 pixel cells (9 x 9 filled), 12 rows.
namespace palette {
constexpr int Columns = 19;
constexpr int Rows = 12;
constexpr int Cell = 10;
constexpr QSize Size(191, 150);
// Column 0 holds greys from white down to black; columns 1 to 18 the web colours.
QRgb CellColor(int column, int row);
// The cell index (19 x row + column) under a point, or -1 off the cells and on the gaps.
int CellAt(QPoint point);
// Top-left corner of the palette below a button, kept on the screen.
QPoint Placement(const QRect& button, const QRect& screen);
} // namespace palette

class ColourPalette;

class ColourButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit ColourButton(QWidget* parent = nullptr);
    ~ColourButton() override;

    QRgb Color() const { return color; }
    // Repaints, updates the text window and, when the colour changes, says so.
    void SetColor(QRgb c);
    // A label that shows the colour as "#RRGGBB"; may be null.
    void SetTextWindow(QLabel* label);
    bool PaletteOpen() const { return palette != nullptr; }
    ColourPalette* Palette() const { return palette; }

    QSize sizeHint() const override { return {40, 22}; }

signals:
    void ColorChanged(QRgb color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void OpenPalette();
    void MoreColours();

    QRgb color = qRgb(255, 255, 255);
    QPointer<QLabel> textWindow;
    QPointer<ColourPalette> palette;
};

// The drop-down of a ColourButton.
class ColourPalette : public QWidget
{
    Q_OBJECT
public:
    ColourPalette(QRgb current, QWidget* parent);
    QAbstractButton* MoreButton() const { return more; }

signals:
    void Chosen(QRgb color);
    void MoreWanted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRgb current;
    int hot = -1;
    QAbstractButton* more;
};
