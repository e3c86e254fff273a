#include "ui/dialogs/screen_capture_window.h"
#include "ui/modal_answer.h"
#include "support/file_bytes.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

// Pixel (x, y) is (x, y, 7): every pixel tells where it came from.
FrozenScreen KnownScreen()
{
    QImage picture(200, 100, QImage::Format_RGB32);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            picture.setPixel(x, y, qRgb(x, y, 7));
    return {picture, QRect(0, 0, 200, 100), false};
}

TEST(ScreenGrabberTest, ABlackGrabFallsBackToThePortalAndNeverBecomesThePicture)
{
    QImage black(20, 10, QImage::Format_RGB32);
    black.fill(Qt::black);
    QImage shot(40, 20, QImage::Format_RGB32); // the portal's device pixels at twice the scale
    shot.fill(qRgb(10, 20, 30));
    const QRect desktop(0, 0, 20, 10);
    struct Case
    {
        const char* what;
        QImage grabbed;
        PortalAnswer portal;
        bool portalAsked;
        bool picture;
        bool declined;
    } cases[] = {
        {"grab shows something", shot.copy(0, 0, 20, 10), {}, false, true, false},
        {"black grab, portal picture", black, {shot, false}, true, true, false},
        {"no grab, no portal", QImage(), {}, true, false, false},
        {"black grab, black portal", black, {black, false}, true, false, false},
        {"portal turned down", QImage(), {QImage(), true}, true, false, true},
    };
    for (const Case& c : cases) {
        bool asked = false;
        const FrozenScreen frozen = ChooseScreenPicture(c.grabbed, desktop, [&] {
            asked = true;
            return c.portal;
        });
        EXPECT_EQ(asked, c.portalAsked) << c.what;
        EXPECT_EQ(!frozen.picture.isNull(), c.picture) << c.what;
        EXPECT_EQ(frozen.declined, c.declined) << c.what;
        if (c.picture) {
            EXPECT_EQ(frozen.picture.size(), desktop.size()) << c.what;
            EXPECT_EQ(frozen.picture.pixel(5, 5), qRgb(10, 20, 30)) << c.what;
        }
    }
}

TEST(ScreenCaptureWindowTest, ColourModeReadsTheFrozenPictureAndNoPictureIsSaid)
{
    ScreenCaptureWindow window(ScreenCaptureWindow::Mode::Colour, KnownScreen());
    window.show();
    QTest::mouseMove(&window, QPoint(30, 40));
    EXPECT_EQ(window.InfoText(), "r:30 g:40 b:7");
    // The box sits at the pointer: a black frame, light yellow inside.
    const QImage shown = window.grab().toImage();
    EXPECT_EQ(shown.pixel(31, 41), qRgb(255, 255, 225));

    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(150, 60));
    EXPECT_EQ(window.PickedColour(), (Rgb{150, 60, 7}));

    // Without a copy of the screen there is no window, and that is said unless the user declined.
    for (const bool declined : {false, true}) {
        const auto none = [declined] { return FrozenScreen{QImage(), QRect(0, 0, 200, 100), declined}; };
        const QString told =
            AnswerMessageDuring([&none] { EXPECT_EQ(CaptureScreenRegion(nullptr, none), std::nullopt); });
        EXPECT_EQ(told, declined ? "" : "Screen capture is not available in this session");
    }
}

TEST(ScreenCaptureWindowTest, EnterWritesTheDraggedRegionAsABitmap)
{
    struct Case
    {
        const char* what;
        QPoint from, to;
        QRect region;
        bool written;
    } cases[] = {
        {"bottom right to top left", {150, 80}, {20, 10}, {20, 10, 130, 70}, true},
        {"3 x 40 is too narrow", {50, 20}, {53, 60}, {50, 20, 3, 40}, false},
        {"Enter before any drag", {}, {}, {}, false},
    };
    for (const Case& c : cases) {
        ScreenCaptureWindow window(ScreenCaptureWindow::Mode::Region, KnownScreen());
        window.show();
        if (c.from != c.to) {
            QTest::mousePress(&window, Qt::LeftButton, {}, c.from);
            QTest::mouseMove(&window, (c.from + c.to) / 2);
            QTest::mouseMove(&window, c.to);
            QTest::mouseRelease(&window, Qt::LeftButton, {}, c.to);
        }
        EXPECT_EQ(window.Region(), c.region) << c.what;
        QTest::keyClick(&window, Qt::Key_Return);
        EXPECT_EQ(window.result(), QDialog::Accepted) << c.what;
        ASSERT_EQ(!window.CapturedFile().empty(), c.written) << c.what;
        if (!c.written)
            continue;
        EXPECT_EQ(FileBytes(window.CapturedFile()).substr(0, 2), "BM") << c.what;
        const QImage saved(QString::fromStdString(window.CapturedFile()), "BMP");
        ASSERT_EQ(saved.size(), c.region.size()) << c.what;
        EXPECT_EQ(saved.pixel(0, 0), qRgb(20, 10, 7)) << c.what;
        EXPECT_EQ(saved.pixel(129, 69), qRgb(149, 79, 7)) << c.what;
    }
}

} // namespace
