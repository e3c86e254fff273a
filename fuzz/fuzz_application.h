#pragma once

// Text needs the font database of a QGuiApplication; a fuzz target makes one
// on the offscreen platform, and it lives until the process ends.

#include <QGuiApplication>
#include <QtGlobal>

inline void EnsureFuzzApplication()
{
    static int argc = 1;
    static char name[] = "korvani_fuzz";
    static char* argv[] = {name, nullptr};
    static const bool platformSet = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return true;
    }();
    static QGuiApplication app(argc, argv);
    (void)platformSet;
}
