#pragma once

// `korvani --actions SCRIPT [IN.xml] [--export OUT]`: the editing view on a
// document of its own, with a client of 1280 x 800 pixels and a scripted
// host, driven line by line as a user would drive the window.

#include "app/action_script.h"

#include <QPoint>

#include <string>
#include <string_view>

class CKorvaniView;

constexpr int ActionsClientWidth = 1280;
constexpr int ActionsClientHeight = 800;

// Runs scriptText (named scriptName in messages) after opening input, when
// one is named, then writes output, when one is named. Returns 0, or 1 with
// one line in error: "SCRIPT:LINE: reason" for a fault of the script, or the
// file and the reason for the input and output.
int RunActions(const std::string& scriptName, std::string_view scriptText, const std::string& input,
               const std::string& output, std::string& error);
// The same with the script read from a file.
int RunActionsFile(const std::string& scriptPath, const std::string& input, const std::string& output,
                   std::string& error);

// The client pixel for a script point: pixels as written; a whole canvas
// point maps to a pixel that the view maps back to exactly that point, any
// other to the nearest pixel. False when a whole canvas point has no pixel of
// its own at the current zoom (below 100%, pixels cover several units).
bool ScriptPointToClient(const CKorvaniView& view, const ScriptPoint& point, QPoint& client, std::string& error);
