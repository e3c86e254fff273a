#pragma once

// Everything the editing view needs from the window system and the frame
// around it. The view holds no widget: ui/ answers these requests with real
// dialogs, cursors and bars, and the tests answer them from a script. Each
// request is small and typed so that a scripted answer can be checked.

#include "items/geometry.h"

#include <QPoint>
#include <QRect>

#include <QRectF>
#include <QSizeF>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class DrawItem;
class QPainter;

enum class MessageIcon { None, Information, Warning, Question, Stop };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageRequest
{
    std::string text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

// The text input dialog, opened with its top-left corner at a screen point.
struct TextInputRequest
{
    std::string text;   // shown for editing
    QPoint screenPosition;
};

// The standard file dialogs. The filter is "|" separated, as the commands give it.
enum class FileDialogKind { Open, Save };

struct FileDialogRequest
{
    FileDialogKind kind = FileDialogKind::Open;
    std::string filter;
};

struct FileDialogAnswer
{
    std::string path;    // UTF-8
    int filterIndex = 0; // the filter entry chosen, from 0
};

// The export dialog: a save dialog over the export filter with an "only
// selects" check box, which starts unchecked. The filter index picks the
// format (0 drawing, 1 JPEG, 2 PNG, 3 e-mail, 4 SVG, 5 PDF).
struct ExportAnswer
{
    std::string path; // UTF-8
    int filterIndex = 0;
    bool onlySelected = false;
};

// The "New" and "New Template" dialogs: a canvas size and its colour
// (red, green and blue; the view makes it opaque), and the template chosen.
struct CanvasAnswer
{
    int width = 0;
    int height = 0;
    ArgbColor color = 0;
    int templateType = -1; // -1 for a free size
};

// "Uniform Fill": which tools take a new default colour.
struct UniformFillAnswer
{
    bool graphic = true;
    bool text = false;
};

// Printing: the host lets the user pick a printer and hands each page to
// `paint`, which fits the drawing into the page rectangle (device units of
// the painter). The view stays free of printers and widgets.
struct PrintJob
{
    std::string title;   // the document name the printer shows
    QSizeF size;         // of the drawing, in canvas units
    std::function<void(QPainter& painter, const QRectF& page)> paint;
};

// Not printed and no error: the user cancelled.
struct PrintOutcome
{
    bool printed = false;
    std::string error;
};

// Long file work under way (open, import, save, export). The window shows it
// once it has taken about half a second, with a Cancel button, and keeps
// painting meanwhile; no mouse, key or command reaches the view until it
// ends. The work stops when the user cancels, leaving everything as it was.
// Destroying the reporter ends the progress.
class ProgressReporter
{
public:
    virtual ~ProgressReporter() = default;
    // done out of total, increasing; false once the user asked to cancel.
    virtual bool Step(std::int64_t done, std::int64_t total) = 0;
};

// Cursor resources by identifier; the text cursor is the system's text-insertion shape.
enum CursorId : int {
    CursorEllipse = 205,
    CursorBezier = 206,
    CursorLine = 207,
    CursorRectangle = 208,
    CursorPlace = 209,
    CursorEdit = 210,
    CursorEditNode = 211,
    CursorDoodle = 212,
    CursorSizeWestEast = 214,
    CursorMove = 215,
    CursorSizeNorthEastSouthWest = 216,
    CursorSizeNorthSouth = 217,
    CursorSizeNorthWestSouthEast = 218,
    CursorRotate = 219,
    CursorGradient = 220,
    CursorRotateCentre = 221,
    CursorHand = 224,
    CursorZoomIn = 225,
    CursorZoomOut = 226,
    CursorArrow = 229,
    CursorTextInsertion = 1,
};

class ViewHost
{
public:
    virtual ~ViewHost() = default;

    // --- dialogs: nullopt (or Cancel) when the user cancels ---
    virtual MessageAnswer ShowMessage(const MessageRequest& request) = 0;
    virtual std::optional<std::string> AskText(const TextInputRequest& request) = 0;
    virtual std::optional<FileDialogAnswer> AskFile(const FileDialogRequest& request) = 0;
    // The export dialog with this "|" separated filter.
    virtual std::optional<ExportAnswer> AskExport(const std::string& filter) = 0;
    // "Choose Color", opened on a colour; the colour chosen, alpha included.
    virtual std::optional<ArgbColor> AskColor(ArgbColor initial) = 0;
    virtual std::optional<UniformFillAnswer> AskUniformFill() = 0;
    virtual std::optional<CanvasAnswer> AskNewCanvas() = 0;
    virtual std::optional<CanvasAnswer> AskNewTemplate() = 0;
    // The screen capture window in region mode: the working file of the picture.
    virtual std::optional<std::string> AskCapture() = 0;
    // The print dialog, then the job printed; a host without printers
    // answers as if the user cancelled.
    virtual PrintOutcome Print(const PrintJob&) { return {}; }
    // The start-up chooser: 0 new drawing, 1 new template, 2 open, 3 download
    // template, 4 upload template; -1 when it was closed without a choice.
    virtual int AskStartChoice() = 0;
    // Long file work: title says what is done ("Opening drawing.xml").
    // nullptr: nothing is shown and the work runs to its end.
    virtual std::unique_ptr<ProgressReporter> BeginProgress(const std::string& title) = 0;

    // --- the window ---
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;
    virtual void SetCursor(int cursorId) = 0;
    // The whole client area, without erasing.
    virtual void RequestRepaint() = 0;
    // Part of the client area, in client pixels.
    virtual void RequestRepaint(const QRect& clientRect) = 0;
    // The view has work for idle time: true when the host will call
    // CKorvaniView::DrawAhead between events until it answers false. A host
    // that will not answers false, and each paint then draws all it shows.
    virtual bool RequestDrawAhead() { return false; }
    virtual void SetScrollSizes(int width, int height) = 0;
    virtual QPoint ClientToScreen(QPoint client) = 0;
    virtual QPoint CursorScreenPosition() = 0;
    virtual ArgbColor ScreenPixelColor(QPoint screen) = 0;
    virtual void OpenWebPage(const std::string& url) = 0;

    // --- notifications to the frame, its bars and the items panel ---
    virtual void SelectionChanged(DrawItem* selection) = 0;
    virtual void ToolChanged(int tool) = 0;
    virtual void ZoomChanged(float zoom) = 0;
    // The document's items changed in number or order.
    virtual void ItemsPanelRebuild(DrawItem* selection) = 0;
    virtual void ItemsPanelMark(DrawItem* selection) = 0;
    // Stop position * 100 and angle, each to the nearest whole number; wrap mode.
    virtual void GradientBarValues(int position, int angle, int wrapMode) = 0;
};
