#include "document/drawing_file.h"

#include "document/item_ref.h"
#include "document/korvani_doc.h"
#include "items/attribute_format.h"
#include "items/group_item.h"
#include "items/image_item.h"
#include "items/item_factory.h"
#include "items/item_xml_format.h"
#include "xml/xml_reader.h"

#include <QFile>
#include <QSaveFile>
#include <QString>

#include <cmath>
#include <memory>
#include <string_view>
#include <unordered_set>

namespace {

constexpr std::int32_t GuideSectionType = 118;
constexpr std::string_view RootStart = "<plimsa version=\"2.0.0.1\" type=\"";
constexpr std::string_view RootEnd = "</plimsa>";
// How often long work asks its progress: in items written, in bytes read.
constexpr std::int64_t ItemsPerStep = 256;
constexpr std::int64_t BytesPerStep = 64 * 1024;

void AppendLineEnd(std::string& out)
{
    out += XmlLineEnd;
}

std::size_t EstimatedItemsSize(const CKorvaniDoc& doc)
{
    std::size_t size = 256;
    for (const DrawItem* item : doc.Items())
        size += EstimatedElementSize(*item);
    return size;
}

void AppendGuideSection(std::string& out, const CKorvaniDoc& doc)
{
    if (doc.GetGuideCount() == 0)
        return;
    out += "<item type=\"";
    AppendInt(out, GuideSectionType);
    out += "\">";
    AppendLineEnd(out);
    for (int i = 0; i < doc.GetGuideCount(); ++i) {
        GuideLine guide;
        doc.GetGuide(i, guide);
        out += "<point type=\"";
        AppendInt(out, std::int32_t(guide.orientation));
        out += "\" value=\"";
        AppendFixed(out, guide.position, 2);
        out += "\"></point>";
        AppendLineEnd(out);
    }
    out += "</item>";
    AppendLineEnd(out);
}

// The element of item as if it were moved by (dx, dy). A group writes nothing
// of its own, so only its leaves are copied; each copy is moved and written.
void AppendMovedElement(std::string& out, DrawItem& item, float dx, float dy)
{
    if (item.TypeCode() == ItemGroup) {
        AppendGroupOpening(out, item);
        for (std::int32_t i = 0; i < item.ChildCount(); ++i) {
            if (DrawItem* child = item.ChildAt(i))
                AppendMovedElement(out, *child, dx, dy);
        }
        AppendItemClosing(out);
        return;
    }
    const std::unique_ptr<DrawItem> copy = CreateOwnedItem(item.TypeCode(), item.Id());
    if (!copy)
        return;
    copy->CopyFrom(item);
    // A copy keeps its own hidden and locked flags; the item's are the ones to write.
    for (std::int32_t attr : {ATTR_HIDDEN, ATTR_LOCKED}) {
        const auto found = item.Attributes().find(attr);
        if (found != item.Attributes().end())
            copy->SetTextAttr(attr, found->second);
    }
    copy->Translate(dx, dy, ModeCommit);
    copy->WriteXml(out);
}

std::string FileError(std::string_view what, const std::string& path, const QString& reason)
{
    std::string message(what);
    message += ' ';
    message += path;
    message += ": ";
    message += reason.toStdString();
    return message;
}

// Moves a read item to start and, for a dragged rectangle, scales it into it
// as dragging its bottom-right handle to end would.
void PlaceItem(DrawItem& item, PointF start, PointF end)
{
    item.Translate(start.x, start.y, ModeCommit);
    if (!(std::fabs(start.x - end.x) > 5.0f && std::fabs(start.y - end.y) > 5.0f))
        return;
    const HandleScale scale = ScaleForHandle(HitBottomRight, item.Bounds(ModeCommit), end, false);
    // A zero factor would flatten the items for good; such a drag places them unscaled.
    if (scale.sx == 0 || scale.sy == 0)
        return;
    item.ScaleAbout(scale.fixed.x, scale.fixed.y, scale.sx, scale.sy, ModeCommit);
}

void ReadCanvasValues(CKorvaniDoc& doc, const XmlNode& root)
{
    const std::string* width = root.GetAttributeValue("width");
    const std::string* height = root.GetAttributeValue("height");
    doc.SetCanvasWidth(width ? ParseIntText(*width) : 0);
    doc.SetCanvasHeight(height ? ParseIntText(*height) : 0);
    int parts[3] = {0, 0, 0};
    if (const std::string* color = root.GetAttributeValue("color")) {
        for (int k = 0; k < 3; ++k) {
            const std::size_t at = std::size_t(k) * 4;
            if (at < color->size())
                parts[k] = ParseIntText(std::string_view(*color).substr(at, 3)) & 0xFF;
        }
    }
    doc.SetCanvasColor(std::uint32_t(parts[0]) << 16 | std::uint32_t(parts[1]) << 8 | std::uint32_t(parts[2]));
}

void ReadGuideSection(std::vector<GuideLine>& guides, const XmlNode& section)
{
    for (const auto& point : section.children) {
        if (point->name != "point")
            continue;
        const std::string* type = point->GetAttributeValue("type");
        const std::string* value = point->GetAttributeValue("value");
        GuideLine guide;
        guide.orientation = std::uint32_t(type ? ParseIntText(*type) : 0);
        guide.position = value ? ParseFloatText(*value) : 0.0f;
        guides.push_back(guide);
    }
}

bool IsDrawingRoot(const XmlNode& root)
{
    const std::string* type = root.GetAttributeValue("type");
    return type && (*type == "items" || *type == "canvas");
}

// Reads a guide section into guides, or makes the item of an element (null
// for an unknown type, which spends no item id).
DrawItem* ReadChild(const XmlNode& child, std::vector<GuideLine>& guides, bool keepOutlines)
{
    const std::string* childType = child.GetAttributeValue("type");
    const std::int32_t code = childType ? ParseIntText(*childType) : 0;
    if (code == GuideSectionType) {
        ReadGuideSection(guides, child);
        return nullptr;
    }
    DrawItem* item = CreateItem(code, NextItemId);
    if (!item)
        return nullptr;
    TakeNextItemId();
    item->ReadXml(child);
    if (!keepOutlines)
        item->ForgetOutlines();
    return item;
}

void AddReadItem(ReadItemsResult& result, DrawItem* item, PointF start, PointF end)
{
    PlaceItem(*item, start, end);
    item->AddRef();
    result.items.push_back(item);
}

// The whole content in one piece of exactly the file's size (reading in
// growing steps can hold half as much again).
bool ReadWholeFile(QFile& file, QByteArray& bytes)
{
    const qint64 size = file.size();
    if (size > 0) {
        bytes = QByteArray(size, Qt::Uninitialized);
        const qint64 got = file.read(bytes.data(), size);
        if (got < 0)
            return false;
        bytes.truncate(got);
    }
    if (!file.atEnd())
        bytes += file.readAll(); // what the size did not tell: a growing file, a device
    return file.error() == QFileDevice::NoError;
}

// Deletes an item that nobody holds, and whatever inside it nobody holds.
void DeleteUnheld(DrawItem* item)
{
    if (item->TypeCode() == ItemGroup) {
        std::vector<DrawItem*> inside;
        for (std::int32_t i = 0; i < item->ChildCount(); ++i)
            inside.push_back(item->ChildAt(i));
        item->ReleaseChildren();
        for (DrawItem* child : inside) {
            if (child && child->RefCount() == 0)
                DeleteUnheld(child);
        }
    }
    delete item;
}

} // namespace

