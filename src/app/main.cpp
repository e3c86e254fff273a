// Korvani: start-up of the editor, or a headless command.
#include "app/command_line.h"
#include "document/korvani_doc.h"
#include "ui/frame/icons.h"
#include "ui/frame/main_frame.h"
#include "ui/frame/recovery.h"
#include "ui/frame/startup.h"

#include <QApplication>
#include <QGuiApplication>
#include <QtGlobal>

#include <cstdio>

namespace {

bool DisplayAvailable()
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// A headless command prints only its own result: the platform's notes
// (a missing runtime folder, font substitutions) stay out of its output.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "korvani: %s\n", qPrintable(message));
}

QStringList Arguments(int argc, char** argv)
{
    QStringList list;
    for (int i = 1; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

} // namespace

int main(int argc, char** argv)
{
    const CommandLine command = ParseCommandLine(Arguments(argc, argv));
    if (RunsHeadless(command)) {
        // Conversions need fonts and a painter, never a display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(QuietMessages);
        QGuiApplication app(argc, argv);
        return RunHeadless(command);
    }

    if (!DisplayAvailable()) {
        std::fprintf(stderr, "korvani: no display available (DISPLAY is not set); run it in a desktop session or under xvfb-run\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QApplication::setApplicationName(QStringLiteral("Korvani"));
    // Every window and dialog shows the program's icon; the desktop entry's
    // name lets a Wayland session match the window to that entry.
    QApplication::setWindowIcon(ApplicationIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("korvani"));

    // The one document lives for the whole run; the frame and its view go first.
    CKorvaniDoc document;
    CMainFrame frame(document);
    // Keeps a copy of unsaved work; one that a crash left is offered back first.
    const auto recovery = StartRecovery(*frame.viewArea());
    StartEditor(frame, QString::fromStdString(command.input), recovery.get());
    return app.exec();
}
