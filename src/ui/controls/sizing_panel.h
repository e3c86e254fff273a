#pragma once

// The dockable, resizable frame of a panel (the items panel sits in one).
// It keeps one size for each way it can be placed: docked at the top or
// bottom, docked at the left or right, and floating, and comes back to that
// size when placed that way again. Qt's dock does the dragging and resizing.

#include <QDockWidget>

// The extent (width, or height for a panel at the top or bottom) a docked
// panel is given: what was asked, but no less than the panel's minimum and no
// more than the frame's free space less 4 pixels.
int PanelExtent(int wanted, int minimum, int freeSpace);

class QMainWindow;

class SizingPanel : public QDockWidget
{
    Q_OBJECT
public:
    enum class Placement
    {
        DockedHorizontally, // top or bottom
        DockedVertically,   // left or right
        Floating,
    };

    // Without a gripper the panel stays where it was docked.
    SizingPanel(const QString& title, QMainWindow* frame, QSize defaultSize, bool gripper);

    Placement CurrentPlacement() const;
    bool IsHorizontal() const { return CurrentPlacement() == Placement::DockedHorizontally; }
    bool IsVertical() const { return CurrentPlacement() == Placement::DockedVertically; }
    QSize RememberedSize(Placement placement) const { return sizes[int(placement)]; }
    int GripperSize() const { return gripper ? 12 : 0; }

    // Docked: resizes across the dock within PanelExtent's limits; floating: the width.
    void SetExtent(int extent);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlacementChanged();
    int FreeSpace() const;

    QMainWindow* frame;
    QSize sizes[3];
    bool gripper;
    Placement placement = Placement::Floating;
};
