#include "ui/frame/startup.h"

#include "ui/frame/main_frame.h"
#include "ui/frame/recovery.h"
#include "view/view_codes.h"

#include <QTimer>

void StartEditor(CMainFrame& frame, const QString& commandLineFile, RecoveryKeeper* recovery)
{
    frame.showMaximized();
    // Once the window is up, so that a message or the chooser has it behind.
    QTimer::singleShot(0, &frame, [&frame, commandLineFile, recovery] {
        if (recovery && recovery->OfferRecovery())
            return;
        if (!commandLineFile.isEmpty())
            frame.OpenFile(commandLineFile);
        else
            frame.DoCommandId(ID_SPLASH_SCREEN);
    });
}
