// Fuzz target of the drawing file reader: the bytes are saved as a file and
// read as Open (mode 0) and as Import into a dragged rectangle (mode 1) would
// read them. Whatever was read is written again as a whole drawing and as a
// selection, and the writer's text must read back with as many items. The
// items and the working files of embedded pictures are freed each run.
#include "document/drawing_file.h"
#include "document/korvani_doc.h"
#include "platform/temp_files.h"

#include <QGuiApplication>
#include <QtGlobal>

#include "fuzz_application.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}


std::string ScratchPath(const char* what)
{
    return "/tmp/korvani_drawing_fuzz_" + std::to_string(getpid()) + "_" + what + ".xml";
}

bool Save(const std::string& path, const char* data, std::size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data, std::streamsize(size));
    return bool(out.flush());
}

void ReadAndWriteBack(const std::string& path, PointF start, PointF end, int mode)
{
    CKorvaniDoc doc;
    ReadItemsResult read = ReadItemsFile(doc, start, end, path, mode);
    Check(read.opened);
    for (DrawItem* item : read.items) {
        Check(item != nullptr && item->RefCount() == 1);
        doc.AddItem(item);
    }

    const std::string drawing = DrawingFileText(doc, {doc.GetCanvasWidth(), doc.GetCanvasHeight(), 0xFF000000u | doc.GetCanvasColor()});
    std::vector<DrawItem*> all(doc.Items().begin(), doc.Items().end());
    RectF bounds;
    for (DrawItem* item : all)
        bounds = UnionRect(bounds, item->Bounds(ModeCommit));
    (void)SelectionFileText(doc, all, bounds);

    // What the writer makes always reads back, with every item. The one
    // exception: an import adds a level of nesting, which can take a file
    // that sat at the reader's depth bound past it.
    const std::string again = ScratchPath("again");
    Check(Save(again, drawing.data(), drawing.size()));
    CKorvaniDoc other;
    ReadItemsResult reread = ReadItemsFile(other, {}, {}, again, 0);
    const bool tooDeep = reread.errorMessage.find("nested deeper than") != std::string::npos;
    Check(reread.parsed || (mode == 1 && tooDeep));
    Check(reread.items.size() == read.items.size() || tooDeep);
    ReleaseReadItems(reread.items);
    std::remove(again.c_str());

    doc.Items().RemoveAll();
    ReleaseReadItems(read.items);
}

} // namespace

// The application can only go after main has returned, when Qt's font
// fallback caches are already gone; fontconfig's patterns that they held are
// then left over. They are the font library's, not the reader's.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    EnsureFuzzApplication();
    const std::string path = ScratchPath("input");
    if (!Save(path, reinterpret_cast<const char*>(data), size))
        return 0;
    ReadAndWriteBack(path, {0, 0}, {0, 0}, 0);
    ReadAndWriteBack(path, {40, 30}, {240, 130}, 1);
    std::remove(path.c_str());

    // The working files of this run's pictures; the list keeps only their names.
    DeleteTempFiles();
    return 0;
}
