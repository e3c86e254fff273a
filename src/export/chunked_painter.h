#pragma once

// Paints items onto a picture through recordings of a few thousand drawing
// calls at a time, each played on every core (see DisplayList). A caller
// that lets each item go as soon as it is drawn never holds the outlines of
// a whole large drawing at once.

#include "export/display_list.h"

#include <QImage>
#include <QPointF>

#include <memory>

class DrawItem;

class ChunkedPainter
{
public:
    // Paints onto image, whose top-left pixel shows the canvas point origin.
    // The image must outlive the painter.
    ChunkedPainter(QImage& image, QPointF origin);
    ~ChunkedPainter();
    ChunkedPainter(const ChunkedPainter&) = delete;
    ChunkedPainter& operator=(const ChunkedPainter&) = delete;

    // Records item; the recording shares what it needs of the item, so the
    // item may go right afterwards. Paints the recording once it is large.
    void Draw(DrawItem& item);
    // Paints what is recorded and not yet painted.
    void Finish();

private:
    void Begin();

    QImage& image;
    QPointF origin;
    std::unique_ptr<DisplayList> list;
    std::unique_ptr<QPainter> recorder;
};
