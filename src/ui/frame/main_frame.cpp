#include "ui/frame/main_frame.h"

#include "ui/frame/command_table.h"
#include "ui/frame/resources.h"
#include "ui/frame/view_area.h"
#include "view/korvani_view.h"

#include <QIcon>
#include <QLabel>
#include <QStatusBar>

#include <cmath>

CMainFrame::CMainFrame(CKorvaniDoc& document, QWidget* parent)
    : QMainWindow(parent), area(new ViewArea(document, this, this)), zoomLabel(new QLabel(this)),
      toolLabel(new QLabel(this))
{
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
    // The view goes first, while the frame it notifies is still whole.
    delete area;
}

void CMainFrame::OnSelectionChanged(DrawItem*) {}

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

void CMainFrame::OnItemsChanged(DrawItem*) {}

void CMainFrame::OnItemsMark(DrawItem*) {}

void CMainFrame::OnGradientValues(int, int, int) {}
