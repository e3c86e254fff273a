#pragma once

// What the property, text and gradient bars have in common: a small font
// for their labels and boxes, icon labels, number boxes sized to what they
// show, and the holder that puts a row of controls into a tool bar.

#include <QString>

class BitmapLabel;
class NumberEdit;
class QFont;
class QLabel;
class QWidget;

// The desktop's small font: the application font a little smaller, but
// never below the smallest size the desktop calls readable.
QFont BarFont();

// A 20 x 20 picture of the program's own (":/icons/NAME.svg").
BitmapLabel* MakeIconLabel(const QString& pictureName, const QString& tip, QWidget* parent);
QLabel* MakeTextLabel(const QString& text, QWidget* parent);
// A number box wide enough for `widest` in the bar font.
NumberEdit* MakeNumberBox(const QString& widest, const QString& tip, QWidget* parent);

// "%d" of a zoom factor in per cent, truncated; the product is taken in
// float so that a stored 0.7 reads 70, not 69.
int ZoomPercent(float zoom);
