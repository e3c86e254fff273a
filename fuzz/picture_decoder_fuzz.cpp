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

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// Text in the SVG needs the font database of a QGuiApplication; it lives
// until the process ends.
void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "picture_decoder_fuzz";
    static char* argv[] = {name, nullptr};
    static const bool platformSet = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return true;
    }();
    static QGuiApplication app(argc, argv);
    (void)platformSet;
}

} // namespace

// See drawing_file_fuzz.cpp: the font library's patterns outlive main.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (DetectMetafile(data, size) == MetafileKind::None)
        return 0;
    EnsureApplication();
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
