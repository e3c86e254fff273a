#pragma once

// A private copy of a drawing, taken on the editor's thread, that another
// thread turns into the drawing file's text while the editor goes on
// changing the original. Copying the items costs a fraction of writing them.

#include "document/drawing_file.h"
#include "document/korvani_doc.h"

#include <string>
#include <vector>

class DrawingSnapshot
{
public:
    DrawingSnapshot(const CKorvaniDoc& doc, const CanvasValues& canvas);
    DrawingSnapshot(const DrawingSnapshot&) = delete;
    DrawingSnapshot& operator=(const DrawingSnapshot&) = delete;
    // Any thread: the copies belong to the snapshot alone.
    ~DrawingSnapshot();

    // DrawingFileText of the copy; any thread.
    std::string Text() const { return DrawingFileText(copy, canvas); }

private:
    CKorvaniDoc copy;
    std::vector<DrawItem*> items; // one reference on each
    CanvasValues canvas;
};
