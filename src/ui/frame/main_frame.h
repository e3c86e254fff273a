#pragma once

#include "ui/frame/frame_notices.h"

#include <QMainWindow>

class CKorvaniDoc;
class ItemsPanel;
class QLabel;
class ViewArea;

// The main window: the editing view in the client area, bars around it. It
// hears the view's notifications; until the bars exist, the status line
// shows the zoom and the active tool.
class CMainFrame : public QMainWindow, public FrameNotices
{
    Q_OBJECT
public:
    explicit CMainFrame(CKorvaniDoc& document, QWidget* parent = nullptr);
    ~CMainFrame() override;

    ViewArea* viewArea() const { return area; }
    ItemsPanel* itemsPanel() const { return panel; }

    // --- FrameNotices ---
    void OnSelectionChanged(DrawItem* selection) override;
    void OnToolChanged(int tool) override;
    void OnZoomChanged(float zoom) override;
    void OnItemsChanged(DrawItem* selection) override;
    void OnItemsMark(DrawItem* selection) override;
    void OnGradientValues(int position, int angle, int wrapMode) override;

private:
    // Before the view area: the view may notify the frame while it is made.
    ItemsPanel* panel = nullptr;
    ViewArea* area;
    QLabel* zoomLabel;
    QLabel* toolLabel;
};
