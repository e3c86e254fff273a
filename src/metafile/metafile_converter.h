#pragma once

// Windows metafiles (WMF, EMF) turned into SVG text that Qt SVG can draw.
// Runs only in the converter program (korvani-metafile) and the fuzz target:
// libwmf and libemf2svg read hostile bytes, so the editor keeps them out of
// its own process. This header and its source include no Qt header: libwmf's
// headers define U8/U16/U32 as macros, which break Qt's own headers.

#include "platform/metafile_kind.h"

#include <cstddef>
#include <string>

// The SVG document of a metafile; empty when the bytes are no metafile or
// the conversion fails.
std::string MetafileToSvg(const unsigned char* data, std::size_t size);
