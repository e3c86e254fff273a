#include "platform/picture_cache.h"

#include "platform/metafile_kind.h"
#include "platform/temp_files.h"

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <atomic>
#include <list>
#include <unordered_map>

namespace {

struct CacheEntry
{
    std::string path;
    FileStamp stamp;
    std::shared_ptr<const Picture> picture; // null: the file holds no picture
    std::size_t bytes = 0;
};

// What an entry costs beside its picture, so that many files that hold no
// picture are bounded too.
constexpr std::size_t EntryOverhead = 256;

// Most recently used first.
struct Cache
{
    std::list<CacheEntry> entries;
    std::unordered_map<std::string, std::list<CacheEntry>::iterator> index;
    std::size_t bytes = 0;
    std::size_t limit = std::size_t(256) << 20;

    void Erase(const std::string& path)
    {
        const auto found = index.find(path);
        if (found == index.end())
            return;
        bytes -= found->second->bytes;
        entries.erase(found->second);
        index.erase(found);
    }

    // Least recently used go first; the newest stays whatever its size.
    void Trim()
    {
        while (bytes > limit && entries.size() > 1)
            Erase(entries.back().path);
    }
};

std::mutex cacheMutex;
Cache cache;
std::atomic<std::uint64_t> decodeCount{0};

bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    const std::unique_ptr<QFile> file = OpenWorkingFile(path);
    if (!file)
        return false;
    bytes.resize(std::size_t(std::max<qint64>(file->size(), 0)));
    qint64 got = 0;
    while (got < qint64(bytes.size())) {
        const qint64 n = file->read(bytes.data() + got, qint64(bytes.size()) - got);
        if (n <= 0)
            break;
        got += n;
    }
    bytes.resize(std::size_t(got));
    return file->error() == QFileDevice::NoError;
}

std::shared_ptr<const Picture> DecodeRaster(const std::string& bytes)
{
    QByteArray data = QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QImage image = reader.read();
    if (image.isNull())
        return nullptr;
    // Drawn often, converted once: the painter's native formats draw fastest.
    image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    return std::make_shared<Picture>(std::move(image));
}

std::shared_ptr<const Picture> DecodeMetafile(const std::string& bytes, MetafileConverter convert)
{
    const std::string svgText = convert(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    if (svgText.empty())
        return nullptr;
    auto renderer = std::make_unique<QSvgRenderer>(QByteArray::fromStdString(svgText));
    if (!renderer->isValid() || renderer->defaultSize().isEmpty())
        return nullptr;
    return std::make_shared<Picture>(std::move(renderer), svgText.size());
}

} // namespace

Picture::Picture(QImage raster)
    : image(std::move(raster)), naturalSize(image.size()), byteSize(std::size_t(image.sizeInBytes()))
{
}

Picture::Picture(std::unique_ptr<QSvgRenderer> vector, std::size_t svgBytes)
    : svg(std::move(vector)), naturalSize(svg->defaultSize()), byteSize(svgBytes)
{
}

Picture::~Picture() = default;

void Picture::Draw(QPainter& painter, const QRectF& target) const
{
    if (svg) {
        std::lock_guard lock(svgMutex);
        svg->render(&painter, target);
    } else {
        painter.drawImage(target, image);
    }
}

std::shared_ptr<const Picture> DecodePicture(const std::string& bytes, MetafileConverter convert)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    if (DetectMetafile(data, bytes.size()) != MetafileKind::None)
        return DecodeMetafile(bytes, convert);
    return DecodeRaster(bytes);
}

std::shared_ptr<const Picture> CachedPicture(const std::string& path)
{
    if (path.empty())
        return nullptr;
    FileStamp stamp;
    if (!StampWorkingFile(path, stamp)) {
        // A deleted file frees its picture.
        std::lock_guard lock(cacheMutex);
        cache.Erase(path);
        return nullptr;
    }

    std::lock_guard lock(cacheMutex);
    const auto found = cache.index.find(path);
    if (found != cache.index.end() && found->second->stamp == stamp) {
        cache.entries.splice(cache.entries.begin(), cache.entries, found->second);
        return found->second->picture;
    }

    static std::once_flag registerCleanup;
    // Drop the pictures while the application still exists.
    std::call_once(registerCleanup, [] { qAddPostRoutine(ClearPictureCache); });

    std::string bytes;
    CacheEntry entry{path, stamp, nullptr, EntryOverhead + path.size()};
    ++decodeCount;
    if (ReadWholeFile(path, bytes))
        entry.picture = DecodePicture(bytes);
    if (entry.picture)
        entry.bytes += entry.picture->ByteSize();
    cache.Erase(path);
    cache.entries.push_front(entry);
    cache.index[path] = cache.entries.begin();
    cache.bytes += entry.bytes;
    cache.Trim();
    return entry.picture;
}

std::uint64_t PictureDecodeCount()
{
    return decodeCount.load();
}

std::size_t SetPictureCacheLimit(std::size_t bytes)
{
    std::lock_guard lock(cacheMutex);
    const std::size_t previous = cache.limit;
    cache.limit = bytes;
    cache.Trim();
    return previous;
}

std::size_t PictureCacheBytes()
{
    std::lock_guard lock(cacheMutex);
    return cache.bytes;
}

void ClearPictureCache()
{
    std::lock_guard lock(cacheMutex);
    cache.entries.clear();
    cache.index.clear();
    cache.bytes = 0;
}
