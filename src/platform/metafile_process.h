#pragma once

// Metafiles (WMF, EMF) come from any drawing file, and the libraries that
// convert them have never met hostile input kindly. So the editor never
// converts one itself: the program korvani-metafile, built beside it, reads
// the bytes on its standard input and writes SVG on its standard output, in
// a child process that a time and a memory limit end. A crash, a hang or a
// run-away there costs that one picture, never the drawing.

#include <cstddef>
#include <string>

struct MetafileHelper
{
    // The converter program. Empty: $KORVANI_METAFILE_HELPER when set, else
    // korvani-metafile in the running program's folder.
    std::string program;
    int timeoutMs = 15000;   // wall clock, for a converter that waits
    int cpuSeconds = 10;     // for one that computes forever
    // Address space. Not applied in a build with AddressSanitizer, whose
    // shadow memory alone reserves terabytes.
    std::size_t memoryBytes = std::size_t(1) << 30;
};

// Sets how metafiles are converted from now on; gives the previous setting.
MetafileHelper SetMetafileHelper(const MetafileHelper& helper);

// The SVG text of a metafile, converted in a child process; empty when the
// converter is missing, fails, is stopped by a limit or writes too much.
std::string ConvertMetafileInChild(const unsigned char* data, std::size_t size);
