#pragma once

#include "ui/frame/frame_notices.h"

#include <QMainWindow>

#include <map>
#include <span>

class CKorvaniDoc;
class ItemsPanel;
class QAction;
class QDockWidget;
class QMenu;
class GradientBar;
class PropertyBar;
class QToolBar;
class TextBar;
class ViewArea;

// The main window: the editing view in the client area, the menus, three
// icon bars, three control bars and the items panel around it. Menu and bar
// commands go through DoCommandId; the view's notifications come back
// through FrameNotices and keep the bars and the command states in step.
// One class over three files: main_frame.cpp, frame_menus.cpp, frame_bars.cpp.
class CMainFrame : public QMainWindow, public FrameNotices
{
    Q_OBJECT
public:
    explicit CMainFrame(CKorvaniDoc& document, QWidget* parent = nullptr);
    ~CMainFrame() override;

    ViewArea* viewArea() const { return area; }
    ItemsPanel* itemsPanel() const { return panel; }
    QDockWidget* itemsDock() const { return dock; }
    QToolBar* commandBar() const { return commandBarWidget; }
    QToolBar* toolsBar() const { return toolsBarWidget; }
    QToolBar* editToolsBar() const { return editToolsBarWidget; }
    PropertyBar* propertyBar() const { return propertyBarWidget; }
    TextBar* textBar() const { return textBarWidget; }
    GradientBar* gradientBar() const { return gradientBarWidget; }

    // The one dispatch of a menu or bar command id: the frame's own ids
    // here, every other id to the view. False for an id nothing carries out.
    bool DoCommandId(int id);
    // Enabled and checked states of every action in the window that carries
    // a command id in its data().
    void RefreshCommands();
    // Opens a drawing as a chosen recent file or the command line does: a
    // file that cannot be opened is named in a message and the drawing stays.
    bool OpenFile(const QString& path);

    // --- FrameNotices ---
    void OnSelectionChanged(DrawItem* selection) override;
    void OnToolChanged(int tool) override;
    void OnZoomChanged(float zoom) override;
    void OnItemsChanged(DrawItem* selection) override;
    void OnItemsMark(DrawItem* selection) override;
    void OnGradientValues(int position, int angle, int wrapMode) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // frame_menus.cpp
    void BuildMenus();
    void FillRecentMenu();
    void OpenRecentFile(const QString& path);
    void NoteRecentFile();
    // The one action of a command id, shared by its menu entry and bar button.
    QAction* CommandAction(int id);

    // frame_bars.cpp
    void BuildBars();
    QToolBar* MakeIconBar(const QString& name, const QString& title, std::span<const int> buttons);
    QToolBar* MakeControlBar(const QString& name, const QString& title);
    // The bar or panel a show-and-hide id stands for.
    QWidget* ShownBy(int id) const;
    void ToggleShown(int id);
    void ShowDockedAtTop(QToolBar* bar);
    void ShowDockedAtRight();

    // The control bars' side of the relays.
    void SetViewOfBars();
    void PropertyBarShowItem(DrawItem* item);
    void PropertyBarShowZoom(float zoom);
    void TextBarShowItem(DrawItem* item);
    void GradientBarShowGradient(int position, int angle, int wrapMode);

    void QueueRefresh();

    // Before the view area: the view may notify the frame while it is made.
    ItemsPanel* panel = nullptr;
    QDockWidget* dock = nullptr;
    QToolBar* commandBarWidget = nullptr;
    QToolBar* toolsBarWidget = nullptr;
    QToolBar* editToolsBarWidget = nullptr;
    PropertyBar* propertyBarWidget = nullptr;
    TextBar* textBarWidget = nullptr;
    GradientBar* gradientBarWidget = nullptr;
    QMenu* recentMenu = nullptr;
    std::map<int, QAction*> actions;
    ViewArea* area = nullptr;
    bool refreshQueued = false;
};
