#pragma once

// The start-up chooser: one picture of five choices (a new custom drawing, a
// new e-mail or post template, open, download template, upload template);
// the choice under the pointer lights up, a click on it closes the chooser.

#include <QDialog>
#include <QRect>

#include <array>

class QSvgRenderer;

class StartupChooser : public QDialog
{
    Q_OBJECT
public:
    // The hot areas, by choice index.
    static const std::array<QRect, 5>& Areas();
    // The choice under a point, or -1.
    static int AreaAt(QPoint point);

    explicit StartupChooser(QWidget* parent = nullptr);
    ~StartupChooser() override;
    // The choice made, -1 when the chooser was closed without one.
    int Choice() const { return choice; }
    int Hover() const { return hover; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int choice = -1;
    int hover = -1;
    // The neutral picture first, then one per choice.
    std::array<QSvgRenderer*, 6> pictures{};
};
