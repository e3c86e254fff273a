#pragma once

// Recognising Windows metafiles (WMF, EMF) by their content. Header-only and
// free of Qt, so that the converter program, which links libwmf (whose
// headers break Qt's), shares it without linking the platform library.

#include <cstddef>
#include <cstdint>

enum class MetafileKind { None, Wmf, Emf };

namespace metafile {

inline std::uint16_t ReadLe16(const unsigned char* p)
{
    return std::uint16_t(p[0] | (p[1] << 8));
}

inline std::uint32_t ReadLe32(const unsigned char* p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

inline constexpr std::uint32_t WmfPlaceableKey = 0x9AC6CDD7;
inline constexpr std::size_t WmfPlaceableHeaderSize = 22;
inline constexpr std::size_t WmfHeaderSize = 18;
inline constexpr std::size_t EmfHeaderMinSize = 88;
inline constexpr std::uint32_t EmfHeaderRecord = 1;
inline constexpr std::uint32_t EmfSignature = 0x464D4520; // " EMF"

inline bool IsPlainWmfHeader(const unsigned char* p, std::size_t size)
{
    if (size < WmfHeaderSize)
        return false;
    const std::uint16_t type = ReadLe16(p);            // 1 in memory, 2 on disk
    const std::uint16_t headerWords = ReadLe16(p + 2); // always 9
    const std::uint16_t version = ReadLe16(p + 4);
    return (type == 1 || type == 2) && headerWords == 9 && (version == 0x0100 || version == 0x0300);
}

} // namespace metafile

// A placeable or a plain WMF header, or an EMF header record with its " EMF"
// signature.
inline MetafileKind DetectMetafile(const unsigned char* data, std::size_t size)
{
    using namespace metafile;
    if (!data)
        return MetafileKind::None;
    if (size >= WmfPlaceableHeaderSize + WmfHeaderSize && ReadLe32(data) == WmfPlaceableKey)
        return MetafileKind::Wmf;
    if (size >= EmfHeaderMinSize && ReadLe32(data) == EmfHeaderRecord && ReadLe32(data + 40) == EmfSignature)
        return MetafileKind::Emf;
    if (IsPlainWmfHeader(data, size))
        return MetafileKind::Wmf;
    return MetafileKind::None;
}
