// Fuzz target of the export's scanline filler: the bytes make a clip, an
// affine transform, a fill rule, a colour and a path whose coordinates are
// either small (so that the outline lands on the picture) or any double at
// all (NaN, infinities, 1e300). The fill must keep to the clip and must not
// overflow, read or write out of bounds, whatever the numbers.
#include "export/coverage_raster.h"

#include <QImage>
#include <QPainterPath>
#include <QTransform>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

constexpr int Side = 48;

class Input
{
public:
    Input(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}

    bool Empty() const { return at >= size; }
    std::uint8_t Byte() { return at < size ? data[at++] : 0; }
    // A coordinate: mostly a short number on or near the picture, sometimes
    // eight raw bytes taken as a double.
    double Number()
    {
        const std::uint8_t kind = Byte();
        if (kind < 224) {
            const int raw = int(Byte()) << 8 | Byte();
            return (raw - 8192) / 64.0;
        }
        double value = 0;
        std::uint8_t bytes[sizeof value] = {};
        for (std::uint8_t& b : bytes)
            b = Byte();
        std::memcpy(&value, bytes, sizeof value);
        return value;
    }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
};

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in(data, size);
    const QRect clip = QRect(in.Byte() % Side, in.Byte() % Side, 1 + in.Byte() % Side, 1 + in.Byte() % Side)
                           .intersected(QRect(0, 0, Side, Side));
    QTransform transform;
    if (in.Byte() & 1) {
        const double m11 = in.Number(), m12 = in.Number(), m21 = in.Number(), m22 = in.Number();
        transform = QTransform(m11, m12, m21, m22, in.Number(), in.Number());
    }
    const Qt::FillRule rule = (in.Byte() & 1) ? Qt::WindingFill : Qt::OddEvenFill;
    const QRgb color = qPremultiply(qRgba(in.Byte(), in.Byte(), in.Byte(), in.Byte()));

    QPainterPath path;
    while (!in.Empty() && path.elementCount() < 4096) {
        switch (in.Byte() % 3) {
        case 0:
            path.moveTo(in.Number(), in.Number());
            break;
        case 1:
            path.lineTo(in.Number(), in.Number());
            break;
        default: {
            const double x1 = in.Number(), y1 = in.Number(), x2 = in.Number(), y2 = in.Number();
            path.cubicTo(x1, y1, x2, y2, in.Number(), in.Number());
            break;
        }
        }
    }

    QImage image(Side, Side, QImage::Format_ARGB32_Premultiplied);
    image.fill(0xFF808080u);
    CoverageRaster raster(clip);
    raster.AddPath(path, transform);
    raster.Fill(image.bits(), image.bytesPerLine(), rule, color);
    for (int y = 0; y < Side; ++y) {
        for (int x = 0; x < Side; ++x) {
            if (!clip.contains(x, y))
                Check(image.pixel(x, y) == 0xFF808080u);
        }
    }
    return 0;
}
