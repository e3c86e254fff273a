#pragma once

// Decoded pictures of image items. Each working file is decoded once and the
// picture kept, keyed by its path; the file's size and modification time are
// part of the key, so a file written anew is decoded again.

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
    explicit Picture(std::unique_ptr<QSvgRenderer> vector);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // Pixels of a raster; the SVG's default size of a metafile.
    QSizeF NaturalSize() const { return naturalSize; }
    bool IsVector() const { return svg != nullptr; }
    // Draws the whole picture into target, under the painter's transform.
    void Draw(QPainter& painter, const QRectF& target) const;

private:
    QImage image;
    std::unique_ptr<QSvgRenderer> svg;
    QSizeF naturalSize;
    // A renderer keeps state while it renders; bands may draw in parallel.
    mutable std::mutex svgMutex;
};

// Decodes the bytes of a picture file: metafiles by their header, everything
// else through Qt's image readers (by content, working files have no suffix).
// nullptr when the bytes are no picture.
std::shared_ptr<const Picture> DecodePicture(const std::string& bytes);

// The picture in the file at path (UTF-8), decoded on first use and kept.
// nullptr when the file is missing or holds no decodable picture.
std::shared_ptr<const Picture> CachedPicture(const std::string& path);

// How many files the cache has read and decoded since the start.
std::uint64_t PictureDecodeCount();
void ClearPictureCache();
