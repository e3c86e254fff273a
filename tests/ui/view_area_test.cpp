#include "ui/frame/frame_notices.h"
#include "ui/dialogs/choose_color_dialog.h"
#include "ui/dialogs/export_dialog.h"
#include "ui/dialogs/file_progress_dialog.h"
#include "ui/dialogs/input_text_dialog.h"
#include "ui/dialogs/new_template_dialog.h"
#include "ui/dialogs/startup_chooser.h"
#include "ui/frame/view_area.h"
#include "ui/modal_answer.h"

#include "document/korvani_doc.h"
#include "document/undo_stack.h"
#include "items/draw_item.h"
#include "view/korvani_view.h"
#include "view/view_codes.h"
#include "support/push_item.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QThread>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

struct NoticeRecorder : FrameNotices
{
    void OnSelectionChanged(DrawItem*) override {}
    void OnToolChanged(int tool) override { tools.push_back(tool); }
    void OnZoomChanged(float) override {}
    void OnItemsChanged(DrawItem*) override {}
    void OnItemsMark(DrawItem*) override {}
    void OnGradientValues(int, int, int) override {}

    std::vector<int> tools;
};

class ViewAreaTest : public ::testing::Test
{
protected:
    ViewAreaTest()
    {
        ZoomFactor = 1.0f;
        area.resize(600, 500);
        area.show();
        QApplication::processEvents();
    }
    ~ViewAreaTest() override { ZoomFactor = 1.0f; }

    DrawItem* AddBox(float x, float y, float w, float h, ArgbColor fill)
    {
        DrawItem* item = PushItem(doc, ItemRectangle, BoxNodes(x, y, w, h), ShapeAttributes(fill, 0));
        area.View().DocumentChanged();
        return item;
    }

    QPoint Client(float x, float y) { return area.View().ClientPoint({x, y}).toPoint(); }

    void Mouse(QEvent::Type type, QPoint p, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = {})
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(p), QPointF(area.viewport()->mapToGlobal(p)), button, buttons, modifiers);
        QCoreApplication::sendEvent(area.viewport(), &event);
    }

    void Key(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers = {})
    {
        QKeyEvent event(type, key, modifiers);
        QCoreApplication::sendEvent(&area, &event);
    }

    QRgb PixelAt(float x, float y)
    {
        const QImage picture = area.viewport()->grab().toImage();
        const QPoint p = Client(x, y);
        return picture.pixel(p);
    }

    NoticeRecorder notices;
    CKorvaniDoc doc;
    ViewArea area{doc, &notices};
};

