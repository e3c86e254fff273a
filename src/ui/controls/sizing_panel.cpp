#include "ui/controls/sizing_panel.h"

#include <QMainWindow>
#include <QResizeEvent>

#include <algorithm>

int PanelExtent(int wanted, int minimum, int freeSpace)
{
    return std::max(minimum, std::min(wanted, freeSpace - 4));
}

SizingPanel::SizingPanel(const QString& title, QMainWindow* frame, QSize defaultSize, bool gripper)
    : QDockWidget(title, frame), frame(frame), gripper(gripper)
{
    std::fill(std::begin(sizes), std::end(sizes), defaultSize);
    setFeatures(gripper ? DockWidgetClosable | DockWidgetMovable | DockWidgetFloatable : DockWidgetClosable);
    connect(this, &QDockWidget::dockLocationChanged, this, &SizingPanel::PlacementChanged);
    connect(this, &QDockWidget::topLevelChanged, this, &SizingPanel::PlacementChanged);
    resize(defaultSize);
}

SizingPanel::Placement SizingPanel::CurrentPlacement() const
{
    if (isFloating() || !frame)
        return Placement::Floating;
    switch (frame->dockWidgetArea(const_cast<SizingPanel*>(this))) {
    case Qt::TopDockWidgetArea:
    case Qt::BottomDockWidgetArea: return Placement::DockedHorizontally;
    case Qt::LeftDockWidgetArea:
    case Qt::RightDockWidgetArea: return Placement::DockedVertically;
    default: return Placement::Floating;
    }
}

int SizingPanel::FreeSpace() const
{
    // What the frame's centre and this panel share; the other docked bars keep theirs.
    const bool across = CurrentPlacement() == Placement::DockedVertically;
    const QWidget* centre = frame->centralWidget();
    if (!centre)
        return across ? frame->width() : frame->height();
    return across ? centre->width() + width() : centre->height() + height();
}

void SizingPanel::SetExtent(int extent)
{
    switch (CurrentPlacement()) {
    case Placement::Floating: resize(extent, height()); return;
    case Placement::DockedVertically:
        frame->resizeDocks({this}, {PanelExtent(extent, minimumSizeHint().width(), FreeSpace())}, Qt::Horizontal);
        return;
    case Placement::DockedHorizontally:
        frame->resizeDocks({this}, {PanelExtent(extent, minimumSizeHint().height(), FreeSpace())}, Qt::Vertical);
        return;
    }
}

void SizingPanel::PlacementChanged()
{
    placement = CurrentPlacement();
    const QSize remembered = sizes[int(placement)];
    switch (placement) {
    case Placement::Floating: resize(remembered); return;
    case Placement::DockedVertically: SetExtent(remembered.width()); return;
    case Placement::DockedHorizontally: SetExtent(remembered.height()); return;
    }
}

void SizingPanel::resizeEvent(QResizeEvent* event)
{
    QDockWidget::resizeEvent(event);
    // Sizes met on the way to a new place are not that place's own.
    if (CurrentPlacement() == placement)
        sizes[int(placement)] = event->size();
}
