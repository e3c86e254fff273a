// The file commands through the view, answered by the scripted host, with
// the files they write checked on disk.

#include "view/view_fixture.h"

#include "document/drawing_file.h"
#include "platform/temp_files.h"
#include "support/file_bytes.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>

#include <optional>

namespace {

class FileCommandsTest : public ViewTest
{
protected:
    FileCommandsTest() { EXPECT_TRUE(dir.isValid()); }

    std::string Path(const char* name) const { return QDir(dir.path()).filePath(name).toStdString(); }
    // The names in the folder, sorted.
    QStringList Files() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }

    void Export(const char* name, int filterIndex, bool onlySelected = false)
    {
        host.QueueExport(ExportAnswer{Path(name), filterIndex, onlySelected});
        view.DoCommand(CommandExport);
    }

    QTemporaryDir dir;
};

TEST_F(FileCommandsTest, TheSavePromptGoesOnOnlyWhenTheDrawingIsSafe)
{
    const CanvasAnswer fresh{120, 90, 0x00FF00, -1};
    const struct
    {
        const char* name;
        MessageAnswer answer;
        std::optional<const char*> saveAs; // the Save dialog's answer when Yes is given; nullopt cancels it
        bool goesOn;
    } cases[] = {
        {"no", MessageAnswer::No, {}, true},
        {"cancel", MessageAnswer::Cancel, {}, false},
        {"yes", MessageAnswer::Yes, "kept", true},
        {"yes, save cancelled", MessageAnswer::Yes, std::nullopt, false},
        {"yes, save failed", MessageAnswer::Yes, "no/such/folder/kept", false},
    };
    for (const auto& c : cases) {
        for (const int command : {ID_NEW_DRAWING, ID_OPEN_FILE}) {
            SCOPED_TRACE(std::string(c.name) + (command == ID_OPEN_FILE ? " before Open" : " before New"));
            MakeCanvas(300, 200);
            AddRect(10, 10, 40, 40);
            ASSERT_TRUE(view.CurrentFilePath().empty());
            const std::size_t shown = host.messages.size();
            host.QueueMessageAnswer(c.answer);
            if (c.answer == MessageAnswer::Yes)
                host.QueueFile(c.saveAs ? std::optional(FileDialogAnswer{Path(*c.saveAs)}) : std::nullopt);
            if (c.goesOn && command == ID_NEW_DRAWING)
                host.QueueNewCanvas(fresh);
            if (c.goesOn && command == ID_OPEN_FILE)
                host.QueueFile(std::nullopt);
            ASSERT_TRUE(view.DoFileCommand(command));

            EXPECT_EQ(host.messages[shown].text, "Save current file?");
            EXPECT_EQ(host.messages[shown].buttons, MessageButtons::YesNoCancel);
            const bool newDone = c.goesOn && command == ID_NEW_DRAWING;
            EXPECT_EQ(doc.GetItemCount(), newDone ? 0 : 1);
            EXPECT_EQ(view.GetCanvas().width, newDone ? 120 : 300);
            // A new drawing has no file yet: Save asks for a name again.
            EXPECT_EQ(view.CurrentFilePath().empty(), newDone || !c.goesOn || c.answer == MessageAnswer::No);
            EXPECT_EQ(QFile::exists(QString::fromStdString(Path("kept.xml"))), c.answer == MessageAnswer::Yes &&
                                                                                  c.goesOn);
            QFile::remove(QString::fromStdString(Path("kept.xml")));
            ASSERT_TRUE(view.NewCanvas(10, 10, ColorOpaqueWhite));
            host.messages.clear();
            host.QueueNewCanvas(fresh);
            view.DoFileCommand(ID_NEW_DRAWING);
            ASSERT_TRUE(host.messages.empty()) << "an empty drawing is not asked about";
        }
    }
}

