// korvani-metafile: reads a WMF or EMF from standard input and writes its SVG
// to standard output. The editor runs it once per picture under a time and
// memory limit, so that a metafile that crashes or hangs the converter costs
// that one picture and never the drawing.

#include "metafile/metafile_converter.h"

#include <cstdio>
#include <string>

int main()
{
    std::string bytes;
    char piece[1 << 16];
    std::size_t n;
    while ((n = std::fread(piece, 1, sizeof piece, stdin)) > 0)
        bytes.append(piece, n);
    if (std::ferror(stdin))
        return 2;
    const std::string svg = MetafileToSvg(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    if (svg.empty())
        return 1;
    if (std::fwrite(svg.data(), 1, svg.size(), stdout) != svg.size() || std::fflush(stdout) != 0)
        return 2;
    return 0;
}
