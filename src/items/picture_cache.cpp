#include "items/picture_cache.h"

#include "items/metafile_converter.h"

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unordered_map>

namespace {

struct CacheEntry
{
    std::uintmax_t fileSize = 0;
    std::filesystem::file_time_type modified;
    std::shared_ptr<const Picture> picture; // null: the file holds no picture
};

std::mutex cacheMutex;
std::unordered_map<std::string, CacheEntry> cache;
std::atomic<std::uint64_t> decodeCount{0};

bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
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

std::shared_ptr<const Picture> DecodeMetafile(const std::string& bytes)
{
    const std::string svgText = MetafileToSvg(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    if (svgText.empty())
        return nullptr;
    auto renderer = std::make_unique<QSvgRenderer>(QByteArray::fromStdString(svgText));
    if (!renderer->isValid() || renderer->defaultSize().isEmpty())
        return nullptr;
    return std::make_shared<Picture>(std::move(renderer));
}

} // namespace

Picture::Picture(QImage raster) : image(std::move(raster)), naturalSize(image.size()) {}

Picture::Picture(std::unique_ptr<QSvgRenderer> vector) : svg(std::move(vector)), naturalSize(svg->defaultSize()) {}

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

std::shared_ptr<const Picture> DecodePicture(const std::string& bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    if (DetectMetafile(data, bytes.size()) != MetafileKind::None)
        return DecodeMetafile(bytes);
    return DecodeRaster(bytes);
}

std::shared_ptr<const Picture> CachedPicture(const std::string& path)
{
    if (path.empty())
        return nullptr;
    std::error_code error;
    const std::filesystem::directory_entry file(std::filesystem::path(path), error);
    if (error || !file.is_regular_file(error)) {
        // A deleted working file frees its picture.
        std::lock_guard lock(cacheMutex);
        cache.erase(path);
        return nullptr;
    }
    const std::uintmax_t fileSize = file.file_size(error);
    const auto modified = file.last_write_time(error);
    if (error)
        return nullptr;

    std::lock_guard lock(cacheMutex);
    const auto found = cache.find(path);
    if (found != cache.end() && found->second.fileSize == fileSize && found->second.modified == modified)
        return found->second.picture;

    static std::once_flag registerCleanup;
    // Drop the pictures while the application still exists.
    std::call_once(registerCleanup, [] { qAddPostRoutine(ClearPictureCache); });

    std::string bytes;
    CacheEntry entry{fileSize, modified, nullptr};
    ++decodeCount;
    if (ReadWholeFile(path, bytes))
        entry.picture = DecodePicture(bytes);
    cache[path] = entry;
    return entry.picture;
}

std::uint64_t PictureDecodeCount()
{
    return decodeCount.load();
}

void ClearPictureCache()
{
    std::lock_guard lock(cacheMutex);
    cache.clear();
}
