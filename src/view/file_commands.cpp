// The file commands: new drawings, opening and saving, importing pictures
// and drawings, the screen capture, the e-mail tags and the template gallery.

#include "view/korvani_view.h"

#include "document/drawing_file.h"
#include "document/korvani_doc.h"
#include "items/attribute_format.h"
#include "platform/temp_files.h"
#include "view/host_progress.h"
#include "view/view_host.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QString>

#include <iterator>
#include <utility>

namespace {

constexpr const char* DrawingFilter = "Plimsa source file(*.xml)|*.xml|";
constexpr const char* ImportFilter =
    "All support files|*.xml;*.png;*.jpg;*.gif;*.bmp;*.wmf;*.emf;*.jpe;*.jif;*.tif;*.tiff;*.ico||";
constexpr const char* GalleryPath = "/works/default.asp";
// The settings the editor keeps; headless runs name them too, as they set no application name.
constexpr const char* SettingsOrganization = "Local AppWizard-Generated Applications";
constexpr const char* SettingsApplication = "Korvani";

QString Suffix(const std::string& path)
{
    return QFileInfo(QString::fromStdString(path)).suffix();
}

bool IsDrawingFile(const std::string& path)
{
    return Suffix(path).compare(QLatin1String("xml"), Qt::CaseInsensitive) == 0;
}

// "Opening drawing.xml": the work and the file's name without its folder.
std::string ProgressTitle(const char* work, const std::string& path)
{
    return std::string(work) + " " + QFileInfo(QString::fromStdString(path)).fileName().toStdString();
}

} // namespace

std::string TemplateGalleryPage()
{
    const QSettings settings(QString::fromLatin1(SettingsOrganization), QString::fromLatin1(SettingsApplication));
    QString site = settings.value(QString::fromLatin1(TemplateGallerySetting)).toString().trimmed();
    if (site.isEmpty())
        return {};
    if (!site.contains(QLatin1String("://")))
        site.prepend(QLatin1String("https://"));
    while (site.endsWith(QLatin1Char('/')))
        site.chop(1);
    return site.toStdString() + GalleryPath;
}

bool CKorvaniView::DoFileCommand(int commandId)
{
    CancelDrag();
    // An open curve counts as a change the save prompt asks about.
    FinishConstruction();
    switch (commandId) {
    case ID_NEW_DRAWING:
    case ID_NEW_EMAIL_TEMPLATE:
        if (PromptSave())
            NewDrawingCommand(commandId == ID_NEW_EMAIL_TEMPLATE);
        return true;
    case ID_OPEN_FILE:
        if (PromptSave())
            DoCommand(CommandOpen);
        return true;
    case ID_INSERT_NAME_TAG:
        InsertTag("##NAME##");
        return true;
    case ID_INSERT_EMAIL_TAG:
        InsertTag("##EMAIL##");
        return true;
    case ID_DOWNLOAD_TEMPLATE:
        DownloadTemplate();
        return true;
    case ID_UPLOAD_TEMPLATE:
        host.ShowMessage({"Upload not available for client version", MessageIcon::Information, MessageButtons::Ok});
        return true;
    case ID_SPLASH_SCREEN:
        StartDialog();
        return true;
    case ID_PRINT:
        PrintCommand();
        return true;
    case ID_EDIT_COPY:
        CopySelection();
        return true;
    case ID_EDIT_CUT:
        CutSelection();
        return true;
    case ID_EDIT_PASTE:
        PasteClipboard();
        return true;
    default:
        return false;
    }
}

void CKorvaniView::ShowFileError(const std::string& path, const std::string& reason)
{
    // Readers and writers below name the file themselves; others give only the reason.
    const std::string text = reason.find(path) == std::string::npos ? path + ": " + reason : reason;
    host.ShowMessage({text, MessageIcon::Stop, MessageButtons::Ok});
}

