#include "ui/frame/bar_buttons.h"
#include "ui/frame/command_table.h"
#include "ui/frame/icons.h"

#include <QFile>
#include <QIcon>
#include <QImage>

#include <gtest/gtest.h>

#include <map>
#include <vector>
#include <span>
#include <string>

namespace {

// No desktop theme while it lives; the one before comes back after.
struct NoIconTheme
{
    const QString theme = QIcon::themeName();
    const QStringList searchPaths = QIcon::themeSearchPaths();
    NoIconTheme()
    {
        QIcon::setThemeSearchPaths({});
        QIcon::setThemeName(QStringLiteral("no-such-theme"));
    }
    ~NoIconTheme()
    {
        QIcon::setThemeSearchPaths(searchPaths);
        QIcon::setThemeName(theme);
    }
};

// Without a desktop theme every picture is the program's own: each command
// that shows one gets a picture of its own that draws at menu size, and the
// bars' control slots and the show-and-hide entries show none.
TEST(CommandIconTest, EachCommandDrawsItsOwnPictureWithoutATheme)
{
    const NoIconTheme noTheme;

    for (std::span<const int> bar : {std::span<const int>(CommandBarButtons), std::span<const int>(ToolsBarButtons),
                                     std::span<const int>(PropertyBarButtons), std::span<const int>(TextBarButtons),
                                     std::span<const int>(EditToolsBarButtons),
                                     std::span<const int>(GradientBarButtons)}) {
        for (int id : bar)
            EXPECT_FALSE(FrameCommandName(id).empty()) << id << " is on a bar but is no command";
    }

    std::vector<int> ids{LockCommandId, HideCommandId};
    for (const FrameCommand& command : FrameCommands())
        ids.push_back(command.id);
    std::map<QByteArray, int> pictures;
    for (int id : ids) {
        const std::string name = id == LockCommandId ? "lock"
                               : id == HideCommandId ? "hide"
                                                     : std::string(FrameCommandName(id));
        const bool blank = name.find("_SLOT") != std::string::npos || name.starts_with("ID_VIEW_");
        const QIcon icon = CommandIcon(id);
        if (blank) {
            EXPECT_TRUE(icon.isNull()) << name;
            continue;
        }
        ASSERT_FALSE(icon.isNull()) << name;
        EXPECT_TRUE(QFile::exists(CommandIconFile(id))) << name << " " << CommandIconFile(id).toStdString();
        const QImage image = icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), QSize(16, 16)) << name;
        int inked = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                inked += qAlpha(image.pixel(x, y)) > 128;
        EXPECT_GE(inked, 16) << name << " draws next to nothing";
        const auto [seen, fresh] = pictures.emplace(
            QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()), id);
        EXPECT_TRUE(fresh) << name << " shows the picture of " << FrameCommandName(seen->second);
    }
}

} // namespace
