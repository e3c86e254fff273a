#pragma once

// The text bar's two flat lists: the font families and the usual sizes.

#include "ui/controls/flat_combo_box.h"

class FontNameBox : public CFlatComboBox
{
    Q_OBJECT
public:
    // Lists the scalable families that cover Latin text, in the font system's order.
    explicit FontNameBox(QWidget* parent = nullptr);

    // Selects the first family that begins with `name`, ignoring case, and
    // keeps `name` as the chosen one even when no family matches.
    void SelectName(const QString& name);
    QString ChosenName() const { return chosenName; }

    void hidePopup() override;

private:
    QString chosenName;
};

class FontSizeBox : public CFlatComboBox
{
    Q_OBJECT
public:
    // Lists 8 to 128 and selects the first.
    explicit FontSizeBox(QWidget* parent = nullptr);

    // Selects the entry that reads `size`; others leave the selection alone.
    void SelectSize(int size);
    // The selected entry as a number; 0 when none is selected.
    int ChosenSize() const { return currentText().toInt(); }
};