bool CKorvaniView::PromptSave()
{
    // Nothing to lose: no item, or nothing changed since the drawing was last saved or opened.
    if (doc.GetItemCount() == 0 || !IsModified())
        return true;
    switch (host.ShowMessage({"Save current file?", MessageIcon::Question, MessageButtons::YesNoCancel})) {
    case MessageAnswer::Yes:
        // A save that did not happen must not let the drawing be thrown away.
        return SaveCommand();
    case MessageAnswer::No:
        return true;
    case MessageAnswer::Ok:
    case MessageAnswer::Cancel:
        break;
    }
    return false;
}

bool CKorvaniView::SaveCommand()
{
    if (!currentFilePath.empty())
        return SaveDrawing(currentFilePath);
    const std::optional<FileDialogAnswer> chosen = host.AskFile({FileDialogKind::Save, DrawingFilter});
    if (!chosen || chosen->path.empty())
        return false;
    return SaveDrawing(IsDrawingFile(chosen->path) ? chosen->path : chosen->path + ".xml");
}

void CKorvaniView::OpenCommand()
{
    const std::optional<FileDialogAnswer> chosen = host.AskFile({FileDialogKind::Open, DrawingFilter});
    if (!chosen || chosen->path.empty())
        return;
    if (!IsDrawingFile(chosen->path)) {
        ShowFileError(chosen->path, "Korvani opens only drawing files (.xml)");
        return;
    }
    OpenDrawing(chosen->path);
}

void CKorvaniView::NewDrawingCommand(bool fromTemplate)
{
    const std::optional<CanvasAnswer> answer = fromTemplate ? host.AskNewTemplate() : host.AskNewCanvas();
    if (!answer)
        return;
    if (!NewCanvas(answer->width, answer->height, answer->color))
        return;
    // The new drawing has no file yet: Save asks for a name instead of
    // writing over the file last saved or opened.
    currentFilePath.clear();
}

void CKorvaniView::ImportCommand()
{
    const std::optional<FileDialogAnswer> chosen = host.AskFile({FileDialogKind::Open, ImportFilter});
    if (!chosen || chosen->path.empty())
        return;
    // A working copy of an unreadable file would place an empty picture.
    QFile source(QString::fromStdString(chosen->path));
    if (!source.open(QIODevice::ReadOnly)) {
        ShowFileError(chosen->path, source.errorString().toStdString());
        return;
    }
    source.close();
    const std::string copy = MakeTempCopy(chosen->path);
    if (copy.empty()) {
        ShowFileError(chosen->path, "no working copy could be written");
        return;
    }
    if (IsDrawingFile(chosen->path))
        BeginFilePlacement(copy);
    else
        BeginImagePlacement(copy, Suffix(chosen->path).toStdString());
}

void CKorvaniView::CaptureCommand()
{
    const std::optional<std::string> picture = host.AskCapture();
    if (!picture || picture->empty())
        return;
    const std::string copy = MakeTempCopy(*picture);
    if (copy.empty())
        return;
    // The type of an earlier import must not make the capture read as another format.
    const QString type = Suffix(*picture);
    BeginImagePlacement(copy, type.isEmpty() ? std::string("bmp") : type.toStdString());
}

void CKorvaniView::InsertTag(const char* tag)
{
    // The tag is a text item at the canvas origin, made as the Text tool
    // makes one; the tool itself stays (what was under construction is
    // already committed).
    const std::int32_t returnTo = std::exchange(activeTool, ToolValue(ToolKind::Text));
    ClearSelectionGroup();
    SetCreationDefaults(ToolValue(ToolKind::Text));
    creationAttributes[ATTR_CONTENT] = tag;
    creationNodes = {PathNode::AtPoint(0, 0, NodeSymmetric)};
    CommitCreation();
    activeTool = returnTo;
    Repaint();
}