TEST_F(FileCommandsTest, SaveAndOpenTakeXmlInAnyCaseAndExportAppendsTheTypesOwnExtension)
{
    MakeCanvas(40, 30);
    AddRect(5, 5, 10, 10, 0xFFFF0000);

    // Save: "drawing" gains .xml, later saves go there without a dialog.
    host.QueueFile(FileDialogAnswer{Path("drawing")});
    view.DoCommand(CommandSave);
    EXPECT_EQ(view.CurrentFilePath(), Path("drawing.xml"));
    view.DoCommand(CommandSave);
    const std::size_t asked = host.messages.size();
    host.QueueNewCanvas(CanvasAnswer{40, 30, 0x102030, -1});
    view.DoFileCommand(ID_NEW_DRAWING);
    EXPECT_EQ(host.messages.size(), asked) << "a drawing just saved is not asked about";
    host.QueueFile(FileDialogAnswer{Path("upper.XML")});
    AddRect(5, 5, 10, 10);
    view.DoCommand(CommandSave);
    EXPECT_EQ(view.CurrentFilePath(), Path("upper.XML"));

    // Export compares exactly: each type writes its own format whatever the typed name says.
    const struct
    {
        const char* typed;
        int filter;
        const char* written;
        const char* format; // what Qt reads the file as; empty for text
    } cases[] = {
        {"logo", 2, "logo.png", "png"},          {"logo2.png", 2, "logo2.png", "png"},
        {"logo3.PNG", 2, "logo3.PNG.png", "png"}, {"a.png", 1, "a.png.jpg", "jpeg"},
        {"copy", 0, "copy.xml", ""},             {"mail.eml", 3, "mail.eml", ""},
        {"vector", 4, "vector.svg", "svg"},      {"page.svg", 5, "page.svg.pdf", ""},
    };
    for (const auto& c : cases) {
        Export(c.typed, c.filter);
        const QString written = QString::fromStdString(Path(c.written));
        ASSERT_TRUE(QFile::exists(written)) << c.written;
        if (*c.format) {
            EXPECT_EQ(QImage(written, c.format).size(), QSize(40, 30)) << c.written;
        }
    }
    EXPECT_EQ(view.CurrentFilePath(), Path("upper.XML")) << "export does not change the file path";
    EXPECT_EQ(Files(), QStringList({"a.png.jpg", "copy.xml", "drawing.xml", "logo.png", "logo2.png", "logo3.PNG.png",
                                    "mail.eml", "page.svg.pdf", "upper.XML", "vector.svg"}));

    // Open takes the capital name too, as one undo step, and refuses what is no drawing.
    ASSERT_TRUE(view.NewCanvas(10, 10, ColorOpaqueWhite));
    host.QueueFile(FileDialogAnswer{Path("upper.XML")});
    ASSERT_TRUE(view.DoFileCommand(ID_OPEN_FILE));
    EXPECT_EQ(doc.GetItemCount(), 1);
    EXPECT_EQ(view.GetCanvas().width, 40);
    EXPECT_EQ(view.GetCanvas().color, 0xFF102030u);
    EXPECT_EQ(host.scrollSizes, QSize(100, 90));
    host.messages.clear();
    host.QueueFile(FileDialogAnswer{Path("logo.png")});
    view.DoCommand(CommandOpen);
    EXPECT_EQ(doc.GetItemCount(), 1);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("opens only drawing files"), std::string::npos);
    view.DoCommand(CommandUndo);
    EXPECT_EQ(doc.GetItemCount(), 0);
    EXPECT_FALSE(doc.CanUndo());
}

