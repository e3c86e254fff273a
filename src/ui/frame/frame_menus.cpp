// The main window's menus, the command actions they share with the bars,
// and the recent files.

#include "ui/frame/main_frame.h"

#include "ui/frame/command_table.h"
#include "ui/frame/icons.h"
#include "ui/frame/menu_table.h"
#include "ui/frame/recent_files.h"
#include "ui/frame/view_area.h"
#include "view/korvani_view.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

QAction* CMainFrame::CommandAction(int id)
{
    if (const auto found = actions.find(id); found != actions.end())
        return found->second;
    auto* action = new QAction(this);
    action->setData(id);
    action->setIcon(CommandIcon(id));
    const QString tip = QString::fromUtf8(FrameCommandTip(id));
    action->setText(tip);
    action->setToolTip(tip);
    const std::optional<ViewAction> viewAction = ViewActionForCommandId(id);
    const bool tool = viewAction && viewAction->kind == ViewAction::SetTool;
    action->setCheckable(tool || ShownBy(id) != nullptr);
    connect(action, &QAction::triggered, this, [this, id] { DoCommandId(id); });
    actions.emplace(id, action);
    return action;
}

void CMainFrame::BuildMenus()
{
    for (const FrameMenu& definition : FrameMenus()) {
        QMenu* menu = menuBar()->addMenu(tr(definition.title));
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::RefreshCommands);
        for (const MenuEntry& entry : definition.entries) {
            if (entry.id == MenuEntry::Separator) {
                menu->addSeparator();
                continue;
            }
            if (entry.id == MenuEntry::RecentFiles) {
                recentMenu = menu->addMenu(tr(entry.text));
                connect(menu, &QMenu::aboutToShow, this, &CMainFrame::FillRecentMenu);
                continue;
            }
            QAction* action = CommandAction(entry.id);
            QString text = tr(entry.text);
            if (entry.keys && entry.bound)
                action->setShortcut(QKeySequence(QString::fromLatin1(entry.keys)));
            else if (entry.keys)
                text += QLatin1Char('\t') + QString::fromLatin1(entry.keys);
            action->setText(text);
            menu->addAction(action);
        }
    }
    FillRecentMenu();
}

void CMainFrame::FillRecentMenu()
{
    recentMenu->clear();
    const QStringList files = RecentFiles::List();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        // An ampersand in a name is no mnemonic.
        QString shown = path;
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* entry = recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        connect(entry, &QAction::triggered, this, [this, path] { OpenRecentFile(path); });
    }
    recentMenu->setEnabled(!files.isEmpty());
}

void CMainFrame::OpenRecentFile(const QString& path)
{
    if (!QFileInfo::exists(path)) {
        QMessageBox::warning(this, QStringLiteral("Korvani"),
                             tr("Cannot open %1: the file does not exist. It is taken off the recent files.").arg(path));
        RecentFiles::Remove(path);
        FillRecentMenu();
        return;
    }
    if (area && area->View().PromptSaveCurrent())
        OpenFile(path);
}

void CMainFrame::NoteRecentFile()
{
    const std::string& path = area->View().CurrentFilePath();
    if (path.empty())
        return;
    RecentFiles::Add(QString::fromStdString(path));
    FillRecentMenu();
}
