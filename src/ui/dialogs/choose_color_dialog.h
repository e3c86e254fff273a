#pragma once

// "Choose Color": a colour with its alpha, picked on a hue and saturation
// field and a lightness bar, typed as red, green, blue and alpha or as
// hexadecimal, taken from the screen ("Pick") or accepted as transparent.

#include "items/geometry.h"
#include "ui/dialogs/color_model.h"

#include <QDialog>
#include <QImage>

#include <functional>
#include <optional>

class QLineEdit;
class QPushButton;

// Hue left to right, saturation bottom to top, at middle lightness.
class SpectrumField : public QWidget
{
    Q_OBJECT
public:
    explicit SpectrumField(QWidget* parent = nullptr);
    void SetMarker(QPoint point);
    QPoint Marker() const { return marker; }
    // The field's colour at the marker.
    QRgb ColorAtMarker() const;

signals:
    void Picked(QPoint point);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage spectrum;
    QPoint marker;
};

// White at the top, the field's colour in the middle, black at the bottom.
class LightnessBar : public QWidget
{
    Q_OBJECT
public:
    explicit LightnessBar(QWidget* parent = nullptr);
    void SetBase(QRgb color);
    void SetMarkerY(int y);

signals:
    void Picked(int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QRgb base = 0xFFFF0000;
    int markerY = 0;
};

// The colour over a light chequer, so that transparency shows.
class ColourSwatch : public QWidget
{
public:
    explicit ColourSwatch(QWidget* parent = nullptr);
    void SetColor(ArgbColor c);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ArgbColor color = ColorOpaqueBlack;
};

class ChooseColorDialog : public QDialog
{
    Q_OBJECT
public:
    // Takes a colour from the screen, or nothing when the user gives up.
    using Picker = std::function<std::optional<Rgb>()>;

    explicit ChooseColorDialog(QWidget* parent = nullptr);

    void SetColor(ArgbColor color);
    // Alpha << 24 | red << 16 | green << 8 | blue; after "Transparent" alpha is 0.
    ArgbColor Color() const;
    // Without a picker "Pick" is disabled.
    void SetPicker(Picker picker);

    void accept() override;

private:
    void FieldPicked(QPoint point);
    void BarPicked(int y);
    void BoxesEdited(int box);
    void HexEdited(const QString& text);
    void PickFromScreen();
    void Transparent();
    // Every control from the members.
    void Refresh();
    // The red, green, blue and alpha boxes into the members; false, with a
    // message naming the box, when one does not hold a value of 0..255.
    bool ReadBoxes(bool complain);
    // The rest of the members from red, green and blue, or from hue, lightness and saturation.
    void FromRgb();
    void FromHls();
    void SetRgb(Rgb c);

    int red = 0, green = 0, blue = 0, alpha = 255;
    Hls hls;
    std::string hexText = "#000000";
    bool refreshing = false;
    int editingBox = -1;

    SpectrumField* field;
    LightnessBar* bar;
    ColourSwatch* swatch;
    QLineEdit* boxes[4];
    QLineEdit* hexBox;
    QPushButton* pickButton;
    Picker picker;
};
