#pragma once

// A drop-down list drawn flat until the pointer is over it or it has the
// focus; then raised, and pressed in while the mouse button is down. It stays
// raised while its list is open, wherever the pointer goes.

#include <QComboBox>

enum class FlatLook
{
    Flat,
    Raised,
    Pressed,
};

class CFlatComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit CFlatComboBox(QWidget* parent = nullptr);

    // With the flat look off the control looks like a plain combo box.
    void SetFlatLook(bool on);
    bool FlatLookOn() const { return flatLook; }
    FlatLook Look() const;

    void showPopup() override;
    void hidePopup() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool flatLook = true;
    bool pointerOver = false;
    bool buttonDown = false;
    bool listOpen = false;
};
