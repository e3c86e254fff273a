#include "ui/frame/main_frame.h"

#include "ui/frame/view_area.h"

#include <QIcon>

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent), area(new ViewArea(this))
{
    setWindowTitle(QStringLiteral("Korvani"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/korvani.svg")));
    setCentralWidget(area);
    resize(1024, 768);
}
