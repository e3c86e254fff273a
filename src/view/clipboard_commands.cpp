// Copy, Cut and Paste through the system clipboard. A copy offers the
// selection as a selection file under our own type and as a picture; a paste
// takes our items, or else any picture, as one undo step.

#include "view/korvani_view.h"

#include "document/drawing_file.h"
#include "document/korvani_doc.h"
#include "export/image_export.h"
#include "export/svg_export.h"
#include "items/attribute_format.h"
#include "items/group_item.h"
#include "platform/temp_files.h"
#include "view/clipboard_formats.h"
#include "view/view_host.h"

#include <QBuffer>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QTemporaryFile>

#include <algorithm>
#include <cmath>
#include <memory>
#include <unordered_set>

namespace {

// A pasted copy lands this far right and down of items it would cover exactly.
constexpr float PasteOffset = 10.0f;
// A picture beyond this many pixels is left off the clipboard: the items travel anyway.
constexpr qint64 MaxPicturePixels = qint64(16) << 20;

// What this process last put on the clipboard, or last pasted from it: the
// items as they stand in their drawing and where. Item ids are unique in the
// process, so the ids tell whether a drawing still holds them.
struct ClipboardSource
{
    std::uint64_t serial = 0;
    std::vector<std::uint32_t> ids;
    RectF bounds;
};

ClipboardSource& LastSource()
{
    static ClipboardSource source;
    return source;
}

QClipboard* Clipboard()
{
    return QGuiApplication::clipboard();
}

// True when every one of the ids is an item of doc and together they still
// cover the bounds they had.
bool StillInPlace(CKorvaniDoc& doc, const ClipboardSource& source)
{
    if (source.ids.empty())
        return false;
    bool first = true;
    RectF together;
    for (const std::uint32_t id : source.ids) {
        DrawItem* item = doc.FindItemById(id);
        if (!item)
            return false;
        const RectF b = item->Bounds(ModeCommit);
        if (first) {
            together = b;
            first = false;
            continue;
        }
        const float right = std::max(together.Right(), b.Right()), bottom = std::max(together.Bottom(), b.Bottom());
        together.x = std::min(together.x, b.x);
        together.y = std::min(together.y, b.y);
        together.width = right - together.x;
        together.height = bottom - together.y;
    }
    // Measured again, a union may differ from the one kept in the last bits.
    constexpr float slack = 0.01f;
    return std::fabs(together.x - source.bounds.x) < slack && std::fabs(together.y - source.bounds.y) < slack
        && std::fabs(together.Right() - source.bounds.Right()) < slack
        && std::fabs(together.Bottom() - source.bounds.Bottom()) < slack;
}

} // namespace

bool CKorvaniView::CanPaste() const
{
    if (canvas.width < 1)
        return false;
    const QMimeData* mime = Clipboard()->mimeData();
    return mime && (mime->hasFormat(QString::fromLatin1(ItemsMimeType)) || mime->hasImage());
}

bool CKorvaniView::CopySelection()
{
    if (!selection || canvas.width < 1)
        return false;
    std::vector<DrawItem*> units;
    SelectionUnits(units);
    const RectF bounds = selection->Bounds(ModeCommit);

    auto mime = std::make_unique<QMimeData>();
    mime->setData(QString::fromLatin1(ItemsMimeType), QByteArray::fromStdString(SelectionFileText(doc, units, bounds)));

    ClipboardSource& source = LastSource();
    source.serial += 1;
    source.ids.clear();
    for (DrawItem* unit : units)
        source.ids.push_back(unit->Id());
    source.bounds = bounds;
    mime->setData(QString::fromLatin1(SourceMimeType),
                  QByteArray::fromStdString(FormatClipboardSource(
                      {std::int64_t(QCoreApplication::applicationPid()), source.serial, {bounds.x, bounds.y}})));

    // For other programs: the selection alone as SVG and as a picture, on
    // transparent, with one unit of room around it.
    const double left = std::floor(bounds.x) - 1, top = std::floor(bounds.y) - 1;
    const QRectF area(left, top, std::ceil(bounds.Right()) + 1 - left, std::ceil(bounds.Bottom()) + 1 - top);
    const std::unordered_set<const DrawItem*> chosen(units.begin(), units.end());
    const auto isChosen = [&chosen](DrawItem* item) { return chosen.count(item) != 0; };
    mime->setData(QStringLiteral("image/svg+xml"), QByteArray::fromStdString(DrawingSvg(doc, area, 0, isChosen)));
    if (area.width() * area.height() <= double(MaxPicturePixels)) {
        const QImage picture = RenderItems(doc, area, 0, isChosen);
        if (!picture.isNull())
            mime->setImageData(picture);
    }
    Clipboard()->setMimeData(mime.release());
    return true;
}

