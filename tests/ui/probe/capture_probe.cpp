// Opens the screen capture window over the real screen, for the check under
// Xvfb (xvfb_capture.sh), which drives it with real pointer and key events.
//
//   capture_probe region OUT.bmp   copies the captured working file to OUT.bmp
//   capture_probe colour           prints the picked colour as "R G B"
//
// Exits 2 when nothing was captured or picked.
#include "ui/dialogs/screen_capture_window.h"

#include <QApplication>
#include <QFile>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "region") == 0) {
        const std::optional<std::string> file = CaptureScreenRegion(nullptr);
        if (!file)
            return 2;
        QFile::remove(QString::fromLocal8Bit(argv[2]));
        return QFile::copy(QString::fromStdString(*file), QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }
    if (argc == 2 && std::strcmp(argv[1], "colour") == 0) {
        const std::optional<Rgb> colour = PickScreenColour(nullptr);
        if (!colour)
            return 2;
        std::printf("%d %d %d\n", colour->red, colour->green, colour->blue);
        return 0;
    }
    std::fprintf(stderr, "usage: capture_probe region OUT.bmp | capture_probe colour\n");
    return 1;
}
