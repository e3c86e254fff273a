#pragma once

// A window over a frozen copy of the whole screen. In region mode the user
// drags out a rectangle and Enter writes it to a BMP working file; in colour
// mode a box beside the pointer tells the colour under it, and a click takes
// that colour. Both read the frozen picture, never the live screen.

#include "ui/dialogs/color_model.h"
#include "ui/dialogs/screen_grabber.h"

#include <QDialog>

#include <optional>
#include <string>

class ScreenCaptureWindow : public QDialog
{
    Q_OBJECT
public:
    enum class Mode
    {
        Colour = 0,
        Region = 1,
    };

    ScreenCaptureWindow(Mode mode, FrozenScreen frozen, QWidget* parent = nullptr);

    // After colour mode was accepted.
    Rgb PickedColour() const { return picked; }
    // After region mode was accepted: the BMP working file, empty when no
    // region large enough was chosen.
    const std::string& CapturedFile() const { return capturedFile; }
    // The last finished drag, in window pixels.
    QRect Region() const { return region; }
    QString InfoText() const { return infoText; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Where the picture's top-left pixel lies in the window.
    QPoint PictureOrigin() const;
    Rgb PixelAt(QPoint windowPoint) const;
    void Track(QPoint windowPoint);
    QRect DragRect() const;
    void WriteRegion();

    Mode mode;
    FrozenScreen frozen;
    QString infoText;
    Rgb picked;
    QPoint anchor, current;
    bool dragging = false;
    QRect region;
    std::string capturedFile;
};

// The colour of a screen pixel the user clicks, or nothing when cancelled or
// when this session cannot copy the screen (which is then said). Fits
// ChooseColorDialog::SetPicker.
std::optional<Rgb> PickScreenColour(QWidget* parent, const ScreenGrabber& grab = GrabScreen);

// The BMP working file of a screen region the user chooses, or nothing.
std::optional<std::string> CaptureScreenRegion(QWidget* parent, const ScreenGrabber& grab = GrabScreen);
