#pragma once

// The colour chooser's arithmetic, kept apart from its widgets: an integer
// hue-lightness-saturation model on 0..240 scales, the hexadecimal box's
// editing rule, and the mapping between the field and bar and their values.

#include <QPoint>
#include <QSize>

#include <string>

struct Rgb
{
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Hls
{
    int hue = 0; // 0 and 240 are both red
    int lightness = 0;
    int saturation = 0;
    friend bool operator==(const Hls&, const Hls&) = default;
};

Hls RgbToHls(Rgb rgb);
Rgb HlsToRgb(Hls hls);

// "#" and six upper-case hexadecimal digits.
std::string HexText(Rgb rgb);

// The hexadecimal box after an edit: what it shows, where the caret stays,
// and whether a character had to be replaced (the box beeps then).
struct HexEdit
{
    std::string text;
    int caret = 0;
    bool beep = false;
};

// `edited` is the box's text after the user's edit, `caret` the caret after
// it, `stored` the text before. A character typed at the caret replaces the
// one that was there, so a digit can be typed over; any other edit is taken
// whole. The first character is always "#", and a position that is not a
// hexadecimal digit becomes "0". Edits with the caret past the eighth
// character are not taken (the stored text comes back).
HexEdit ApplyHexEdit(const std::string& stored, const std::string& edited, int caret);

// The digits read in pairs as red, green and blue; reading stops at the first
// pair that is not hexadecimal, and the channels not read are 0.
Rgb ParseHexText(const std::string& text);

// The field shows hue left to right and saturation from bottom (grey) to top;
// the bar shows lightness from bottom (black) to top (white).
QPoint FieldMarker(QSize size, int hue, int saturation);
// Hue and saturation under a point of the field, each held to 0..240.
Hls FieldPick(QSize size, QPoint point, int lightness);
int BarMarkerY(int height, int lightness);
int BarPick(int height, int y);