std::string DrawingFileText(const CKorvaniDoc& doc, const CanvasValues& canvas, const FileProgress& progress)
{
    std::string out;
    out.reserve(EstimatedItemsSize(doc) + std::size_t(doc.GetGuideCount()) * 48);
    out += RootStart;
    out += "canvas\" width=\"";
    AppendInt(out, canvas.width);
    out += "\" height=\"";
    AppendInt(out, canvas.height);
    out += "\" color=\"";
    out += FormatColorAttr(canvas.color).substr(4); // red-green-blue of alpha-red-green-blue
    out += "\">";
    AppendLineEnd(out);
    AppendGuideSection(out, doc);
    ProgressSteps steps(progress, std::int64_t(doc.GetItemCount()), ItemsPerStep);
    std::int64_t written = 0;
    for (DrawItem* item : doc.Items()) {
        if (!steps.At(written++))
            return {};
        item->WriteXml(out);
    }
    if (!steps.Done())
        return {};
    out += RootEnd;
    AppendLineEnd(out);
    return out;
}

std::string SelectionFileText(const CKorvaniDoc& doc, const std::vector<DrawItem*>& selected,
                              const RectF& selectionBounds, const FileProgress& progress)
{
    const std::unordered_set<const DrawItem*> members(selected.begin(), selected.end());
    std::string out;
    out.reserve(EstimatedItemsSize(doc));
    out += RootStart;
    out += "items\">";
    AppendLineEnd(out);
    ProgressSteps steps(progress, std::int64_t(doc.GetItemCount()), ItemsPerStep);
    std::int64_t looked = 0;
    for (DrawItem* item : doc.Items()) {
        if (!steps.At(looked++))
            return {};
        if (members.count(item) != 0)
            AppendMovedElement(out, *item, -selectionBounds.x, -selectionBounds.y);
    }
    if (!steps.Done())
        return {};
    out += RootEnd;
    AppendLineEnd(out);
    return out;
}

