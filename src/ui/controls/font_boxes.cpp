#include "ui/controls/font_boxes.h"

#include <QFontDatabase>

FontNameBox::FontNameBox(QWidget* parent) : CFlatComboBox(parent)
{
    // Bitmap-only families draw badly at the sizes a drawing uses.
    for (const QString& family : QFontDatabase::families(QFontDatabase::Latin))
        if (QFontDatabase::isSmoothlyScalable(family))
            addItem(family);
    connect(this, &QComboBox::activated, this, [this] { chosenName = currentText(); });
}

void FontNameBox::SelectName(const QString& name)
{
    chosenName = name;
    const int index = findText(name, Qt::MatchStartsWith);
    if (index >= 0)
        setCurrentIndex(index);
}

void FontNameBox::hidePopup()
{
    CFlatComboBox::hidePopup();
    if (currentIndex() >= 0)
        chosenName = currentText();
}

FontSizeBox::FontSizeBox(QWidget* parent) : CFlatComboBox(parent)
{
    for (int size : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72, 96, 128})
        addItem(QString::number(size));
    setCurrentIndex(0);
}

void FontSizeBox::SelectSize(int size)
{
    const int index = findText(QString::number(size), Qt::MatchExactly);
    if (index >= 0)
        setCurrentIndex(index);
}