bool CKorvaniView::CutSelection()
{
    if (!CopySelection())
        return false;
    // The source is leaving the drawing: the paste goes back to where it was.
    DoCommand(CommandDelete);
    return true;
}

bool CKorvaniView::PasteClipboard()
{
    if (canvas.width < 1)
        return false;
    const QMimeData* mime = Clipboard()->mimeData();
    if (!mime)
        return false;
    bool pasted = false;
    if (mime->hasFormat(QString::fromLatin1(ItemsMimeType))) {
        const std::optional<ClipboardSourceInfo> info =
            ParseClipboardSource(mime->data(QString::fromLatin1(SourceMimeType)).toStdString());
        pasted = PasteItems(mime->data(QString::fromLatin1(ItemsMimeType)), info);
    } else if (mime->hasImage()) {
        pasted = PastePicture(qvariant_cast<QImage>(mime->imageData()));
    }
    if (pasted) {
        AfterDocumentChange();
        host.ItemsPanelRebuild(selection);
        SyncSelectionToBars();
        Repaint();
    }
    return pasted;
}

bool CKorvaniView::PasteItems(const QByteArray& text, const std::optional<ClipboardSourceInfo>& info)
{
    ClipboardSource& last = LastSource();
    const bool ours = info && info->pid == std::int64_t(QCoreApplication::applicationPid()) && info->serial == last.serial;
    PointF place = info ? info->topLeft : PointF{};
    if (ours) {
        place = {last.bounds.x, last.bounds.y};
        if (StillInPlace(doc, last))
            place = {place.x + PasteOffset, place.y + PasteOffset};
    }

    // The reader takes a file: the text goes through a private one that is gone afterwards.
    QTemporaryFile file;
    if (!file.open() || file.write(text) != text.size() || !file.flush())
        return false;
    file.close();
    const std::string path = file.fileName().toStdString();
    // Read aside first: text that holds no item must not leave an empty undo step.
    {
        CKorvaniDoc scratch;
        ReadItemsResult probe = ReadItemsFile(scratch, {}, {}, path, 0);
        const bool any = probe.parsed && !probe.items.empty();
        ReleaseReadItems(probe.items);
        if (!any)
            return false;
    }
    const std::uint32_t first = NextItemId;
    if (doc.PushLoadItems(place, place, path, 0) < 0)
        return false;
    const std::uint32_t end = NextItemId;
    std::vector<DrawItem*> pasted;
    for (DrawItem* item : doc.Items()) {
        if (item->Id() - first < end - first)
            pasted.push_back(item);
    }
    SelectPasted(pasted);
    if (ours && selection) {
        // A further paste cascades from this copy.
        last.ids.clear();
        for (DrawItem* item : pasted)
            last.ids.push_back(item->Id());
        last.bounds = selection->Bounds(ModeCommit);
    }
    return true;
}

bool CKorvaniView::PastePicture(const QImage& picture)
{
    if (picture.isNull())
        return false;
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG"))
        return false;
    const std::string working = WriteTempFile(std::size_t(png.size()), png.constData());
    if (working.empty())
        return false;
    // Centred in the window, at one unit per pixel; a box too small to be dragged
    // makes the picture come at its own size.
    const PointF centre = CanvasPoint(clientSize.width() / 2, clientSize.height() / 2);
    const float x = std::round(centre.x - float(picture.width()) / 2);
    const float y = std::round(centre.y - float(picture.height()) / 2);
    AttributeTable attributes;
    attributes[ATTR_CONTENT] = working;
    attributes[ATTR_IMAGE_TYPE] = "png";
    NodeList nodes = {PathNode::AtPoint(x, y, NodeSymmetric), PathNode::AtPoint(x, y, NodeSymmetric)};
    nodes.back().brk = 1;
    const std::uint32_t id = TakeNextItemId();
    if (doc.PushAddItem(ItemImage, id, nodes, attributes) < 0)
        return false;
    SelectPasted({doc.FindItemById(id)});
    return true;
}

void CKorvaniView::SelectPasted(const std::vector<DrawItem*>& pasted)
{
    CancelDrag();
    EmptySelectionGroup();
    selection = nullptr;
    editHitCode = HitMiss;
    selectedNodes.clear();
    // Listed bottom to top and new, they are the group's members as they stand.
    if (pasted.size() == 1) {
        selection = pasted.front();
    } else if (!pasted.empty()) {
        selectionGroup->AddChildren(pasted);
        selection = selectionGroup;
    }
}
