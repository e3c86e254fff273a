#include "ui/dialogs/color_model.h"

#include <algorithm>
#include <cstdio>

namespace {

int Clamp(int v, int lo, int hi)
{
    return std::min(std::max(v, lo), hi);
}

// One channel of a hue x, on the 0..240 scale of m1 and m2.
double ChannelOfHue(int m1, int m2, int x)
{
    if (x < 0)
        x += 240;
    if (x > 240)
        x -= 240;
    if (x < 40)
        return m1 + ((m2 - m1) * x + 20) * 0.025;
    if (x < 120)
        return m2;
    if (x < 160)
        return m1 + ((m2 - m1) * (160 - x) + 20) * 0.025;
    return m1;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

Hls RgbToHls(Rgb c)
{
    const int max = std::max({c.red, c.green, c.blue});
    const int min = std::min({c.red, c.green, c.blue});
    const int sum = max + min, d = max - min;
    Hls out;
    out.lightness = (sum * 240 + 255) / 510;
    if (d == 0)
        return {0, Clamp(out.lightness, 0, 240), 0};
    out.saturation = out.lightness <= 120 ? (d * 240 + sum / 2) / sum : (d * 240 + (510 - sum) / 2) / (510 - sum);
    const int half = d / 2;
    const double rd = double((max - c.red) * 40 + half) / d;
    const double gd = double((max - c.green) * 40 + half) / d;
    const double bd = double((max - c.blue) * 40 + half) / d;
    double hue;
    if (c.red == max)
        hue = bd - gd;
    else if (c.green == max)
        hue = 80 + rd - bd;
    else
        hue = 160 + gd - rd;
    out.hue = int(hue + 0.5); // truncation toward zero, as the model defines it
    if (out.hue < 0)
        out.hue += 240;
    if (out.hue > 240)
        out.hue -= 240;
    out.saturation = Clamp(out.saturation, 0, 240);
    out.lightness = Clamp(out.lightness, 0, 240);
    return out;
}

Rgb HlsToRgb(Hls c)
{
    if (c.lightness <= 0)
        return {0, 0, 0};
    if (c.lightness >= 240)
        return {255, 255, 255};
    if (c.saturation == 0) {
        const int grey = c.lightness * 255 / 240;
        return {grey, grey, grey};
    }
    const int l = c.lightness, s = c.saturation;
    const int m2 = l <= 120 ? (l * (240 + s) + 120) / 240 : l + s - (l * s + 120) / 240;
    const int m1 = 2 * l - m2;
    auto channel = [&](int hue) { return Clamp(int((ChannelOfHue(m1, m2, hue) * 255 + 120) / 240), 0, 255); };
    return {channel(c.hue + 80), channel(c.hue), channel(c.hue - 80)};
}

std::string HexText(Rgb c)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", unsigned(Clamp(c.red, 0, 255)), unsigned(Clamp(c.green, 0, 255)),
                  unsigned(Clamp(c.blue, 0, 255)));
    return text;
}

HexEdit ApplyHexEdit(const std::string& stored, const std::string& edited, int caret)
{
    if (caret > 8 || caret < 0)
        return {stored, std::min<int>(caret, int(stored.size())), false};
    std::string text = edited;
    // One character typed at the caret: it takes the place of the one after it.
    if (caret >= 1 && edited.size() == stored.size() + 1 &&
        edited.compare(0, std::size_t(caret - 1), stored, 0, std::size_t(caret - 1)) == 0 &&
        edited.compare(std::size_t(caret), std::string::npos, stored, std::size_t(caret - 1)) == 0) {
        text = stored;
        if (std::size_t(caret - 1) < text.size())
            text[std::size_t(caret - 1)] = edited[std::size_t(caret - 1)];
        else
            text += edited[std::size_t(caret - 1)];
    }
    HexEdit out;
    out.caret = caret;
    // The "#" stays first: put back when deleted, restored when typed over.
    if (text.empty() || (text[0] != '#' && text.size() < 7)) {
        text.insert(0, "#");
        ++out.caret;
    }
    text[0] = '#';
    if (text.size() > 7)
        text.resize(7);
    out.caret = std::min(out.caret, 7);
    for (std::size_t i = 1; i < text.size(); ++i) {
        const int digit = HexDigit(text[i]);
        if (digit < 0) {
            text[i] = '0';
            out.beep = true;
        } else {
            text[i] = "0123456789ABCDEF"[digit];
        }
    }
    out.text = text;
    return out;
}

Rgb ParseHexText(const std::string& text)
{
    int channels[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        const std::size_t at = 1 + 2 * std::size_t(i);
        if (at + 1 >= text.size())
            break;
        const int hi = HexDigit(text[at]), lo = HexDigit(text[at + 1]);
        if (hi < 0 || lo < 0)
            break;
        channels[i] = hi * 16 + lo;
    }
    return {channels[0], channels[1], channels[2]};
}

QPoint FieldMarker(QSize size, int hue, int saturation)
{
    return {size.width() * hue / 240, size.height() * (240 - saturation) / 240};
}

Hls FieldPick(QSize size, QPoint point, int lightness)
{
    if (size.width() <= 0 || size.height() <= 0)
        return {0, lightness, 0};
    return {Clamp(point.x() * 240 / size.width(), 0, 240), lightness,
            Clamp((size.height() - point.y()) * 240 / size.height(), 0, 240)};
}

int BarMarkerY(int height, int lightness)
{
    return height * (240 - lightness) / 240;
}

int BarPick(int height, int y)
{
    return height <= 0 ? 0 : Clamp((height - y) * 240 / height, 0, 240);
}
