#include "ui/dialogs/input_text_dialog.h"
#include "ui/dialogs/new_canvas_dialog.h"
#include "ui/dialogs/new_template_dialog.h"
#include "ui/dialogs/startup_chooser.h"
#include "ui/dialogs/uniform_fill_dialog.h"
#include "ui/modal_answer.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

void Hover(QWidget& widget, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
}

QString AcceptAndAnswer(QDialog& dialog)
{
    return AnswerMessageDuring([&dialog] { dialog.accept(); });
}

TEST(SmallDialogsTest, CanvasDialogsRefuseAZeroSizeAndTemplatesSetIt)
{
    NewCanvasDialog dialog;
    dialog.show();
    const QList<QLineEdit*> boxes = dialog.findChildren<QLineEdit*>();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(dialog.CanvasColor(), qRgb(96, 200, 119) & 0xFFFFFFu);

    boxes[0]->setText("0");
    EXPECT_EQ(AcceptAndAnswer(dialog), "Height or width cannot be zero!");
    EXPECT_TRUE(dialog.isVisible());
    boxes[0]->setText("640");
    EXPECT_TRUE(AcceptAndAnswer(dialog).isEmpty());
    EXPECT_EQ(dialog.CanvasWidth(), 640);

    // Template types set the size and lock or free the boxes.
    NewTemplateDialog templates;
    templates.show();
    const QList<QLineEdit*> sizes = templates.findChildren<QLineEdit*>();
    auto* list = templates.findChild<QComboBox*>();
    ASSERT_EQ(sizes.size(), 2);
    EXPECT_FALSE(sizes[0]->isEnabled());
    list->setCurrentIndex(4); // Flyer
    EXPECT_EQ(sizes[1]->text(), "525");
    EXPECT_TRUE(sizes[1]->isEnabled());
    list->setCurrentIndex(2); // Postcards(8.5x6)
    EXPECT_FALSE(sizes[0]->isEnabled());
    templates.accept();
    EXPECT_EQ(templates.CanvasHeight(), 450);
}

TEST(SmallDialogsTest, TextDialogRefusesNothingAndUniformFillNeedsOneBoxOn)
{
    InputTextDialog dialog;
    dialog.SetText("first");
    dialog.SetPosition({30, 40});
    dialog.show();
    auto* box = dialog.findChild<QPlainTextEdit*>();
    box->moveCursor(QTextCursor::End);
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClicks(box, "second");
    EXPECT_EQ(box->toPlainText(), "first\nsecond");
    box->clear();
    EXPECT_EQ(AcceptAndAnswer(dialog), "Please input text");
    EXPECT_TRUE(dialog.isVisible());

    // The uniform fill dialog needs one box on.
    UniformFillDialog fill;
    fill.show();
    const QList<QCheckBox*> boxes = fill.findChildren<QCheckBox*>();
    QPushButton* ok = fill.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    ASSERT_EQ(boxes.size(), 2);
    boxes[0]->click(); // Graphic off, Text was off
    EXPECT_FALSE(ok->isEnabled());
    boxes[1]->click();
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_FALSE(fill.Graphic());
}

TEST(SmallDialogsTest, StartupChooserLightsAndTakesAChoiceWritingNoFiles)
{
    QTemporaryDir dir;
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    {
        StartupChooser chooser;
        chooser.show();
        Hover(chooser, {80, 200});
        EXPECT_EQ(chooser.Hover(), 2);
        const QImage lit = chooser.grab().toImage();
        Hover(chooser, {440, 5});
        EXPECT_EQ(chooser.Hover(), -1);
        const QImage plain = chooser.grab().toImage();
        EXPECT_NE(lit.pixel(32, 160), plain.pixel(32, 160)); // the area's frame
        QTest::mouseClick(&chooser, Qt::LeftButton, {}, {120, 60});
        EXPECT_EQ(chooser.Choice(), 0);
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty());
    QDir::setCurrent(before);
}

} // namespace
