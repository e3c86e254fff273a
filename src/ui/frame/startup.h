#pragma once

#include <QString>

class CMainFrame;
class RecoveryKeeper;

// Shows the main window maximised and then, once it is up, offers back the
// work a crash left (when recovery has some); unless that is restored, opens
// the drawing named on the command line or, without one, offers the start-up
// chooser. A file that cannot be opened is named in a message and leaves an
// empty editor.
void StartEditor(CMainFrame& frame, const QString& commandLineFile, RecoveryKeeper* recovery);
