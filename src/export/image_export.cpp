#include "export/image_export.h"

#include "document/korvani_doc.h"
#include "export/chunked_painter.h"
#include "export/occlusion_grid.h"
#include "export/paint_reach.h"
#include "items/draw_item.h"

#include <QImageWriter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// How often the rendering asks its progress, in items.
constexpr std::int64_t ItemsPerStep = 256;

} // namespace

bool InExportSelection(DrawItem* item, DrawItem* selection)
{
    if (item == selection)
        return true;
    if (selection->TypeCode() != ItemGroup || selection->Id() != std::uint32_t(-1))
        return false;
    for (int i = 0; i < selection->ChildCount(); ++i) {
        if (selection->ChildAt(i) == item)
            return true;
    }
    return false;
}

QRectF ExportRect(const CanvasValues& canvas, DrawItem* selection)
{
    const QRectF whole(0, 0, canvas.width, canvas.height);
    if (!selection)
        return whole;
    const RectF b = selection->Bounds(ModeCommit);
    const qreal left = std::max<qreal>(b.x, 0), top = std::max<qreal>(b.y, 0);
    const qreal right = std::min<qreal>(b.Right(), canvas.width), bottom = std::min<qreal>(b.Bottom(), canvas.height);
    return QRectF(left - 1, top - 1, right - left + 2, bottom - top + 2);
}

QImage BackgroundImage(const QRectF& area, ArgbColor background)
{
    // Truncation toward zero; an empty or negative area (a selection wholly
    // off the canvas) gives no image.
    const int width = int(std::trunc(area.width())), height = int(std::trunc(area.height()));
    if (width <= 0 || height <= 0)
        return QImage();
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    if (!image.isNull())
        image.fill(QColor::fromRgba(background));
    return image;
}

bool MarkShownItems(const std::vector<DrawItem*>& items, const QImage& image, QPointF origin,
                    std::vector<char>& shows, const std::function<bool()>& step)
{
    shows.assign(items.size(), 1);
    CoveredItemFilter filter(QTransform::fromTranslate(-origin.x(), -origin.y()), image.rect());
    for (std::size_t i = items.size(); i-- > 0;) {
        if (step && !step())
            return false;
        shows[i] = filter.Shows(*items[i], PaintReach(*items[i], items[i]->Bounds(ModeCommit)));
    }
    return true;
}

QImage RenderItems(const CKorvaniDoc& doc, const QRectF& area, ArgbColor background,
                   const std::function<bool(DrawItem*)>& include, const FileProgress& progress)
{
    QImage image = BackgroundImage(area, background);
    std::vector<DrawItem*> items;
    items.reserve(std::size_t(doc.GetItemCount()));
    for (DrawItem* item : doc.Items()) {
        if (!include || include(item))
            items.push_back(item);
    }
    // Each item is looked at twice: from the top down for whether it shows,
    // then drawn from the bottom up.
    ProgressSteps steps(progress, 2 * std::int64_t(items.size()), ItemsPerStep);
    std::int64_t looked = 0;
    std::vector<char> shows;
    if (!MarkShownItems(items, image, area.topLeft(), shows, [&] { return steps.At(looked++); }))
        return QImage();
    {
        ChunkedPainter painter(image, area.topLeft());
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (!steps.At(looked++))
                return QImage();
            if (shows[i])
                painter.Draw(*items[i]);
        }
        painter.Finish();
    }
    if (!steps.Done())
        return QImage();
    return image;
}

QImage RenderExportImage(const CKorvaniDoc& doc, const CanvasValues& canvas, DrawItem* selection,
                         const FileProgress& progress)
{
    const QRectF area = ExportRect(canvas, selection);
    if (!selection)
        return RenderItems(doc, area, canvas.color, {}, progress);
    return RenderItems(
        doc, area, canvas.color, [selection](DrawItem* item) { return InExportSelection(item, selection); }, progress);
}

bool SaveImage(QImage image, const std::string& path, const std::string& mimeType, std::string* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = why.toStdString();
        return false;
    };
    const QByteArray format = mimeType == "image/jpeg" ? "jpeg" : mimeType == "image/png" ? "png" : QByteArray();
    if (format.isEmpty())
        return fail(QStringLiteral("no encoder for %1").arg(QString::fromStdString(mimeType)));
    if (image.isNull())
        return fail(QStringLiteral("the picture is empty"));

    // The PNG encoder wants straight alpha and would convert a copy.
    if (format == "png" && image.format() == QImage::Format_ARGB32_Premultiplied)
        image.convertTo(QImage::Format_ARGB32);

    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    QImageWriter writer(&file, format);
    writer.setQuality(100);
    if (!writer.write(image)) {
        file.cancelWriting();
        return fail(writer.errorString());
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}
