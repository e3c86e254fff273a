#include "ui/frame/main_frame.h"

#include "ui/controls/sizing_panel.h"
#include "ui/frame/command_table.h"
#include "ui/frame/resources.h"
#include "ui/frame/view_area.h"
#include "ui/panels/items_panel.h"
#include "view/korvani_view.h"

#include <QIcon>
#include <QLabel>
#include <QStatusBar>

#include <cmath>

CMainFrame::CMainFrame(CKorvaniDoc& document, QWidget* parent)
    : QMainWindow(parent), area(new ViewArea(document, this, this)), zoomLabel(new QLabel(this)),
      toolLabel(new QLabel(this))
{
    panel = new ItemsPanel;
    auto* dock = new SizingPanel(QStringLiteral("Items Panel"), this, QSize(200, 400), true);
    dock->setObjectName(QStringLiteral("ItemsPanel"));
    dock->setWidget(panel);
    addDockWidget(Qt::RightDockWidgetArea, dock);
    panel->SetView(&area->View());
    setWindowTitle(QStringLiteral("Korvani"));
    EnsureUiResources();
    setWindowIcon(QIcon(QStringLiteral(":/icons/korvani.svg")));
    setCentralWidget(area);
    statusBar()->addPermanentWidget(toolLabel);
    statusBar()->addPermanentWidget(zoomLabel);
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
    delete area;
}

void CMainFrame::OnSelectionChanged(DrawItem* selection)
{
    if (panel)
        panel->MarkSelection(selection);
}

void CMainFrame::OnToolChanged(int tool)
{
    const std::string_view name = ToolName(tool);
    toolLabel->setText(name.empty() ? QString::number(tool)
                                    : QString::fromLatin1(name.data(), qsizetype(name.size())));
}

void CMainFrame::OnZoomChanged(float zoom)
{
    zoomLabel->setText(QStringLiteral("%1%").arg(std::lround(double(zoom) * 100)));
}

void CMainFrame::OnItemsChanged(DrawItem* selection)
{
    if (panel)
        panel->Rebuild(selection);
}

void CMainFrame::OnItemsMark(DrawItem* selection)
{
    if (panel)
        panel->MarkSelection(selection);
}

void CMainFrame::OnGradientValues(int, int, int) {}