TEST_F(ViewAreaTest, ForwardsADragToTheViewWhichRecordsOneMove)
{
    CKorvaniView& view = area.View();
    ASSERT_TRUE(view.NewCanvas(400, 300, ColorOpaqueWhite));
    ASSERT_FALSE(notices.tools.empty()) << "the frame hears of the tool";
    DrawItem* box = AddBox(50, 40, 60, 30, 0xFFFF0000);
    ASSERT_NE(box, nullptr);
    const std::size_t records = doc.GetUndoStack().UndoCount();

    Mouse(QEvent::MouseButtonPress, Client(70, 50), Qt::LeftButton);
    EXPECT_EQ(view.Selection(), box);
    EXPECT_EQ(QWidget::mouseGrabber(), area.viewport()) << "the capture is a real grab";
    EXPECT_EQ(area.viewport()->cursor().shape(), Qt::SizeAllCursor);
    for (int step = 1; step <= 4; ++step)
        Mouse(QEvent::MouseMove, Client(70 + 10 * step, 50 + 5 * step), Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, Client(110, 70), Qt::NoButton);

    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(doc.GetUndoStack().UndoCount(), records + 1);
    EXPECT_EQ(PixelAt(120, 75), 0xFFFF0000u);

    // Keys reach the view with their modifiers: Ctrl+Z undoes.
    Key(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
    Key(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc.GetUndoStack().UndoCount(), records);
}

TEST_F(ViewAreaTest, ADialogThatTookTheButtonUpEndsTheDragWithoutACommit)
{
    CKorvaniView& view = area.View();
    ASSERT_TRUE(view.NewCanvas(400, 300, ColorOpaqueWhite));
    DrawItem* box = AddBox(50, 40, 60, 30, 0xFFFF0000);
    const std::size_t records = doc.GetUndoStack().UndoCount();
    Mouse(QEvent::MouseButtonPress, Client(70, 50), Qt::LeftButton);
    Mouse(QEvent::MouseMove, Client(80, 55), Qt::LeftButton);
    Mouse(QEvent::MouseMove, Client(90, 60), Qt::LeftButton);
    ASSERT_TRUE(view.HasCapture());

    // A message box comes up mid-drag; the release goes to it, not to the view.
    ModalHandler handler({[](QWidget* w) { qobject_cast<QMessageBox*>(w)->button(QMessageBox::Ok)->click(); }});
    EXPECT_EQ(area.ShowMessage({"Cannot save", MessageIcon::Stop, MessageButtons::Ok}), MessageAnswer::Ok);
    EXPECT_EQ(QWidget::mouseGrabber(), area.viewport()) << "the drag's grab is back after the box";
    QApplication::processEvents();

    EXPECT_FALSE(view.HasCapture());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(doc.GetUndoStack().UndoCount(), records);
    EXPECT_NEAR(box->Bounds().x, 50, 0.01);
    // No preview stays on screen.
    EXPECT_EQ(PixelAt(115, 65), 0xFFFFFFFFu);
}

TEST_F(ViewAreaTest, ScrollBarsFollowTheCanvasAndMoveIt)
{
    CKorvaniView& view = area.View();
    ASSERT_TRUE(view.NewCanvas(2000, 1500, ColorOpaqueWhite));
    QApplication::processEvents();
    const QSize client = area.viewport()->size();
    EXPECT_EQ(view.ClientSize(), client) << "the view knows the viewport's size";
    EXPECT_EQ(area.horizontalScrollBar()->maximum(), 2060 - client.width());
    EXPECT_EQ(area.verticalScrollBar()->maximum(), 1560 - client.height());

    area.horizontalScrollBar()->setValue(100);
    area.verticalScrollBar()->setValue(30);
    EXPECT_EQ(view.CanvasMargin(), PointF(-60, 10));

    // A canvas smaller than the client has no scroll range.
    ASSERT_TRUE(view.NewCanvas(200, 100, ColorOpaqueWhite));
    QApplication::processEvents();
    EXPECT_EQ(area.horizontalScrollBar()->maximum(), 0);
}

TEST_F(ViewAreaTest, TheWheelScrollsShiftSidewaysCtrlZoomsAboutThePointer)
{
    CKorvaniView& view = area.View();
    ASSERT_TRUE(view.NewCanvas(2000, 1500, ColorOpaqueWhite));
    QApplication::processEvents();
    QScrollBar* h = area.horizontalScrollBar();
    QScrollBar* v = area.verticalScrollBar();
    const QPointF pointer(230, 170);
    const auto wheel = [&](QPoint pixels, QPoint angle, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(pointer, area.viewport()->mapToGlobal(pointer), pixels, angle, Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(area.viewport(), &event);
    };
    const int lines = QApplication::wheelScrollLines();
    struct Case
    {
        std::vector<QPoint> angles;
        QPoint pixels;
        Qt::KeyboardModifiers modifiers;
        QPoint moved;
    };
    const Case cases[] = {
        {{{0, -120}}, {}, {}, {0, lines * v->singleStep()}},
        // Half notches of a fine wheel add up to one.
        {{{0, -60}, {0, -60}}, {}, {}, {0, lines * v->singleStep()}},
        {{{0, -120}}, {}, Qt::ShiftModifier, {lines * h->singleStep(), 0}},
        // A touchpad's pixels are scrolled as they are.
        {{{0, -9}}, {0, -7}, {}, {0, 7}},
        {{{0, -9}}, {0, -7}, Qt::ShiftModifier, {7, 0}},
    };
    for (const Case& c : cases) {
        h->setValue(300);
        v->setValue(300);
        for (QPoint angle : c.angles)
            wheel(c.pixels, angle, c.modifiers);
        EXPECT_EQ(QPoint(h->value(), v->value()) - QPoint(300, 300), c.moved) << c.moved.x() << "," << c.moved.y();
    }

    // Each notch with Ctrl is one zoom step; the canvas point under the pointer stays put.
    const QPointF origin = view.CanvasOrigin();
    const QPointF under = (pointer - origin) / view.Zoom();
    for (const auto& [angle, zoom] : std::vector<std::pair<int, float>>{{120, 1.5f}, {120, 2.0f}, {-240, 1.0f}}) {
        wheel({}, {0, angle}, Qt::ControlModifier);
        EXPECT_FLOAT_EQ(view.Zoom(), zoom);
        const QPointF client = view.ClientPoint({float(under.x()), float(under.y())});
        EXPECT_NEAR(client.x(), pointer.x(), 0.01);
        EXPECT_NEAR(client.y(), pointer.y(), 0.01);
    }
}

TEST_F(ViewAreaTest, MessageBoxesAskWithTheRightButtonsAndNameAnUnopenableFile)
{
    QString shownText;
    QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
    const auto answer = [&shownText, &shownIcon](QMessageBox::StandardButton button) {
        return [&shownText, &shownIcon, button](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            shownText = box->text();
            shownIcon = box->icon();
            ASSERT_NE(box->button(button), nullptr);
            box->button(button)->click();
        };
    };
    {
        ModalHandler handler({answer(QMessageBox::Cancel)});
        EXPECT_EQ(area.ShowMessage({"Save current file?", MessageIcon::Question, MessageButtons::YesNoCancel}),
                  MessageAnswer::Cancel);
    }
    EXPECT_EQ(shownIcon, QMessageBox::Question);

    QTemporaryDir dir;
    const QString path = dir.filePath("missing.xml");
    ModalHandler handler({answer(QMessageBox::Ok)});
    EXPECT_FALSE(area.OpenDrawing(path.toStdString()));
    EXPECT_TRUE(shownText.contains(path)) << shownText.toStdString();
    EXPECT_EQ(area.View().GetCanvas().width, 0) << "nothing is open";
}

TEST_F(ViewAreaTest, OnlyLongFileWorkShowsAProgressWindowWhoseCancelStopsIt)
{
    struct ShowCounter : QObject
    {
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            shown += event->type() == QEvent::Show && qobject_cast<QProgressDialog*>(watched) != nullptr;
            return false;
        }
        int shown = 0;
    } counter;
    qApp->installEventFilter(&counter);

    // Quick work shows nothing.
    QTemporaryDir dir;
    AddBox(10, 10, 20, 20, 0xFFFF0000);
    ASSERT_TRUE(area.View().SaveDrawing(dir.filePath("tiny.xml").toStdString()));
    ASSERT_TRUE(area.OpenDrawing(dir.filePath("tiny.xml").toStdString()));
    EXPECT_EQ(counter.shown, 0);

    // Work still running after half a second shows the window, modal, until it ends.
    std::unique_ptr<ProgressReporter> progress = area.BeginProgress("Opening big.xml");
    EXPECT_TRUE(progress->Step(0, 100));
    QThread::msleep(FileProgressDialog::ShowAfterMs + 50);
    EXPECT_TRUE(progress->Step(1, 100));
    auto* dialog = area.window()->findChild<QProgressDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->isModal());
    EXPECT_EQ(dialog->labelText(), "Opening big.xml");
    EXPECT_EQ(counter.shown, 1);
    // Meanwhile a press reaches nothing in the view.
    area.View().SetTool(ToolKind::Rectangle);
    Mouse(QEvent::MouseButtonPress, Client(50, 50), Qt::LeftButton);
    EXPECT_FALSE(area.View().HasCapture());
    dialog->cancel();
    EXPECT_FALSE(progress->Step(2, 100));
    progress.reset();
    EXPECT_EQ(area.window()->findChild<QProgressDialog*>(), nullptr);
    qApp->removeEventFilter(&counter);
}