TEST_F(FileCommandsTest, ASelectionExportIsTheSelectionAloneWithAMarginOfCanvas)
{
    view.OnResize(300, 300);
    ASSERT_TRUE(view.NewCanvas(100, 80, 0x336699));
    AddRect(50, 30, 20, 20, 0xFFFF0000);                  // under the selection's margin
    DrawItem* blue = AddRect(60, 40, 60, 20, 0xFF0000FF); // runs off the right edge
    driver.ClickAt({90, 50});
    ASSERT_EQ(view.Selection(), blue);

    Export("whole", 2);
    Export("part", 2, true);
    const QImage whole(QString::fromStdString(Path("whole.png")));
    const QImage part(QString::fromStdString(Path("part.png")));
    ASSERT_EQ(whole.size(), QSize(100, 80));
    EXPECT_EQ(whole.pixel(55, 35), 0xFFFF0000u);
    EXPECT_EQ(whole.pixel(99, 50), 0xFF0000FFu);
    EXPECT_EQ(whole.pixel(5, 5), 0xFF336699u);
    // (59, 39) to (101, 61): clipped at the canvas edge, then one unit more on every side.
    ASSERT_EQ(part.size(), QSize(42, 22));
    EXPECT_EQ(part.pixel(0, 0), 0xFF336699u);
    EXPECT_EQ(part.pixel(20, 11), 0xFF0000FFu);

    // So is the SVG: the same box, the blue item alone.
    Export("part", 4, true);
    const std::string svg = FileBytes(Path("part.svg"));
    EXPECT_NE(svg.find("viewBox=\"59 39 42 22\""), std::string::npos) << svg;
    EXPECT_NE(svg.find("fill=\"#0000ff\""), std::string::npos) << svg;
    EXPECT_EQ(svg.find("fill=\"#ff0000\""), std::string::npos) << svg;

    // The drawing file of a selection holds the selected item alone.
    Export("part", 0, true);
    CKorvaniDoc read;
    ReadItemsResult items = ReadItemsFile(read, {}, {}, Path("part.xml"), 0);
    ASSERT_EQ(items.items.size(), 1u);
    ExpectRect(items.items[0]->Bounds(), {0, 0, 60, 20});
    ReleaseReadItems(items.items);
}

TEST_F(FileCommandsTest, ExportsThatCannotBeMadeSaySoAndWriteNothing)
{
    MakeCanvas(100, 80);
    AddRect(10, 10, 20, 20);
    DrawItem* outside = AddRect(200, 10, 20, 20);
    const struct
    {
        const char* typed;
        int filter;
        bool onlySelected;
        DrawItem* selected;
        const char* said;
    } cases[] = {
        {"none", 2, true, nullptr, "Nothing is selected"},
        {"none", 0, true, nullptr, "Nothing is selected"},
        {"off", 1, true, outside, "outside the canvas"},
        {"missing/pic", 2, false, nullptr, "missing/pic.png"},
        {"missing/mail", 3, false, nullptr, "missing/mail.eml"},
        {"missing/copy", 0, false, nullptr, "missing/copy.xml"},
        {"missing/vector", 4, false, nullptr, "missing/vector.svg"},
        {"off", 5, true, outside, "outside the canvas"},
    };
    for (const auto& c : cases) {
        view.SelectNone();
        if (c.selected)
            view.AddToSelection(c.selected);
        host.messages.clear();
        Export(c.typed, c.filter, c.onlySelected);
        ASSERT_EQ(host.messages.size(), 1u) << c.typed;
        EXPECT_NE(host.messages[0].text.find(c.said), std::string::npos) << host.messages[0].text;
    }
    EXPECT_TRUE(Files().isEmpty()) << Files().join(' ').toStdString();

    // Cancelling the dialog writes nothing and says nothing.
    host.messages.clear();
    host.QueueExport(std::nullopt);
    view.DoCommand(CommandExport);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(FileCommandsTest, ImportAndCaptureChooseTheToolThatPlacesAWorkingCopy)
{
    MakeCanvas(100, 80);
    const QString picture = QString::fromStdString(Path("shot.bmp"));
    QImage shot(4, 3, QImage::Format_RGB32);
    shot.fill(Qt::red);
    ASSERT_TRUE(shot.save(picture));
    const struct
    {
        const char* source;
        bool capture;
        ToolKind tool;
    } cases[] = {
        {KORVANI_TEST_DATA_DIR "/red_blue.gif", false, ToolKind::PlaceImage},
        {KORVANI_TEST_DATA_DIR "/two_boxes.xml", false, ToolKind::PlaceFile},
        {nullptr, true, ToolKind::PlaceImage},
    };
    for (const auto& c : cases) {
        const std::string source = c.source ? c.source : picture.toStdString();
        view.SetTool(ToolKind::Rectangle);
        if (c.capture) {
            host.QueueCapture(source);
            view.DoCommand(CommandCaptureScreen);
        } else {
            host.QueueFile(FileDialogAnswer{source});
            view.DoCommand(CommandImport);
        }
        EXPECT_EQ(view.ActiveTool(), ToolValue(c.tool)) << source;
        EXPECT_EQ(view.PreviousTool(), ToolValue(ToolKind::Rectangle));
        ASSERT_FALSE(TempFileList().empty());
        EXPECT_EQ(FileBytes(TempFileList().back()), FileBytes(source)) << source;
    }
    // A cancelled capture or import leaves the tool alone.
    view.SetTool(ToolKind::Line);
    host.QueueCapture(std::nullopt);
    view.DoCommand(CommandCaptureScreen);
    host.QueueFile(std::nullopt);
    view.DoCommand(CommandImport);
    EXPECT_EQ(view.ActiveTool(), ToolValue(ToolKind::Line));
}

TEST_F(FileCommandsTest, PrintHandsTheHostTheCanvasFittedToThePageAndReportsAFailure)
{
    view.OnResize(300, 300);
    ASSERT_TRUE(view.NewCanvas(100, 80, 0x336699));
    AddRect(0, 0, 50, 80, 0xFFFF0000);
    host.printPageSize = QSize(200, 100);
    ASSERT_TRUE(view.DoFileCommand(ID_PRINT));
    ASSERT_EQ(host.printTitles.size(), 1u);
    // 100 x 80 fits a 200 x 100 page at 125%, centred: x from 37.5 to 162.5.
    EXPECT_EQ(host.printedPage.pixel(40, 50), 0xFFFF0000u);
    EXPECT_EQ(host.printedPage.pixel(150, 98), 0xFF336699u) << "the canvas";
    EXPECT_EQ(host.printedPage.pixel(20, 50), 0xFFFFFFFFu) << "the page";
    EXPECT_TRUE(host.messages.empty());

    host.printAnswer = {false, "out of paper"};
    view.DoFileCommand(ID_PRINT);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{host.printTitles.back() + ": out of paper"});
}

