// The Print command: the host picks the printer; the view hands it the
// canvas, painted as vectors and fitted to each page.

#include "view/korvani_view.h"

#include "document/korvani_doc.h"
#include "export/pdf_export.h"
#include "view/view_host.h"

#include <QFileInfo>
#include <QPainter>

void CKorvaniView::PrintCommand()
{
    if (canvas.width <= 0 || canvas.height <= 0)
        return;
    const CanvasValues values{canvas.width, canvas.height, canvas.color};
    PrintJob job;
    job.title = currentFilePath.empty() ? std::string("Korvani")
                                        : QFileInfo(QString::fromStdString(currentFilePath)).fileName().toStdString();
    job.size = QSizeF(values.width, values.height);
    job.paint = [this, values](QPainter& painter, const QRectF& page) {
        const QRectF area(0, 0, values.width, values.height);
        painter.save();
        painter.setTransform(FitToPage(area, page), true);
        PaintDrawingVector(painter, doc, area, values.color);
        painter.restore();
    };
    const PrintOutcome outcome = host.Print(job);
    if (!outcome.printed && !outcome.error.empty())
        ShowFileError(job.title, outcome.error);
}
