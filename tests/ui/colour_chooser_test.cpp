#include "ui/controls/colour_button.h"
#include "ui/dialogs/choose_color_dialog.h"
#include "ui/dialogs/color_model.h"
#include "ui/modal_answer.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(ColourModelTest, ConvertsBothWaysWithTheModelsRounding)
{
    // Pure red comes back with green 1: the channels are computed in floating point.
    EXPECT_EQ(RgbToHls({255, 0, 0}), (Hls{0, 120, 240}));
    EXPECT_EQ(HlsToRgb({0, 120, 240}), (Rgb{255, 1, 0}));
    EXPECT_EQ(RgbToHls({204, 102, 153}), (Hls{221, 144, 120})  /* -19.5 truncated toward zero, then 240 added */);
    // A grey has no hue and no saturation: its marker sits on the field's left edge.
    EXPECT_EQ(RgbToHls({128, 128, 128}), (Hls{0, 120, 0}));
    EXPECT_EQ(FieldMarker({226, 182}, 0, 0), QPoint(0, 182));
    EXPECT_EQ(HlsToRgb({77, 240, 200}), (Rgb{255, 255, 255}));

    // Any colour survives the trip through the model within its rounding.
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 15)
            for (int b = 0; b < 256; b += 15) {
                const Rgb back = HlsToRgb(RgbToHls({r, g, b}));
                ASSERT_LE(std::abs(back.red - r) + std::abs(back.green - g) + std::abs(back.blue - b), 9)
                    << r << "," << g << "," << b;
            }

    // Field and bar: a pick at a marker gives the value back.
    EXPECT_EQ(FieldPick({226, 182}, FieldMarker({226, 182}, 120, 60), 100), (Hls{120, 100, 60}));
    EXPECT_EQ(BarPick(182, BarMarkerY(182, 180)), 180);
}

TEST(ColourModelTest, HexBoxTakesDigitsOverTypedAndRepairsTheRest)
{
    struct Case
    {
        const char* stored;
        const char* edited;
        int caret;
        const char* text;
        bool beep;
    } cases[] = {
        {"#00FF70", "#00FF7G", 7, "#00FF70", true},  // a non-digit becomes 0
        {"#123456", "#12A3456", 4, "#12A456", false}, // typed over the third digit
        {"#123456", "123456", 0, "#123456", false},   // the "#" comes back
        {"#123456", "#1234", 5, "#1234", false},      // shortened: read as far as it goes
        {"#123456", "#1234567x", 9, "#123456", false}, // caret past the box: not taken
    };
    for (const Case& c : cases) {
        const HexEdit edit = ApplyHexEdit(c.stored, c.edited, c.caret);
        EXPECT_EQ(edit.text, c.text) << c.edited;
        EXPECT_EQ(edit.beep, c.beep) << c.edited;
    }
    EXPECT_EQ(ParseHexText("#1234"), (Rgb{0x12, 0x34, 0}));
    EXPECT_EQ(HexText({171, 205, 239}), "#ABCDEF");
}

TEST(ColourPaletteTest, CellsPlacementGapsAndAButtonThatChangesOnce)
{
    EXPECT_EQ(palette::CellColor(0, 10), qRgb(23, 23, 23));
    EXPECT_EQ(palette::CellColor(9, 9), qRgb(204, 102, 153));
    EXPECT_EQ(palette::CellAt({15, 25}), 19 * 2 + 1);
    EXPECT_EQ(palette::CellAt({19, 25}), -1); // the gap between two cells

    // Opened near the bottom-right corner, the palette stays on the screen.
    const QRect screen(0, 0, 1920, 1080);
    const QPoint at = palette::Placement(QRect(1890, 1050, 40, 22), screen);
    EXPECT_TRUE(screen.contains(QRect(at, palette::Size))) << at.x() << "," << at.y();
    EXPECT_EQ(palette::Placement(QRect(100, 100, 40, 22), screen), QPoint(100, 122));

    // Choosing a cell changes the button's colour once.
    ColourButton button;
    button.SetColor(qRgb(255, 255, 255));
    int changes = 0;
    QObject::connect(&button, &ColourButton::ColorChanged, [&changes](QRgb) { ++changes; });
    button.show();
    QTest::mousePress(&button, Qt::LeftButton);
    ASSERT_TRUE(button.PaletteOpen());
    ColourPalette* shown = button.Palette();
    QTest::mouseRelease(shown, Qt::LeftButton, {}, QPoint(95, 95)); // column 9, row 9
    EXPECT_EQ(button.Color(), qRgb(204, 102, 153));
    EXPECT_EQ(changes, 1);
}

TEST(ChooseColorDialogTest, TransparentFieldHexAndBoxes)
{
    ChooseColorDialog dialog;
    dialog.SetColor(0xFF0000FF);
    dialog.show();
    auto* transparent = dialog.findChildren<QPushButton*>().at(1);
    ASSERT_EQ(transparent->text(), "Transparent");
    transparent->click();
    EXPECT_EQ(dialog.Color(), 0x000000FFu);

    ChooseColorDialog picking;
    picking.SetColor(0x80FF0000);
    picking.show();
    const QList<QLineEdit*> boxes = picking.findChildren<QLineEdit*>();
    ASSERT_EQ(boxes.size(), 5);
    QLineEdit* hex = boxes[4];
    EXPECT_EQ(hex->text(), "#FF0000");
    // Typing over the third digit changes only that one; alpha stays.
    hex->setFocus();
    hex->setCursorPosition(3);
    QTest::keyClick(hex, Qt::Key_A);
    EXPECT_EQ(hex->text(), "#FFA000");
    EXPECT_EQ(picking.Color(), 0x80FFA000u);
    // A click in the field keeps the lightness and takes hue and saturation.
    auto* field = picking.findChild<SpectrumField*>();
    QTest::mouseClick(field, Qt::LeftButton, {}, FieldMarker(field->size(), 160, 240));
    const ArgbColor blue = picking.Color();
    EXPECT_EQ(blue >> 24, 0x80u);
    EXPECT_EQ(blue & 0xFF, 0xFFu);
    EXPECT_LT((blue >> 8 & 0xFF) + (blue >> 16 & 0xFF), 10u) << std::hex << blue;

    // An empty box is named and the dialog stays open.
    boxes[1]->clear();
    const QString told = AnswerMessageDuring([&picking] { picking.accept(); });
    EXPECT_TRUE(told.contains("G box")) << told.toStdString();
    EXPECT_TRUE(picking.isVisible());
}

} // namespace
