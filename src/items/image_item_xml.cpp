// The picture's item element: the opening line carries every byte of the
// working file as hex, so that a drawing file stands on its own.

#include "items/image_item.h"
#include "items/item_xml_format.h"
#include "platform/temp_files.h"
#include "xml/xml_reader.h"

#include <QtDebug>

#include <memory>
#include <vector>

namespace {

thread_local UnreadablePictures* innermostCollector = nullptr;

// Appends the file's bytes as hex, read in pieces so that a large picture is
// never held twice in memory. False when they cannot all be read.
bool AppendFileHex(std::string& out, const std::string& path)
{
    const std::unique_ptr<QFile> file = OpenWorkingFile(path);
    if (!file)
        return false;
    const qint64 size = file->size();
    if (size > 0)
        ReserveForAppend(out, 2 * std::size_t(size) + 4096);
    std::vector<unsigned char> piece(std::size_t(1) << 20);
    qint64 total = 0;
    for (;;) {
        const qint64 n = file->read(reinterpret_cast<char*>(piece.data()), qint64(piece.size()));
        if (n < 0)
            return false;
        if (n == 0)
            break;
        AppendHexUpper(out, piece.data(), std::size_t(n));
        total += n;
    }
    // Shorter than it was when opened: cut under our feet.
    return total >= size && file->error() == QFileDevice::NoError;
}

} // namespace

UnreadablePictures::UnreadablePictures() : outer(innermostCollector)
{
    innermostCollector = this;
}

UnreadablePictures::~UnreadablePictures()
{
    innermostCollector = outer;
}

void UnreadablePictures::Note(const std::string& path)
{
    if (innermostCollector)
        innermostCollector->paths.push_back(path);
}

void ImageItem::WriteXml(std::string& out)
{
    const std::string& picture = WorkingFile();
    ReserveForAppend(out, EstimatedElementSize(*this));
    AppendItemOpening(out, *this);
    for (const auto& [attr, value] : Attributes()) {
        if (attr != ATTR_CONTENT)
            AppendAttributePart(out, attr, value);
    }
    AppendMatrixPart(out, GetMatrix());
    out += "  imgsrc=\"";
    if (!picture.empty() && !AppendFileHex(out, picture))
        UnreadablePictures::Note(picture);
    out += "\">";
    out += XmlLineEnd;
    AppendNodeLines(out, Nodes());
    AppendItemClosing(out);
}

void ImageItem::ReadXml(const XmlNode& element)
{
    DrawItem::ReadXml(element);
    // The working file comes from the embedded bytes only: a path written in
    // the file would make the picture show (and a later save embed) a file
    // that the drawing does not own.
    RestoreAttr(ATTR_CONTENT, nullptr);
    const std::string* hex = element.GetAttributeValue("imgsrc");
    if (!hex)
        return;
    const std::size_t capacity = hex->size() / 2;
    const auto bytes = std::make_unique_for_overwrite<unsigned char[]>(capacity > 0 ? capacity : 1);
    const std::size_t count = DecodeHexPrefix(*hex, bytes.get());
    const std::string path = WriteTempFile(count, bytes.get());
    if (!path.empty())
        StoreAttr(ATTR_CONTENT, path);
    else
        qWarning("A picture of %zu bytes could not be kept in a working file; it is left out", count);
}