void CKorvaniView::DownloadTemplate()
{
    const std::string page = TemplateGalleryPage();
    if (page.empty()) {
        host.ShowMessage({"No template gallery is configured", MessageIcon::Information, MessageButtons::Ok});
        return;
    }
    host.OpenWebPage(page);
}

void CKorvaniView::StartDialog()
{
    static constexpr int choices[] = {ID_NEW_DRAWING, ID_NEW_EMAIL_TEMPLATE, ID_OPEN_FILE, ID_DOWNLOAD_TEMPLATE,
                                      ID_UPLOAD_TEMPLATE};
    const int choice = host.AskStartChoice();
    // The dialog can be reopened over a drawing: its New and Open ask to
    // save it too (an empty drawing is not asked about).
    if (choice >= 0 && choice < int(std::size(choices)))
        DoFileCommand(choices[choice]);
}

bool CKorvaniView::OpenDrawing(const std::string& path)
{
    // Read aside first: a file that cannot be read or parsed, or whose reading
    // is cancelled, leaves the current drawing and its undo steps as they are.
    // The canvas values start as the document's, which a file of items keeps.
    CKorvaniDoc aside;
    aside.SetCanvasWidth(doc.GetCanvasWidth());
    aside.SetCanvasHeight(doc.GetCanvasHeight());
    aside.SetCanvasColor(doc.GetCanvasColor());
    const std::size_t workingFilesBefore = TempFileList().size();
    ReadItemsResult read;
    {
        const HostProgress progress(host, ProgressTitle("Opening", path));
        read = ReadItemsFile(aside, {}, {}, path, 0, true, progress.Callback());
    }
    if (read.cancelled)
        return false;
    if (!read.opened || !read.parsed) {
        ReleaseReadItems(read.items);
        host.ShowMessage({read.errorMessage.empty() ? "Cannot open " + path : read.errorMessage, MessageIcon::Stop,
                          MessageButtons::Ok});
        return false;
    }

    CancelDrag();
    FinishConstruction();
    // The pictures just read have working files of their own, which must stay.
    ClearDrawing(workingFilesBefore);
    doc.SetCanvasWidth(aside.GetCanvasWidth());
    doc.SetCanvasHeight(aside.GetCanvasHeight());
    doc.SetCanvasColor(aside.GetCanvasColor());
    for (int i = 0; i < aside.GetGuideCount(); ++i) {
        GuideLine guide;
        aside.GetGuide(i, guide);
        doc.AddGuide(guide);
    }
    doc.PushLoadedItems(std::move(read.items));
    currentFilePath = path;
    savedChange = doc.ChangeCount();
    canvas.width = doc.GetCanvasWidth();
    canvas.height = doc.GetCanvasHeight();
    canvas.color = 0xFF000000u | (doc.GetCanvasColor() & 0x00FFFFFFu);
    ApplyCanvasGeometry();
    SelectNone();
    host.ItemsPanelRebuild(nullptr);
    drawingOpened = true;
    Repaint();
    return true;
}

bool CKorvaniView::SaveDrawing(const std::string& path)
{
    // A curve still under construction is saved with the rest.
    FinishConstruction();
    HostProgress progress(host, ProgressTitle("Saving", path));
    const FileWriteResult result =
        WriteDrawingFile(path, doc, {canvas.width, canvas.height, canvas.color}, progress.Callback());
    progress.End();
    // Cancelled before the file was touched: not saved, and nothing to say.
    if (result.cancelled)
        return false;
    if (!result.ok) {
        host.ShowMessage({result.errorMessage, MessageIcon::Stop, MessageButtons::Ok});
        return false;
    }
    currentFilePath = path;
    savedChange = doc.ChangeCount();
    return true;
}

bool CKorvaniView::IsModified() const
{
    return doc.ChangeCount() != savedChange;
}

void CKorvaniView::AdoptFile(const std::string& path)
{
    currentFilePath = path;
    savedChange = ~std::uint64_t(0);
}
