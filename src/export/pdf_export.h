#pragma once

// The drawing as vectors on a page: a one-page PDF of the canvas size, and
// the painting that printing uses. Items draw with the same painting code as
// the picture export; texts are drawn as text, so a PDF keeps their font.

#include "document/drawing_file.h"

#include <QRectF>
#include <QTransform>

#include <functional>
#include <string>

class CKorvaniDoc;
class DrawItem;
class QPainter;

// Paints `area` of the canvas (background first, then the items `include`
// accepts, all when it is empty) onto painter, whose transform maps canvas
// units to the page.
void PaintDrawingVector(QPainter& painter, const CKorvaniDoc& doc, const QRectF& area, ArgbColor background,
                        const std::function<bool(DrawItem*)>& include = {});

// The transform that shows `area` as large as it fits in `page`, kept in
// proportion and centred; the identity when either is empty.
QTransform FitToPage(const QRectF& area, const QRectF& page);

// Writes a PDF of one page of the canvas size (one point per canvas unit),
// or of the selection's part of it when selection is not null, to path. The
// file is written beside the target and renamed over it when complete. False,
// with error naming the file and the reason, when it cannot be written.
bool ExportPdf(const CKorvaniDoc& doc, const CanvasValues& canvas, DrawItem* selection, const std::string& path,
               std::string* error);
