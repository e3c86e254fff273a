#pragma once

// What the frame around the editing view hears from it: the view's
// notifications, relayed by the widget that hosts the view.

class DrawItem;

class FrameNotices
{
public:
    virtual ~FrameNotices() = default;

    virtual void OnSelectionChanged(DrawItem* selection) = 0;
    virtual void OnToolChanged(int tool) = 0;
    virtual void OnZoomChanged(float zoom) = 0;
    // The document's items changed in number or order; the selection to mark.
    virtual void OnItemsChanged(DrawItem* selection) = 0;
    virtual void OnItemsMark(DrawItem* selection) = 0;
    // Stop position * 100 and angle, each to the nearest whole number; wrap mode.
    virtual void OnGradientValues(int position, int angle, int wrapMode) = 0;
};
