#include "metafile/metafile_converter.h"

// No Qt header may come into this file (see the header).
#include <libwmf/api.h>
#include <libwmf/svg.h>

#include <emf2svg.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

using namespace metafile;

// The pixel size a metafile shows at on a 96 dpi screen.
constexpr double ScreenDpi = 96.0;
// libwmf's device units are points.
constexpr double DevicePerInch = 72.0;

// The picture frame a placeable header declares, in device units. libwmf's
// own scan gives the bounds of what is drawn, which would crop the margins
// and stretch the drawing over the whole picture.
bool PlaceableFrame(const unsigned char* p, std::size_t size, wmfD_Rect& frame)
{
    if (size < WmfPlaceableHeaderSize || ReadLe32(p) != WmfPlaceableKey)
        return false;
    const int left = std::int16_t(ReadLe16(p + 6));
    const int top = std::int16_t(ReadLe16(p + 8));
    const int right = std::int16_t(ReadLe16(p + 10));
    const int bottom = std::int16_t(ReadLe16(p + 12));
    const int unitsPerInch = ReadLe16(p + 14);
    if (unitsPerInch == 0 || left == right || top == bottom)
        return false;
    const double scale = DevicePerInch / unitsPerInch;
    frame.TL.x = 0;
    frame.TL.y = 0;
    frame.BR.x = float(std::abs(right - left) * scale);
    frame.BR.y = float(std::abs(bottom - top) * scale);
    return true;
}

void PutLe32(unsigned char* p, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(value >> (8 * i));
}

// libwmf allocates room for the largest record that the header declares
// before it reads any; no record is longer than the file.
void ClampLargestRecord(std::vector<unsigned char>& bytes)
{
    const std::size_t header = ReadLe32(bytes.data()) == WmfPlaceableKey ? WmfPlaceableHeaderSize : 0;
    if (bytes.size() < header + WmfHeaderSize)
        return;
    unsigned char* field = bytes.data() + header + 12; // in 16-bit words
    const std::uint32_t words = std::uint32_t(std::min<std::size_t>((bytes.size() - header) / 2, UINT32_MAX));
    if (ReadLe32(field) > words)
        PutLe32(field, words);
}

std::string WmfToSvg(const unsigned char* data, std::size_t size)
{
    // libwmf reads through a non-const pointer; give it a copy of its own.
    std::vector<unsigned char> bytes(data, data + size);
    ClampLargestRecord(bytes);
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    wmfAPI* api = nullptr;
    if (wmf_api_create(&api, flags, &options) != wmf_E_None) {
        if (api)
            wmf_api_destroy(api);
        return {};
    }
    std::string svg;
    wmfD_Rect box{};
    if (wmf_mem_open(api, bytes.data(), long(bytes.size())) == wmf_E_None && wmf_scan(api, 0, &box) == wmf_E_None) {
        wmf_svg_t* device = WMF_SVG_GetData(api);
        device->out = wmf_stream_create(api, nullptr);
        device->Description = nullptr;
        wmfD_Rect frame{};
        if (PlaceableFrame(data, size, frame))
            box = frame;
        device->bbox = box;
        unsigned int width = 0, height = 0;
        wmf_display_size(api, &width, &height, ScreenDpi, ScreenDpi);
        device->width = width;
        device->height = height;
        const bool played = device->out && wmf_play(api, 0, &box) == wmf_E_None;
        if (device->out) {
            char* text = nullptr;
            unsigned long length = 0;
            wmf_stream_destroy(api, device->out, &text, &length);
            device->out = nullptr;
            // The buffer stays the library's; wmf_api_destroy frees it.
            if (played && text)
                svg.assign(text, length);
        }
        wmf_mem_close(api);
    }
    wmf_api_destroy(api);
    return svg;
}

// libemf2svg reads the header's description text wherever the header says it
// is, and without a length up to a zero it may never meet. A description
// that does not lie within the header record is dropped; nothing draws it.
void DropStrayDescription(std::vector<unsigned char>& bytes)
{
    constexpr std::size_t Count = 60, Offset = 64;
    const std::uint64_t recordSize = std::min<std::uint64_t>(ReadLe32(bytes.data() + 4), bytes.size());
    const std::uint64_t count = ReadLe32(bytes.data() + Count), offset = ReadLe32(bytes.data() + Offset);
    const bool inside = count > 0 && offset >= EmfHeaderMinSize && offset + 2 * count <= recordSize;
    if (!inside) {
        PutLe32(bytes.data() + Count, 0);
        PutLe32(bytes.data() + Offset, 0);
    }
}

std::string EmfToSvg(const unsigned char* data, std::size_t size)
{
    std::vector<unsigned char> copy(data, data + size);
    DropStrayDescription(copy);
    std::vector<char> bytes(copy.begin(), copy.end());
    char emptyNamespace[] = "";
    generatorOptions options{};
    options.nameSpace = emptyNamespace;
    options.verbose = false;
    options.emfplus = false;
    options.svgDelimiter = true;
    options.imgWidth = 0;
    options.imgHeight = 0;
    char* text = nullptr;
    std::size_t length = 0;
    const int ok = emf2svg(bytes.data(), bytes.size(), &text, &length, &options);
    std::string svg;
    if (ok && text)
        svg.assign(text, length);
    std::free(text);
    return svg;
}

} // namespace

std::string MetafileToSvg(const unsigned char* data, std::size_t size)
{
    switch (DetectMetafile(data, size)) {
    case MetafileKind::Wmf: return WmfToSvg(data, size);
    case MetafileKind::Emf: return EmfToSvg(data, size);
    case MetafileKind::None: break;
    }
    return {};
}