FileWriteResult SaveTextFile(const std::string& path, const std::string& text)
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return {false, FileError("Cannot save", path, file.errorString())};
    if (file.write(text.data(), qint64(text.size())) != qint64(text.size())) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, FileError("Cannot save", path, reason)};
    }
    if (!file.commit())
        return {false, FileError("Cannot save", path, file.errorString())};
    return {true, {}};
}

namespace {

// A picture whose bytes cannot be read fails the save, named, instead of
// leaving the saved drawing without it.
template <class BuildText>
FileWriteResult SaveItemsText(const std::string& path, BuildText build)
{
    const UnreadablePictures unreadable;
    const std::string text = build();
    if (text.empty()) {
        FileWriteResult stopped;
        stopped.cancelled = true;
        return stopped;
    }
    if (!unreadable.Paths().empty())
        return {false, FileError("Cannot save", path,
                                 "cannot read the picture " + QString::fromStdString(unreadable.Paths().front()))};
    return SaveTextFile(path, text);
}

} // namespace

FileWriteResult WriteDrawingFile(const std::string& path, const CKorvaniDoc& doc, const CanvasValues& canvas,
                                 const FileProgress& progress)
{
    return SaveItemsText(path, [&] { return DrawingFileText(doc, canvas, progress); });
}

FileWriteResult WriteSelectionFile(const std::string& path, const CKorvaniDoc& doc,
                                   const std::vector<DrawItem*>& selected, const RectF& selectionBounds,
                                   const FileProgress& progress)
{
    return SaveItemsText(path, [&] { return SelectionFileText(doc, selected, selectionBounds, progress); });
}

