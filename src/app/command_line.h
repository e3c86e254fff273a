#pragma once

// The command line: `korvani [drawing.xml]` starts the editor; the options
// below run without a window, on the offscreen platform.

#include "document/drawing_file.h"

#include <QStringList>

#include <string>

class CKorvaniDoc;

struct CommandLine
{
    enum class Mode { Window, Help, Export, Actions, Invalid };
    Mode mode = Mode::Window;
    std::string input;  // the drawing to open or convert
    std::string output; // --export target
    std::string script; // --actions script
    std::string error;  // why the arguments are invalid
};

// arguments without the program name.
CommandLine ParseCommandLine(const QStringList& arguments);
bool RunsHeadless(const CommandLine& command);
std::string HelpText();

// Loads input and writes output, its format chosen by output's extension:
// .xml (the drawing file again), .png, .jpg or .jpeg (the whole canvas at one
// pixel per canvas unit). Nothing is written on failure. Returns 0, or 1 with
// the reason (naming the file) in error.
int ExportDrawing(const std::string& input, const std::string& output, std::string& error);

// Writes a document on its canvas to output, the format chosen by output's
// extension as above. Returns 0, or 1 with the reason in error.
int ExportDocument(const CKorvaniDoc& doc, const CanvasValues& canvas, const std::string& output, std::string& error);

// Runs a headless command and prints what it has to say; returns the exit status.
int RunHeadless(const CommandLine& command);
