#pragma once

// Text forms of item attribute values. Everything is formatted and parsed in
// the C locale, whatever the user's locale: 2.5 is always "2.5000".
// Parsing is forgiving in the way of the C conversions (leading blanks, a
// number prefix, garbage reads as 0) and never yields NaN or infinity.

#include "items/geometry.h"

#include <cstdint>
#include <string>
#include <string_view>

std::string FormatInt(std::int64_t value);                 // "%d"
std::string FormatFixed(double value, int decimals);        // "%.Nf"
std::string FormatFloatAttr(float value);                   // "%.4lf"
std::string FormatColorAttr(ArgbColor color);               // "%03d-%03d-%03d-%03d" a-r-g-b
std::string FormatPointAttr(PointF point);                  // "%.2f|%.2f"

// Appending forms for writers that build long texts.
void AppendFixed(std::string& out, double value, int decimals);
void AppendInt(std::string& out, std::int64_t value);

std::int32_t ParseIntText(std::string_view text);
double ParseDoubleText(std::string_view text);
float ParseFloatText(std::string_view text);
ArgbColor ParseColorText(std::string_view text);
PointF ParsePointText(std::string_view text);
