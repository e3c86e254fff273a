#pragma once

// A recorded sequence of painter calls that can be played back into several
// parts of one image at the same time. Items keep working objects (pen,
// brush, path) that their Draw reuses, so they cannot draw from two threads
// at once; recording them once and replaying the list in horizontal bands,
// each clipped to its own rows, renders on every core with the very pixels a
// single painter would give. A recording holds copies of what it was given
// and may be played on any thread.

#include <QBrush>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QTransform>

#include <atomic>
#include <memory>
#include <vector>

class DisplayListEngine;

// The metrics of a recording device of width x height pixels: 32 bits, 96
// dots per inch and a pixel ratio of 1, as an image has.
int RecordingDeviceMetric(QPaintDevice::PaintDeviceMetric metric, int width, int height);

class DisplayList : public QPaintDevice
{
public:
    DisplayList(int width, int height);
    ~DisplayList() override;

    QPaintEngine* paintEngine() const override;
    int Size() const;
    int Width() const { return width; }
    int Height() const { return height; }

    // Plays every recorded call through painter, in order.
    void Play(QPainter& painter) const;
    // Plays the list into the pixels of image (which must be the list's
    // size) inside area, the whole image when area is empty, on up to
    // `threads` threads: the area is cut into bands of rows that the threads
    // take in turn. Any number of threads gives the same pixels. Once stop
    // is set the play ends early, leaving the pixels part drawn.
    void PlayInBands(QImage& image, int threads, const QRect& area = QRect(),
                     const std::atomic<bool>* stop = nullptr) const;

    // The painter state in force at a call (pen and brush, with the frame of
    // everything else), and one recorded call.
    struct Frame;
    struct State;
    struct Command;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    friend class DisplayListEngine;

    int width;
    int height;
    std::vector<Frame> frames;
    std::vector<State> states;
    std::vector<Command> commands;
    std::unique_ptr<DisplayListEngine> engine;
};
