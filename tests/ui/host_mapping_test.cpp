#include "ui/frame/command_table.h"
#include "ui/frame/host_mapping.h"

#include "view/view_codes.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(HostMappingTest, BarSeparatedFiltersBecomeQtNameFilters)
{
    EXPECT_EQ(NameFiltersFor("Plimsa source file(*.xml)|*.xml|"),
              QStringList{QStringLiteral("Plimsa source file(*.xml) (*.xml)")});
    const QStringList exportFilters = NameFiltersFor(
        "Plimsa source file(*.xml)|*.xml|Jpeg File(*.jpg)|*.jpg|Png File(*.png)|*.png|Email File(*.eml)|*.eml|");
    ASSERT_EQ(exportFilters.size(), 4);
    EXPECT_EQ(exportFilters[3], QStringLiteral("Email File(*.eml) (*.eml)"));
    EXPECT_EQ(NameFiltersFor("All support files|*.xml;*.png;*.jpg;*.gif;*.bmp;*.wmf;*.emf;*.jpe;*.jif;*.tif;*.tiff;*.ico||"),
              QStringList{QStringLiteral(
                  "All support files (*.xml *.png *.jpg *.gif *.bmp *.wmf *.emf *.jpe *.jif *.tif *.tiff *.ico)")});
    // Nothing after the double bar; a description without patterns is dropped.
    EXPECT_EQ(NameFiltersFor("A|*.a||B|*.b|"), QStringList{QStringLiteral("A (*.a)")});
    EXPECT_EQ(NameFiltersFor("Lonely"), QStringList{});
    EXPECT_EQ(NameFiltersFor(""), QStringList{});
    EXPECT_EQ(NameFiltersFor("Text|*.txt"), QStringList{QStringLiteral("Text (*.txt)")});

    EXPECT_EQ(NameFilterIndex(exportFilters, exportFilters[2]), 2);
    EXPECT_EQ(NameFilterIndex(exportFilters, QStringLiteral("Other (*.x)")), 0);
}

TEST(HostMappingTest, ABoxClosedWithoutAButtonGivesItsSafeAnswer)
{
    EXPECT_EQ(AnswerForButton(QMessageBox::Yes, MessageButtons::YesNoCancel), MessageAnswer::Yes);
    EXPECT_EQ(AnswerForButton(QMessageBox::NoButton, MessageButtons::YesNoCancel), MessageAnswer::Cancel);
    EXPECT_EQ(AnswerForButton(QMessageBox::NoButton, MessageButtons::YesNo), MessageAnswer::No);
    EXPECT_EQ(AnswerForButton(QMessageBox::NoButton, MessageButtons::Ok), MessageAnswer::Ok);
    // A button the box does not offer is no answer of it.
    EXPECT_EQ(AnswerForButton(QMessageBox::Yes, MessageButtons::OkCancel), MessageAnswer::Cancel);
}

TEST(CommandTableTest, NamesAreFoundInAnyCaseWithOrWithoutThePrefix)
{
    EXPECT_EQ(FrameCommandIdForName("group"), std::optional<int>(ID_GROUP));
    EXPECT_EQ(FrameCommandIdForName("Id_Tool_Zoom_In"), std::optional<int>(ID_TOOL_ZOOM_IN));
    EXPECT_EQ(FrameCommandIdForName("ID_"), std::nullopt);
    EXPECT_EQ(FrameCommandIdForName("ID_GROUPS"), std::nullopt);
    EXPECT_EQ(FrameCommandName(209), "");
    // Ids and names are unique, so every name leads back to its own id.
    std::set<int> ids;
    std::set<std::string_view> names;
    for (const FrameCommand& command : FrameCommands()) {
        EXPECT_TRUE(ids.insert(command.id).second) << command.id;
        EXPECT_TRUE(names.insert(command.name).second) << command.name;
    }
    EXPECT_EQ(ToolValueForName("PLACEFILE"), std::optional<int>(ToolValue(ToolKind::PlaceFile)));
    EXPECT_EQ(ToolValueForName("zoom"), std::nullopt);
}

} // namespace
