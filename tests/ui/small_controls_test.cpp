#include "ui/controls/flat_combo_box.h"
#include "ui/controls/font_boxes.h"
#include "ui/controls/number_edit.h"
#include "ui/controls/sizing_panel.h"
#include "ui/modal_answer.h"

#include <QApplication>
#include <QClipboard>
#include <QMainWindow>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(NumberRuleTest, TypedCharacters)
{
    struct Case
    {
        const char* text;
        int caret;
        char typed;
        bool accepted;
    } cases[] = {
        {"1.5e3", 5, '.', false}, // no point in the exponent
        {"1.5e3", 4, '-', true},  {"1.5e3", 5, '-', false}, // a minus only right after the "e"
        {"", 0, '-', true},       {"5", 1, '-', false},     {"5", 1, 'e', true}, {"", 0, 'e', false},
        {"1e3", 1, 'E', false},   {"15e", 1, '.', true},    {"1.2", 3, '.', false},
        {"12", 2, 'x', false},    {"12", 1, '\b', true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NumberCharAccepted(c.text, c.caret, QChar(c.typed)), c.accepted)
            << c.text << " caret " << c.caret << " typed " << c.typed;

    // A change is taken when typing its new characters would have been; deleting always is.
    struct Change
    {
        const char* before;
        const char* after;
        bool accepted;
    } changes[] = {
        {"", "1.5e-3", true}, {"", "1.5e3.", false}, {"12", "1abc2", false}, {"1e3", "e3", true},
    };
    for (const Change& c : changes)
        EXPECT_EQ(NumberEditAccepted(c.before, c.after), c.accepted) << c.before << " -> " << c.after;

    EXPECT_EQ(ParseNumber("1.5e-3"), 0.0015);
    EXPECT_EQ(ParseNumber("-"), std::nullopt);
    EXPECT_EQ(ParseNumber("1e999"), std::nullopt);
}

TEST(NumberEditTest, KeysPasteEnterAndAWrongBoxNamed)
{
    NumberEdit box;
    box.show();
    QSignalSpy enter(&box, &NumberEdit::EnterPressed);
    QTest::keyClicks(&box, "1.5e3");
    box.setCursorPosition(4);
    QTest::keyClicks(&box, ".x-");
    EXPECT_EQ(box.text(), "1.5e-3");
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(enter.count(), 1);

    box.clear();
    QApplication::clipboard()->setText("-2.5");
    box.paste();
    EXPECT_EQ(box.Value(), -2.5);

    box.setText("-");
    const QString told = AnswerMessageDuring([&box] { EXPECT_EQ(ReadNumberBox(&box, "Width"), std::nullopt); });
    EXPECT_TRUE(told.contains("Width box")) << told.toStdString();
}

TEST(ComboBoxesTest, TheFlatOneStaysRaisedWhileItsListIsOpenAndFontBoxesSelectByNameAndSize)
{
    QWidget window;
    window.setGeometry(300, 300, 200, 60);
    auto* box = new CFlatComboBox(&window);
    box->addItems({"one", "two"});
    box->setGeometry(10, 10, 120, 24);
    window.show();
    QCursor::setPos(0, 0);
    EXPECT_EQ(box->Look(), FlatLook::Flat);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(315, 315));
    QApplication::sendEvent(box, &enter);
    EXPECT_EQ(box->Look(), FlatLook::Raised);
    box->showPopup();
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(box, &leave);
    EXPECT_EQ(box->Look(), FlatLook::Raised);
    box->hidePopup();
    EXPECT_EQ(box->Look(), FlatLook::Flat);

    // The font boxes select by name and size, keeping what was asked for.
    FontNameBox names;
    ASSERT_GT(names.count(), 0);
    names.SelectName("liberation s");
    EXPECT_EQ(names.currentText(), "Liberation Sans");
    names.SelectName("No Such Face");
    EXPECT_EQ(names.currentText(), "Liberation Sans");
    EXPECT_EQ(names.ChosenName(), "No Such Face");

    FontSizeBox sizes;
    sizes.SelectSize(36);
    EXPECT_EQ(sizes.ChosenSize(), 36);
    sizes.SelectSize(13);
    EXPECT_EQ(sizes.ChosenSize(), 36);
}

TEST(SizingPanelTest, KeepsASizeForEachPlaceAndStaysInsideTheFrame)
{
    EXPECT_EQ(PanelExtent(10, 40, 600), 40);

    QMainWindow frame;
    frame.setCentralWidget(new QWidget);
    frame.resize(600, 400);
    auto* panel = new SizingPanel("Items", &frame, QSize(150, 120), true);
    panel->setWidget(new QWidget);
    frame.addDockWidget(Qt::LeftDockWidgetArea, panel);
    frame.show();
    QApplication::processEvents();
    EXPECT_EQ(panel->width(), 150);

    // Beyond the frame: it stops where the frame's free space ends.
    panel->SetExtent(5000);
    QApplication::processEvents();
    EXPECT_GT(panel->width(), 400);
    EXPECT_LE(panel->width(), 596);
    const int wide = panel->width();

    frame.addDockWidget(Qt::TopDockWidgetArea, panel);
    QApplication::processEvents();
    EXPECT_EQ(panel->height(), 120);
    frame.addDockWidget(Qt::RightDockWidgetArea, panel);
    QApplication::processEvents();
    EXPECT_EQ(panel->width(), wide);
}

} // namespace
