// Korvani: start-up of the editor.
#include "ui/frame/main_frame.h"

#include <QApplication>
#include <QtGlobal>

#include <cstdio>

namespace {

bool DisplayAvailable()
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char** argv)
{
    if (!DisplayAvailable()) {
        std::fprintf(stderr, "korvani: no display available (DISPLAY is not set); run it in a desktop session or under xvfb-run\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QApplication::setApplicationName(QStringLiteral("Korvani"));

    CMainFrame frame;
    frame.showMaximized();
    return app.exec();
}
