#pragma once

#include <QMainWindow>

class ViewArea;

// The main window: the editing view in the client area, bars around it.
class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);

    ViewArea* viewArea() const { return area; }

private:
    ViewArea* area;
};
