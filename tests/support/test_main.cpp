// Every test program runs headless: the offscreen platform has a font
// database (unlike "minimal"), so text measures as it does on screen.
#include <QGuiApplication>
#include <QtGlobal>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The metafile converter is found beside the program, which a test is not.
    if (qEnvironmentVariableIsEmpty("KORVANI_METAFILE_HELPER"))
        qputenv("KORVANI_METAFILE_HELPER", KORVANI_METAFILE_HELPER);
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