ReadItemsResult ReadItemsFile(CKorvaniDoc& doc, PointF start, PointF end, const std::string& path, int mode,
                              bool keepOutlines, const FileProgress& progress)
{
    ReadItemsResult result;
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return {{}, false, false, FileError("Cannot open", path, file.errorString())};
    QByteArray bytes;
    if (!ReadWholeFile(file, bytes))
        return {{}, false, false, FileError("Cannot read", path, file.errorString())};
    file.close();
    result.opened = true;

    // A zero byte ends the text.
    std::string_view text(bytes.constData(), std::size_t(bytes.size()));
    text = text.substr(0, text.find('\0'));
    // An import parses first and makes its items afterwards: each is half of the way.
    const std::int64_t total = std::int64_t(text.size());
    const std::int64_t parseShare = mode == 1 ? total / 2 : total;
    ProgressSteps steps(progress, total, BytesPerStep);
    const std::uint32_t firstId = NextItemId;
    auto stopped = [&] {
        ReleaseReadItems(result.items);
        NextItemId = firstId;
        result.cancelled = true;
        return std::move(result);
    };
    bool stop = false;

    // An open drawing turns each element into its item as soon as it is read,
    // so that the file's whole tree is never held; an import keeps the
    // elements, since whether they are collected into a group depends on how
    // many there are.
    XmlNode root;
    std::vector<std::unique_ptr<XmlNode>> kept;
    std::vector<GuideLine> guides;
    int elements = 0;
    auto takeChild = [&](std::unique_ptr<XmlNode> child, std::size_t consumed) {
        ++elements;
        if (!IsDrawingRoot(root))
            return true;
        if (mode == 1)
            kept.push_back(std::move(child));
        else if (DrawItem* item = ReadChild(*child, guides, keepOutlines))
            AddReadItem(result, item, start, end);
        stop = !steps.At(total == 0 ? 0 : std::int64_t(consumed) * parseShare / total);
        return !stop;
    };
    // Options of this read alone: a parse error describes this file, not the
    // first file that ever failed.
    XmlParseOptions options;
    if (!root.Load(text, options, takeChild)) {
        if (stop)
            return stopped();
        ReleaseReadItems(result.items);
        NextItemId = firstId;
        result.errorMessage = options.errorOccurred ? options.errorMessage : "no element found";
        return result;
    }
    result.parsed = true;
    if (!IsDrawingRoot(root))
        return result;

    // Comments and CDATA sections directly inside the root count as elements here.
    const int count = elements + root.GetChildCount();
    DrawItem* collector = nullptr;
    if (count > 1 && mode == 1)
        collector = CreateItem(ItemGroup, TakeNextItemId());
    std::vector<DrawItem*> collected;
    // Nobody holds the collected items yet.
    auto discardCollected = [&] {
        for (DrawItem* item : collected)
            DeleteUnheld(item);
        if (collector)
            DeleteUnheld(collector);
        return stopped();
    };
    const std::int64_t keptCount = std::int64_t(kept.size());
    for (std::int64_t i = 0; i < keptCount; ++i) {
        if (!steps.At(parseShare + (total - parseShare) * i / keptCount))
            return discardCollected();
        DrawItem* item = ReadChild(*kept[std::size_t(i)], guides, keepOutlines);
        if (item && collector)
            collected.push_back(item);
        else if (item)
            AddReadItem(result, item, start, end);
    }
    if (!steps.Done())
        return discardCollected();
    // The document changes only once the read can no longer be stopped.
    if (*root.GetAttributeValue("type") == "canvas")
        ReadCanvasValues(doc, root);
    for (const GuideLine& guide : guides)
        doc.AddGuide(guide);
    // A drawing nested as deep as a file can hold comes in uncollected: one
    // more group around it could not be saved and opened again.
    if (collector && GroupDepth(collected) >= MaxGroupDepth) {
        for (DrawItem* item : collected)
            AddReadItem(result, item, start, end);
        DeleteUnheld(collector);
        collector = nullptr;
    }
    if (collector) {
        static_cast<GroupItem*>(collector)->AddChildren(collected);
        AddReadItem(result, collector, start, end);
    }
    return result;
}

void ReleaseReadItems(std::vector<DrawItem*>& items)
{
    for (DrawItem* item : items) {
        if (!item)
            continue;
        if (item->RefCount() == 1 && item->TypeCode() == ItemGroup) {
            item->AddRef(); // keeps it while its members go
            std::vector<DrawItem*> inside;
            for (std::int32_t i = 0; i < item->ChildCount(); ++i)
                inside.push_back(item->ChildAt(i));
            item->ReleaseChildren();
            for (DrawItem* child : inside) {
                if (child && child->RefCount() == 0)
                    DeleteUnheld(child);
            }
            item->Release();
        }
        item->Release();
    }
    items.clear();
}
