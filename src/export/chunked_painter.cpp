#include "export/chunked_painter.h"

#include "items/draw_item.h"

#include <QPainter>

#include <algorithm>
#include <thread>

namespace {

// Large enough that starting the bands costs little, small enough that a
// recording holds a small part of a large drawing.
constexpr int CallsPerRecording = 8192;

int HardwareBands()
{
    return int(std::max(1u, std::thread::hardware_concurrency()));
}

} // namespace

ChunkedPainter::ChunkedPainter(QImage& image, QPointF origin) : image(image), origin(origin) {}

ChunkedPainter::~ChunkedPainter()
{
    Finish();
}

void ChunkedPainter::Begin()
{
    list = std::make_unique<DisplayList>(image.width(), image.height());
    recorder = std::make_unique<QPainter>(list.get());
    recorder->setRenderHint(QPainter::Antialiasing);
    recorder->translate(-origin.x(), -origin.y());
}

void ChunkedPainter::Draw(DrawItem& item)
{
    if (image.isNull())
        return;
    if (!list)
        Begin();
    item.Draw(*recorder);
    if (list->Size() >= CallsPerRecording)
        Finish();
}

void ChunkedPainter::Finish()
{
    if (!list)
        return;
    recorder.reset();
    list->PlayInBands(image, HardwareBands());
    list.reset();
}
