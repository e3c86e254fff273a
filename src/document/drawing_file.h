#pragma once

// The drawing file: an XML text whose root element `plimsa` holds either a
// whole drawing (type "canvas": canvas values, guide lines, every item) or a
// set of items without canvas (type "items", the saved selection). Writers
// build the whole text in memory and replace the target only once it is
// complete; the reader turns a file back into items.

#include "document/file_progress.h"
#include "items/draw_item.h"

#include <cstdint>
#include <string>
#include <vector>

class CKorvaniDoc;

// The canvas that a whole drawing is saved with; it lives in the view.
struct CanvasValues
{
    std::int32_t width = 0;
    std::int32_t height = 0;
    ArgbColor color = ColorOpaqueWhite; // red, green and blue are written
};

struct FileWriteResult
{
    bool ok = false;
    std::string errorMessage; // names the file and the reason when !ok
    bool cancelled = false;   // progress stopped it before the file was touched
};

// The text of a whole drawing: root line, guide section (only when there are
// guides), every item bottom-most first, closing line. CR LF line ends.
// Progress counts items; an empty text means it stopped the writing.
std::string DrawingFileText(const CKorvaniDoc& doc, const CanvasValues& canvas, const FileProgress& progress = {});

// The text of a selection file: the document's items that are in `selected`,
// in document order, with coordinates relative to the top-left corner of
// selectionBounds. The items themselves are not touched: each is written
// from a translated copy, since moving an item there and back in float
// arithmetic need not give back the same numbers.
std::string SelectionFileText(const CKorvaniDoc& doc, const std::vector<DrawItem*>& selected,
                              const RectF& selectionBounds, const FileProgress& progress = {});

// The text is made whole before the file is touched, so stopping it through
// progress leaves any previous file as it was.
FileWriteResult WriteDrawingFile(const std::string& path, const CKorvaniDoc& doc, const CanvasValues& canvas,
                                 const FileProgress& progress = {});
FileWriteResult WriteSelectionFile(const std::string& path, const CKorvaniDoc& doc,
                                   const std::vector<DrawItem*>& selected, const RectF& selectionBounds,
                                   const FileProgress& progress = {});

// Saves text beside path and renames it over path when complete, so that a
// failed save leaves the previous file as it was.
FileWriteResult SaveTextFile(const std::string& path, const std::string& text);

struct ReadItemsResult
{
    // One reference taken on each for the caller: the top-level items read,
    // or the one group that collects them.
    std::vector<DrawItem*> items;
    bool opened = false;        // the file could be opened and read
    bool parsed = false;        // its text holds a well-formed root element
    std::string errorMessage;   // why not, when either is false
    bool cancelled = false;     // progress stopped the read: no items, the document untouched
};

// Reads a drawing file. A "canvas" file sets the document's canvas values
// and appends its guide lines. Every item is translated by start; when start
// and end differ by more than 5 units on both axes it is also scaled into
// the rectangle they span. Mode 1 (import) collects the items of a file with
// several top-level elements into one new group. A file whose root type is
// neither "canvas" nor "items" parses but yields no items. Measuring an item
// lays out what it needs (a text's glyphs); keepOutlines keeps that for the
// editor, which draws and copies the items next, while a one-pass export
// lets it go so as not to hold every outline at once. Progress counts the
// file's bytes; when it stops the read, the document and the item ids are
// left as they were.
ReadItemsResult ReadItemsFile(CKorvaniDoc& doc, PointF start, PointF end, const std::string& path, int mode,
                              bool keepOutlines = false, const FileProgress& progress = {});

// For a caller that keeps nothing of a read: releases the reference on each
// item and, with the last reference of a group, deletes the members inside it
// that nobody holds a reference on (groups do not own their children).
void ReleaseReadItems(std::vector<DrawItem*>& items);
