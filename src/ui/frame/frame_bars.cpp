// The main window's bars and the items panel: made, docked in order, shown
// and hidden; and the control bars' side of the view's notices.

#include "ui/frame/main_frame.h"

#include "ui/bars/gradient_bar.h"
#include "ui/bars/property_bar.h"
#include "ui/bars/text_bar.h"
#include "ui/controls/sizing_panel.h"
#include "ui/frame/bar_buttons.h"
#include "ui/frame/command_table.h"
#include "ui/frame/icons.h"
#include "ui/frame/menu_table.h"
#include "ui/frame/view_area.h"
#include "ui/panels/items_panel.h"

#include <QAction>
#include <QFontDatabase>
#include <QToolBar>

#include <initializer_list>

namespace {

constexpr QSize ButtonPicture(24, 24);

} // namespace

void CMainFrame::BuildBars()
{
    commandBarWidget = MakeIconBar(QStringLiteral("CommandBar"), tr("Command Bar"), CommandBarButtons);
    toolsBarWidget = MakeIconBar(QStringLiteral("ToolsBar"), tr("Tool Bar"), ToolsBarButtons);
    toolsBarWidget->setOrientation(Qt::Vertical);
    editToolsBarWidget = MakeIconBar(QStringLiteral("EditToolsBar"), tr("Edit Tools"), EditToolsBarButtons);
    propertyBarWidget = new PropertyBar(this);
    textBarWidget = new TextBar(this);
    gradientBarWidget = new GradientBar(this);

    toolsBarWidget->setAllowedAreas(Qt::LeftToolBarArea);
    for (QToolBar* bar : std::initializer_list<QToolBar*>{commandBarWidget, propertyBarWidget, editToolsBarWidget, textBarWidget, gradientBarWidget})
        bar->setAllowedAreas(Qt::TopToolBarArea);

    addToolBar(Qt::TopToolBarArea, commandBarWidget);
    addToolBar(Qt::LeftToolBarArea, toolsBarWidget);
    // The control bars make a second row: beside the 25 commands they would
    // not fit on a usual screen.
    addToolBarBreak(Qt::TopToolBarArea);
    for (QToolBar* bar : std::initializer_list<QToolBar*>{propertyBarWidget, editToolsBarWidget, textBarWidget, gradientBarWidget})
        addToolBar(Qt::TopToolBarArea, bar);

    auto* panelDock = new SizingPanel(QStringLiteral("Items Panel"), this, QSize(150, 260), true);
    panelDock->setObjectName(QStringLiteral("ItemsPanel"));
    panelDock->setWidget(panel);
    panelDock->setAllowedAreas(Qt::RightDockWidgetArea);
    addDockWidget(Qt::RightDockWidgetArea, panelDock);
    dock = panelDock;

    textBarWidget->hide();
    editToolsBarWidget->hide();
    gradientBarWidget->hide();
    // A bar closed from its own floating frame unchecks its menu entry.
    for (QToolBar* bar : findChildren<QToolBar*>())
        connect(bar, &QToolBar::visibilityChanged, this, &CMainFrame::QueueRefresh);
    connect(dock, &QDockWidget::visibilityChanged, this, &CMainFrame::QueueRefresh);
}

QToolBar* CMainFrame::MakeIconBar(const QString& name, const QString& title, std::span<const int> buttons)
{
    QToolBar* bar = MakeControlBar(name, title);
    for (const int id : buttons)
        bar->addAction(CommandAction(id));
    return bar;
}

QToolBar* CMainFrame::MakeControlBar(const QString& name, const QString& title)
{
    auto* bar = new QToolBar(title, this);
    bar->setObjectName(name);
    bar->setIconSize(ButtonPicture);
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->setMovable(true);
    bar->setFloatable(true);
    // Labels and boxes in the bars are small, as the desktop makes small text.
    bar->setFont(QFontDatabase::systemFont(QFontDatabase::SmallestReadableFont));
    return bar;
}

QWidget* CMainFrame::ShownBy(int id) const
{
    switch (id) {
    case ID_VIEW_TOOLBAR: return toolsBarWidget;
    case ID_VIEW_COMMAND_BAR: return commandBarWidget;
    case ID_VIEW_TEXT_BAR: return textBarWidget;
    case ID_VIEW_PROPERTY_BAR: return propertyBarWidget;
    case ID_VIEW_LAYER_BAR: return dock;
    case ID_VIEW_EDIT_TOOLS: return editToolsBarWidget;
    case ID_VIEW_GRADIENT_TOOLS: return gradientBarWidget;
    default: return nullptr;
    }
}

void CMainFrame::ToggleShown(int id)
{
    QWidget* target = ShownBy(id);
    if (!target->isHidden()) {
        target->hide();
        return;
    }
    // These three come back on their edge even when they were floating; the
    // others come back where they were.
    if (id == ID_VIEW_EDIT_TOOLS || id == ID_VIEW_GRADIENT_TOOLS)
        ShowDockedAtTop(static_cast<QToolBar*>(target));
    else if (id == ID_VIEW_LAYER_BAR)
        ShowDockedAtRight();
    else
        target->show();
}

void CMainFrame::ShowDockedAtTop(QToolBar* bar)
{
    if (bar->isFloating())
        addToolBar(Qt::TopToolBarArea, bar);
    bar->show();
}

void CMainFrame::ShowDockedAtRight()
{
    dock->setFloating(false);
    addDockWidget(Qt::RightDockWidgetArea, dock);
    dock->show();
}

void CMainFrame::SetViewOfBars()
{
    CKorvaniView* view = &area->View();
    propertyBarWidget->SetView(view);
    textBarWidget->SetView(view);
    gradientBarWidget->SetView(view);
}

void CMainFrame::PropertyBarShowItem(DrawItem* item)
{
    propertyBarWidget->ShowItem(item);
}

void CMainFrame::PropertyBarShowZoom(float zoom)
{
    propertyBarWidget->ShowZoom(zoom);
}

void CMainFrame::TextBarShowItem(DrawItem* item)
{
    textBarWidget->ShowItem(item);
}

void CMainFrame::GradientBarShowGradient(int position, int angle, int wrapMode)
{
    gradientBarWidget->ShowGradient(position, angle, wrapMode);
}
