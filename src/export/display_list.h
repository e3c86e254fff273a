#pragma once

// A recorded sequence of painter calls that can be played back into several
// parts of one image at the same time. Items keep working objects (pen,
// brush, path) that their Draw reuses, so they cannot draw from two threads
// at once; recording them once and replaying the list in horizontal bands,
// each clipped to its own rows, renders on every core with the very pixels a
// single painter would give.

#include <QBrush>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QTransform>

#include <memory>
#include <vector>

class DisplayListEngine;

class DisplayList : public QPaintDevice
{
public:
    DisplayList(int width, int height);
    ~DisplayList() override;

    QPaintEngine* paintEngine() const override;
    int Size() const;

    // Plays every recorded call through painter, in order.
    void Play(QPainter& painter) const;
    // Plays the list into image (which must be the list's size) with up to
    // `bands` threads, each owning a horizontal band of rows.
    void PlayInBands(QImage& image, int bands) const;

    // The painter state in force at a call, and one recorded call.
    struct State;
    struct Command;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    friend class DisplayListEngine;

    int width;
    int height;
    std::vector<State> states;
    std::vector<Command> commands;
    std::unique_ptr<DisplayListEngine> engine;
};
