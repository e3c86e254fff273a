#include "export/pdf_export.h"

#include "document/korvani_doc.h"
#include "export/image_export.h"
#include "export/paint_capture.h"
#include "items/group_item.h"
#include "items/text_item.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

namespace {

bool Paints(const QBrush& brush)
{
    return brush.style() != Qt::NoBrush && !(brush.style() == Qt::SolidPattern && brush.color().alpha() == 0);
}

class VectorPainter
{
public:
    explicit VectorPainter(QPainter& painter) : painter(painter) {}

    void Item(DrawItem& item)
    {
        if (item.IsHidden())
            return;
        if (auto* group = dynamic_cast<GroupItem*>(&item)) {
            for (std::int32_t i = 0; i < group->ChildCount(); ++i) {
                if (DrawItem* child = group->ChildAt(i))
                    Item(*child);
            }
        } else if (auto* text = dynamic_cast<TextItem*>(&item)) {
            Text(*text);
        } else {
            item.Draw(painter);
        }
    }

private:
    // The glyphs' fill as text in the item's font, their outline (if any)
    // as the outline the item strokes.
    void Text(TextItem& item)
    {
        capture.Clear();
        item.Draw(capture.Painter());
        const TextItem::Layout layout = item.LayOutLines();
        const QTransform space = item.GetMatrix().ToQTransform();
        for (const CapturedCall& call : capture.Calls()) {
            painter.save();
            painter.setOpacity(painter.opacity() * call.opacity);
            if (Paints(call.brush)) {
                QBrush brush = call.brush;
                brush.setTransform(brush.transform() * call.transform * space.inverted());
                painter.setTransform(space, true);
                painter.setFont(layout.font);
                painter.setPen(QPen(brush, 0));
                for (const TextItem::Line& line : layout.lines)
                    painter.drawText(line.baseline, line.text);
            } else if (call.pen.style() != Qt::NoPen && Paints(call.pen.brush())) {
                painter.setTransform(call.transform, true);
                painter.strokePath(call.path, call.pen);
            }
            painter.restore();
        }
    }

    QPainter& painter;
    PaintCapture capture;
};

// The writer stamps the time of writing into the document information;
// blanked out (same length, so every offset stays right) the same drawing
// always gives the same bytes.
void DropCreationDate(QByteArray& pdf)
{
    const qsizetype start = pdf.indexOf("/CreationDate (");
    const qsizetype end = start < 0 ? -1 : pdf.indexOf(')', start);
    if (end > start)
        pdf.replace(start, end + 1 - start, QByteArray(end + 1 - start, ' '));
}

} // namespace

void PaintDrawingVector(QPainter& painter, const CKorvaniDoc& doc, const QRectF& area, ArgbColor background,
                        const std::function<bool(DrawItem*)>& include)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(area, Qt::IntersectClip);
    painter.fillRect(area, QColor::fromRgba(background));
    VectorPainter items(painter);
    for (DrawItem* item : doc.Items()) {
        if (item && (!include || include(item)))
            items.Item(*item);
    }
    painter.restore();
}

QTransform FitToPage(const QRectF& area, const QRectF& page)
{
    if (area.isEmpty() || page.isEmpty())
        return QTransform();
    const qreal scale = std::min(page.width() / area.width(), page.height() / area.height());
    QTransform t;
    t.translate(page.center().x(), page.center().y());
    t.scale(scale, scale);
    t.translate(-area.center().x(), -area.center().y());
    return t;
}

bool ExportPdf(const CKorvaniDoc& doc, const CanvasValues& canvas, DrawItem* selection, const std::string& path,
               std::string* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = path + ": " + why.toStdString();
        return false;
    };
    const QRectF area = ExportRect(canvas, selection);
    if (area.isEmpty())
        return fail(QStringLiteral("the drawing has no canvas to export"));
    QByteArray bytes;
    {
        // One point per canvas unit, the page exactly the area.
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Korvani"));
        writer.setResolution(72);
        writer.setPageLayout(QPageLayout(QPageSize(area.size(), QPageSize::Point, QString(), QPageSize::ExactMatch),
                                         QPageLayout::Portrait, QMarginsF()));
        QPainter painter;
        if (!painter.begin(&writer))
            return fail(QStringLiteral("the PDF could not be started"));
        painter.translate(-area.topLeft());
        PaintDrawingVector(painter, doc, area, canvas.color,
                           selection ? std::function<bool(DrawItem*)>(
                                           [selection](DrawItem* item) { return InExportSelection(item, selection); })
                                     : std::function<bool(DrawItem*)>());
        painter.end();
    }
    DropCreationDate(bytes);

    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return fail(file.errorString());
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}
