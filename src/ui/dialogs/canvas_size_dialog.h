#pragma once

// What the New and New Template dialogs share: the width and height boxes,
// the canvas colour button and the check made on Ok.

#include <QDialog>
#include <QRgb>

class ColourButton;
class QFormLayout;
class QLineEdit;

class CanvasSizeDialog : public QDialog
{
    Q_OBJECT
public:
    int CanvasWidth() const { return width; }
    int CanvasHeight() const { return height; }
    // Red, green and blue; the view makes it opaque.
    QRgb CanvasColor() const;
    void SetCanvasColor(QRgb color);

    // Reads both boxes; stays open with a message naming the box that holds
    // no whole number, or when either size is zero.
    void accept() override;

protected:
    CanvasSizeDialog(const QString& title, int width, int height, QRgb color, QWidget* parent);
    // The form the subclass adds its own rows to, above the size rows.
    QFormLayout* Form() const { return form; }
    void SetSize(int w, int h);
    void SetSizeEditable(bool editable);

private:
    int width;
    int height;
    QFormLayout* form;
    QLineEdit* widthBox;
    QLineEdit* heightBox;
    ColourButton* colourButton;
};
