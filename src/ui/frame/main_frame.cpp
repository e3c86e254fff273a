#include "ui/frame/main_frame.h"

#include "ui/bars/gradient_bar.h"
#include "ui/bars/property_bar.h"
#include "ui/bars/text_bar.h"

#include "items/draw_item.h"
#include "ui/controls/sizing_panel.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/frame/icons.h"
#include "ui/frame/menu_table.h"
#include "ui/frame/view_area.h"
#include "ui/panels/items_panel.h"
#include "view/korvani_view.h"

#include <QAction>
#include <QCloseEvent>
#include <QDockWidget>
#include <QTimer>
#include <QToolBar>

CMainFrame::CMainFrame(CKorvaniDoc& document, QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Korvani"));
    setWindowIcon(ApplicationIcon());
    panel = new ItemsPanel;
    BuildBars();
    BuildMenus();
    area = new ViewArea(document, this, this);
    setCentralWidget(area);
    // Key presses and mouse releases in the view may change what the
    // commands can do without a notice (an undo by key, a drag's commit).
    area->installEventFilter(this);
    area->viewport()->installEventFilter(this);
    panel->SetView(&area->View());
    SetViewOfBars();
    OnToolChanged(area->View().ActiveTool());
    OnZoomChanged(area->View().Zoom());
    resize(1024, 768);
    // Keys go to the view from the start.
    area->setFocus();
}

CMainFrame::~CMainFrame()
{
    // The view goes first, while the frame it notifies is still whole; the
    // panel lets go of it before.
    panel->SetView(nullptr);
    propertyBarWidget->SetView(nullptr);
    textBarWidget->SetView(nullptr);
    gradientBarWidget->SetView(nullptr);
    delete std::exchange(area, nullptr);
    // The bars hide as the window goes, when it is no frame any more.
    for (QToolBar* bar : findChildren<QToolBar*>())
        bar->disconnect(this);
    dock->disconnect(this);
}

bool CMainFrame::DoCommandId(int id)
{
    switch (id) {
    case ID_APP_ABOUT: {
        AboutDialog about(this);
        about.exec();
        return true;
    }
    case ID_APP_EXIT:
        close();
        return true;
    default:
        break;
    }
    if (ShownBy(id)) {
        ToggleShown(id);
        RefreshCommands();
        return true;
    }
    if (!area)
        return false;
    const std::string before = area->View().CurrentFilePath();
    const bool done = area->View().DoMenuCommand(id);
    if (area->View().CurrentFilePath() != before || id == ID_SAVE_FILE)
        NoteRecentFile();
    RefreshCommands();
    return done;
}

void CMainFrame::RefreshCommands()
{
    refreshQueued = false;
    if (!area)
        return;
    const CKorvaniView& view = area->View();
    for (QAction* action : findChildren<QAction*>()) {
        bool isId = false;
        const int id = action->data().toInt(&isId);
        if (!isId || id <= 0)
            continue;
        if (const QWidget* shown = ShownBy(id)) {
            action->setChecked(!shown->isHidden());
            continue;
        }
        if (id == ID_APP_ABOUT || id == ID_APP_EXIT)
            continue;
        const CommandUpdate state = view.CommandState(id);
        action->setEnabled(state.enabled);
        if (action->isCheckable())
            action->setChecked(state.checked);
    }
}

void CMainFrame::QueueRefresh()
{
    if (refreshQueued)
        return;
    refreshQueued = true;
    QTimer::singleShot(0, this, &CMainFrame::RefreshCommands);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonRelease)
        QueueRefresh();
    return QMainWindow::eventFilter(watched, event);
}

bool CMainFrame::OpenFile(const QString& path)
{
    if (!area || !area->OpenDrawing(path.toStdString()))
        return false;
    NoteRecentFile();
    RefreshCommands();
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (area && !area->View().PromptSaveCurrent()) {
        event->ignore();
        return;
    }
    event->accept();
}

// --- notices from the view ---

void CMainFrame::OnSelectionChanged(DrawItem* selection)
{
    if (panel)
        panel->MarkSelection(selection);
    PropertyBarShowItem(selection);
    if (textBarWidget) {
        if (selection && selection->TypeCode() == ItemText) {
            // An open text bar keeps what the user may be choosing in it.
            if (textBarWidget->isHidden()) {
                textBarWidget->show();
                TextBarShowItem(selection);
            }
        } else {
            textBarWidget->hide();
        }
    }
    RefreshCommands();
}

void CMainFrame::OnToolChanged(int tool)
{
    if (editToolsBarWidget && gradientBarWidget) {
        if (tool == ToolValue(ToolKind::Edit)) {
            if (editToolsBarWidget->isHidden())
                ShowDockedAtTop(editToolsBarWidget);
        } else if (tool == ToolValue(ToolKind::GradientLine) || tool == ToolValue(ToolKind::GradientFill)) {
            if (gradientBarWidget->isHidden())
                ShowDockedAtTop(gradientBarWidget);
        } else {
            editToolsBarWidget->hide();
            gradientBarWidget->hide();
        }
    }
    RefreshCommands();
}

void CMainFrame::OnZoomChanged(float zoom)
{
    PropertyBarShowZoom(zoom);
}

void CMainFrame::OnItemsChanged(DrawItem* selection)
{
    if (panel)
        panel->Rebuild(selection);
    RefreshCommands();
}

void CMainFrame::OnItemsMark(DrawItem* selection)
{
    if (panel)
        panel->MarkSelection(selection);
}

void CMainFrame::OnGradientValues(int position, int angle, int wrapMode)
{
    GradientBarShowGradient(position, angle, wrapMode);
    RefreshCommands();
}
