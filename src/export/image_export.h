#pragma once

// Raster export: the drawing at one pixel per canvas unit, background first,
// then every item bottom-most first, saved through Qt's codecs at quality 100.

#include "document/drawing_file.h"
#include "items/geometry.h"

#include <QImage>
#include <QRectF>

#include <functional>
#include <string>
#include <vector>

class CKorvaniDoc;
class DrawItem;

// Whether a top-level item belongs to the selection an export is limited to:
// the selected item itself, or a member of the selection group.
bool InExportSelection(DrawItem* item, DrawItem* selection);

// The export rectangle: the whole canvas, or the selection's committed bounds
// clipped to the canvas and grown by one unit on every side.
QRectF ExportRect(const CanvasValues& canvas, DrawItem* selection);

// An image of the size of area (truncated, as a bitmap's size is taken)
// filled with background; null when area holds no pixel.
QImage BackgroundImage(const QRectF& area, ArgbColor background);

// Which of items (bottom to top) a picture whose top-left pixel shows the
// canvas point origin needs drawn: those that touch its pixels and are not
// wholly under the opaque boxes of items above them (see OcclusionGrid).
// step is asked once per item, from the top down; false stops the walk and
// answers false.
bool MarkShownItems(const std::vector<DrawItem*>& items, const QImage& image, QPointF origin,
                    std::vector<char>& shows, const std::function<bool()>& step = {});

// Renders the items of doc for which `include` answers true (all when it is
// empty) into an image covering `area`, filled with `background` first.
// Progress counts two looks at each item drawn; a null image when it stopped.
QImage RenderItems(const CKorvaniDoc& doc, const QRectF& area, ArgbColor background,
                   const std::function<bool(DrawItem*)>& include = {}, const FileProgress& progress = {});

// The picture of an export: the whole canvas, or only the items of the
// selection (an item or the selection group) when selection is not null.
QImage RenderExportImage(const CKorvaniDoc& doc, const CanvasValues& canvas, DrawItem* selection,
                         const FileProgress& progress = {});

// Saves image as "image/jpeg" or "image/png" at quality 100. The file is
// written beside the target and renamed over it when complete, so a failed
// save leaves any previous file as it was. On failure, error says why. An
// image handed over with std::move is converted for the encoder in place.
bool SaveImage(QImage image, const std::string& path, const std::string& mimeType, std::string* error);
