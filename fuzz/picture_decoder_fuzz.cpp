// Fuzz target of the picture decoder's metafile path. WMF and EMF bytes go
// through the converter (libwmf, libemf2svg) in this process, as they do in
// the converter program, and the SVG it makes is drawn through Qt SVG, as the
// editor draws it. Bytes that are no metafile are passed over: raster
// pictures are Qt's image readers' own business.
#include "metafile/metafile_converter.h"
#include "platform/picture_cache.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QtGlobal>

#include "fuzz_application.h"

#include <cstddef>
#include <cstdint>
#include <string>

// See drawing_file_fuzz.cpp: the font library's patterns outlive main.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (DetectMetafile(data, size) == MetafileKind::None)
        return 0;
    EnsureFuzzApplication();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto picture = DecodePicture(bytes, MetafileToSvg);
    if (!picture)
        return 0;
    QImage canvas(48, 48, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    picture->Draw(painter, QRectF(0, 0, 48, 48));
    return 0;
}
