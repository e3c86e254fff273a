#pragma once

#include <QString>

class CMainFrame;

// Shows the main window maximised and then, once it is up, opens the drawing
// named on the command line or, without one, offers the start-up chooser. A
// file that cannot be opened is named in a message and leaves an empty editor.
void StartEditor(CMainFrame& frame, const QString& commandLineFile);
