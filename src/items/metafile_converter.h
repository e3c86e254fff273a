#pragma once

// Windows metafiles (WMF, EMF) turned into SVG text that Qt SVG can draw.
// This header and its source include no Qt header: libwmf's headers define
// U8/U16/U32 as macros, which break Qt's own headers.

#include <cstddef>
#include <string>

enum class MetafileKind { None, Wmf, Emf };

// Recognises a metafile by its content: a placeable or a plain WMF header,
// or an EMF header record with its " EMF" signature.
MetafileKind DetectMetafile(const unsigned char* data, std::size_t size);

// The SVG document of a metafile; empty when the bytes are no metafile or
// the conversion fails.
std::string MetafileToSvg(const unsigned char* data, std::size_t size);
