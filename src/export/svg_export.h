#pragma once

// The drawing as an SVG 1.1 file: the canvas as the background rectangle,
// every shown item as the elements that draw it as Korvani does, groups as
// <g>, texts as text (one tspan a line, placed as the lines are laid out) and
// pictures embedded as PNG.

#include "document/drawing_file.h"

#include <QRectF>

#include <functional>
#include <string>

class CKorvaniDoc;
class DrawItem;

// The SVG text of the items of doc that `include` accepts (all when it is
// empty) over `area` of the canvas, filled with background first.
std::string DrawingSvg(const CKorvaniDoc& doc, const QRectF& area, ArgbColor background,
                       const std::function<bool(DrawItem*)>& include = {});

// Writes the SVG of the whole canvas, or of the selection's part of it (as the
// picture export takes it) when selection is not null, to path. The file is
// written beside the target and renamed over it when complete. False, with
// error naming the file and the reason, when it cannot be written.
bool ExportSvg(const CKorvaniDoc& doc, const CanvasValues& canvas, DrawItem* selection, const std::string& path,
               std::string* error);