TEST_F(ViewAreaTest, TextAndFileDialogsHandBackWhatWasChosen)
{
    // The text dialog opens on the item's text and hands back what was typed.
    ModalHandler texts({[](QWidget* w) {
        auto* dialog = qobject_cast<InputTextDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        auto* box = dialog->findChild<QPlainTextEdit*>();
        EXPECT_EQ(box->toPlainText(), QStringLiteral("old"));
        box->setPlainText(QStringLiteral("two\nlines"));
        dialog->accept();
    }});
    EXPECT_EQ(area.AskText({"old", QPoint(10, 20)}), std::optional<std::string>("two\nlines"));

    QTemporaryDir dir;
    const QString target = dir.filePath("picture.png");
    ModalHandler files({[&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        dialog->selectNameFilter(dialog->nameFilters().value(2));
        dialog->selectFile(target);
        // QFileDialog keeps its accept() protected; it is QDialog's slot, called through the base.
        static_cast<QDialog*>(dialog)->accept();
    }});
    const std::optional<FileDialogAnswer> chosen = area.AskFile(
        {FileDialogKind::Save,
         "Plimsa source file(*.xml)|*.xml|Jpeg File(*.jpg)|*.jpg|Png File(*.png)|*.png|Email File(*.eml)|*.eml|"});
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(QString::fromStdString(chosen->path), target);
    EXPECT_EQ(chosen->filterIndex, 2);

    // The export dialog carries the "only selects" box, unchecked at first.
    ModalHandler exports({[&](QWidget* w) {
        auto* dialog = qobject_cast<CExportDlg*>(w);
        ASSERT_NE(dialog, nullptr);
        auto* box = dialog->findChild<QCheckBox*>();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), QStringLiteral("only selects"));
        EXPECT_TRUE(box->isVisible() && !box->isChecked());
        box->click();
        dialog->selectNameFilter(dialog->nameFilters().value(1));
        dialog->selectFile(target);
        static_cast<QDialog*>(dialog)->accept();
    }});
    const std::optional<ExportAnswer> exported = area.AskExport("Png File(*.png)|*.png|Jpeg File(*.jpg)|*.jpg|");
    ASSERT_TRUE(exported.has_value());
    EXPECT_EQ(QString::fromStdString(exported->path), target);
    EXPECT_EQ(exported->filterIndex, 1);
    EXPECT_TRUE(exported->onlySelected);
}

TEST_F(ViewAreaTest, TheViewsOtherRequestsAreAnsweredByTheProgramsDialogs)
{
    ModalHandler handlers({[](QWidget* w) {
                               auto* dialog = qobject_cast<ChooseColorDialog*>(w);
                               ASSERT_NE(dialog, nullptr);
                               for (QPushButton* button : dialog->findChildren<QPushButton*>())
                                   if (button->text() == "Transparent")
                                       button->click();
                           },
                           [](QWidget* w) {
                               auto* dialog = qobject_cast<NewTemplateDialog*>(w);
                               ASSERT_NE(dialog, nullptr);
                               dialog->SetTemplateIndex(4);
                               dialog->accept();
                           },
                           [](QWidget* w) {
                               auto* chooser = qobject_cast<StartupChooser*>(w);
                               ASSERT_NE(chooser, nullptr);
                               chooser->reject();
                           }});
    EXPECT_EQ(area.AskColor(0xFF0000FF), std::optional<ArgbColor>(0x000000FFu));
    EXPECT_EQ(area.AskNewTemplate().value().height, 525);
    EXPECT_EQ(area.AskStartChoice(), -1);
    EXPECT_EQ(handlers.Handled(), 3u);
}

} // namespace
