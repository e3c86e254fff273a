#pragma once

// Decoded pictures of image items. Each working file is decoded once and the
// picture kept, keyed by its path; the file's size and modification time are
// part of the key, so a file written anew is decoded again. What is kept is
// bounded: past the limit the least recently used pictures go first.

#include "platform/metafile_process.h"

#include <QImage>
#include <QSizeF>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

class QPainter;
class QRectF;
class QSvgRenderer;

// One decoded picture: a raster image, or a metafile held as vector SVG.
class Picture
{
public:
    explicit Picture(QImage raster);
    // svgBytes: the length of the SVG text, a measure of what the renderer holds.
    Picture(std::unique_ptr<QSvgRenderer> vector, std::size_t svgBytes);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // Pixels of a raster; the SVG's default size of a metafile.
    QSizeF NaturalSize() const { return naturalSize; }
    bool IsVector() const { return svg != nullptr; }
    // Roughly what the picture holds in memory.
    std::size_t ByteSize() const { return byteSize; }
    // Draws the whole picture into target, under the painter's transform.
    void Draw(QPainter& painter, const QRectF& target) const;

private:
    QImage image;
    std::unique_ptr<QSvgRenderer> svg;
    QSizeF naturalSize;
    std::size_t byteSize = 0;
    // A renderer keeps state while it renders; bands may draw in parallel.
    mutable std::mutex svgMutex;
};

// Turns a metafile's bytes into SVG text; empty when it cannot.
using MetafileConverter = std::string (*)(const unsigned char* data, std::size_t size);

// Decodes the bytes of a picture file: metafiles by their header, converted
// by `convert`, everything else through Qt's image readers (by content,
// working files have no suffix). nullptr when the bytes are no picture.
std::shared_ptr<const Picture> DecodePicture(const std::string& bytes,
                                             MetafileConverter convert = ConvertMetafileInChild);

// The picture in the file at path (UTF-8), read through OpenWorkingFile,
// decoded on first use and kept. nullptr when the file is missing or holds
// no decodable picture.
std::shared_ptr<const Picture> CachedPicture(const std::string& path);

// How many files the cache has read and decoded since the start.
std::uint64_t PictureDecodeCount();

// The bound on the bytes of kept pictures (256 MB to begin with); gives the
// previous one. The picture in use is kept even when it alone is larger.
std::size_t SetPictureCacheLimit(std::size_t bytes);
// The bytes of the pictures kept now.
std::size_t PictureCacheBytes();

// Forgets every kept picture: the drawing that used them is gone.
void ClearPictureCache();
