#pragma once

// How far two pictures of one size differ, channel by channel (alpha too),
// over the rows from top down.

#include <QImage>

#include <algorithm>
#include <cstdlib>

struct PixelDifference
{
    int largest = 0;   // of any channel of any pixel
    double mean = 0;   // of each pixel's largest channel difference
    int over = 0;      // pixels whose largest channel difference exceeds the threshold
};

inline PixelDifference ComparePixels(const QImage& a, const QImage& b, int top = 0, int threshold = 255)
{
    PixelDifference d;
    for (int y = top; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int v = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                    std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            d.largest = std::max(d.largest, v);
            d.mean += v;
            d.over += v > threshold;
        }
    }
    d.mean /= double(a.width()) * (a.height() - top);
    return d;
}