TEST_F(FileCommandsTest, EmailTagsAreTextsAtTheOriginInOneStep)
{
    MakeCanvas(100, 80);
    view.SetTool(ToolKind::Ellipse);
    ASSERT_TRUE(view.DoFileCommand(ID_INSERT_NAME_TAG));
    ASSERT_TRUE(view.DoFileCommand(ID_INSERT_EMAIL_TAG));
    ASSERT_EQ(doc.GetItemCount(), 2);
    EXPECT_EQ(doc.GetItem(0)->TypeCode(), ItemText);
    EXPECT_EQ(doc.GetItem(0)->GetTextAttr(ATTR_CONTENT), "##NAME##");
    EXPECT_EQ(doc.GetItem(1)->GetTextAttr(ATTR_CONTENT), "##EMAIL##");
    EXPECT_EQ(view.Selection(), doc.GetItem(1));
    EXPECT_EQ(view.ActiveTool(), ToolValue(ToolKind::Ellipse));
    view.DoCommand(CommandUndo);
    EXPECT_EQ(doc.GetItemCount(), 1);
}

TEST_F(FileCommandsTest, TheGalleryOpensOnlyWhenConfiguredAndTheStartDialogDispatches)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    const auto gallery = [this](const char* site) {
        QSettings("Local AppWizard-Generated Applications", "Korvani").setValue(TemplateGallerySetting, site);
        host.messages.clear();
        host.webPages.clear();
        view.DoFileCommand(ID_DOWNLOAD_TEMPLATE);
    };
    gallery("");
    EXPECT_TRUE(host.webPages.empty());
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{"No template gallery is configured"});
    gallery("templates.example.org/");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.webPages, std::vector<std::string>{"https://templates.example.org/works/default.asp"});

    // The start dialog: a choice runs its command; closing it runs none.
    host.messages.clear();
    host.QueueStartChoice(4);
    host.QueueStartChoice(-1);
    host.QueueStartChoice(1);
    host.QueueNewTemplate(CanvasAnswer{600, 525, 0xFFFFFF, 4});
    for (int i = 0; i < 3; ++i)
        view.DoFileCommand(ID_SPLASH_SCREEN);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{"Upload not available for client version"});
    EXPECT_EQ(view.GetCanvas().height, 525);
    EXPECT_FALSE(view.DoFileCommand(ID_GROUP)) << "not a file command";
}

} // namespace
