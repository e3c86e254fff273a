// Every test program runs headless: the offscreen platform has a font
// database (unlike "minimal"), so text measures as it does on screen. The
// widget tests build this with KORVANI_TEST_WIDGETS for a QApplication.
#ifdef KORVANI_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif
#include <QtGlobal>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef KORVANI_METAFILE_HELPER
    // The metafile converter is found beside the program, which a test is not.
    if (qEnvironmentVariableIsEmpty("KORVANI_METAFILE_HELPER"))
        qputenv("KORVANI_METAFILE_HELPER", KORVANI_METAFILE_HELPER);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    TestApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
