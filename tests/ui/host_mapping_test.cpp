#include "ui/frame/command_table.h"
#include "ui/frame/host_mapping.h"

#include "view/view_codes.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(HostMappingTest, CursorIdsGetShapesOfTheirMeaning)
{
    // The eight handles: opposite handles share a shape, each axis its own.
    EXPECT_EQ(CursorShapeFor(CursorSizeNorthSouth), Qt::SizeVerCursor);
    EXPECT_EQ(CursorShapeFor(CursorSizeWestEast), Qt::SizeHorCursor);
    EXPECT_EQ(CursorShapeFor(CursorSizeNorthEastSouthWest), Qt::SizeBDiagCursor);
    EXPECT_EQ(CursorShapeFor(CursorSizeNorthWestSouthEast), Qt::SizeFDiagCursor);
    EXPECT_EQ(CursorShapeFor(CursorMove), Qt::SizeAllCursor);
    EXPECT_EQ(CursorShapeFor(CursorHand), Qt::OpenHandCursor);
    EXPECT_EQ(CursorShapeFor(CursorTextInsertion), Qt::IBeamCursor);
    EXPECT_EQ(CursorShapeFor(CursorEditNode), Qt::PointingHandCursor);
    EXPECT_EQ(CursorShapeFor(CursorArrow), Qt::ArrowCursor);
    for (const int drawing : {CursorLine, CursorRectangle, CursorEllipse, CursorBezier, CursorDoodle})
        EXPECT_EQ(CursorShapeFor(drawing), Qt::CrossCursor) << drawing;
    EXPECT_EQ(CursorShapeFor(0), Qt::ArrowCursor);
    EXPECT_EQ(CursorShapeFor(9999), Qt::ArrowCursor);
}

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

TEST(HostMappingTest, MessageButtonsAndAnswers)
{
    EXPECT_EQ(MessageBoxIcon(MessageIcon::Stop), QMessageBox::Critical);
    EXPECT_EQ(MessageBoxIcon(MessageIcon::Question), QMessageBox::Question);
    EXPECT_EQ(MessageBoxIcon(MessageIcon::None), QMessageBox::NoIcon);
    EXPECT_EQ(MessageBoxButtons(MessageButtons::YesNoCancel),
              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(MessageBoxButtons(MessageButtons::Ok), QMessageBox::Ok);

    EXPECT_EQ(AnswerForButton(QMessageBox::Yes, MessageButtons::YesNoCancel), MessageAnswer::Yes);
    EXPECT_EQ(AnswerForButton(QMessageBox::No, MessageButtons::YesNo), MessageAnswer::No);
    EXPECT_EQ(AnswerForButton(QMessageBox::Cancel, MessageButtons::OkCancel), MessageAnswer::Cancel);
    // Closed without a button: the safe answer the box offers.
    EXPECT_EQ(AnswerForButton(QMessageBox::NoButton, MessageButtons::YesNoCancel), MessageAnswer::Cancel);
    EXPECT_EQ(AnswerForButton(QMessageBox::NoButton, MessageButtons::YesNo), MessageAnswer::No);
    EXPECT_EQ(AnswerForButton(QMessageBox::NoButton, MessageButtons::Ok), MessageAnswer::Ok);
    // A button the box does not offer is no answer of it.
    EXPECT_EQ(AnswerForButton(QMessageBox::Yes, MessageButtons::OkCancel), MessageAnswer::Cancel);
}

TEST(CommandTableTest, NamesAndIdsBothWays)
{
    EXPECT_EQ(FrameCommandIdForName("ID_GROUP"), std::optional<int>(ID_GROUP));
    EXPECT_EQ(FrameCommandIdForName("group"), std::optional<int>(ID_GROUP));
    EXPECT_EQ(FrameCommandIdForName("Id_Tool_Zoom_In"), std::optional<int>(ID_TOOL_ZOOM_IN));
    EXPECT_EQ(FrameCommandIdForName("ID_VIEW_TOOLBAR"), std::optional<int>(59392));
    EXPECT_EQ(FrameCommandIdForName("ID_PROPERTY_BAR_SLOT_12"), std::optional<int>(32880));
    EXPECT_EQ(FrameCommandIdForName("ID_"), std::nullopt);
    EXPECT_EQ(FrameCommandIdForName("ID_GROUPS"), std::nullopt);
    EXPECT_EQ(FrameCommandName(32790), "ID_GROUP");
    EXPECT_EQ(FrameCommandName(209), "");

    // Ids and names are unique, and every view command id is listed under its own name.
    std::set<int> ids;
    std::set<std::string_view> names;
    for (const FrameCommand& command : FrameCommands()) {
        EXPECT_TRUE(ids.insert(command.id).second) << command.id;
        EXPECT_TRUE(names.insert(command.name).second) << command.name;
        EXPECT_EQ(FrameCommandIdForName(command.name), std::optional<int>(command.id));
    }
    for (const int id : {ID_NEW_DRAWING, ID_TOOL_SELECT, ID_DELETE_POINT, ID_GRADIENT_STOP_COLOR, ID_TEXT_UNDERLINE})
        EXPECT_TRUE(ids.count(id)) << id;

    EXPECT_EQ(ToolValueForName("zoomin"), std::optional<int>(ToolValue(ToolKind::ZoomIn)));
    EXPECT_EQ(ToolValueForName("PLACEFILE"), std::optional<int>(ToolValue(ToolKind::PlaceFile)));
    EXPECT_EQ(ToolValueForName("zoom"), std::nullopt);
    EXPECT_EQ(ToolName(ToolValue(ToolKind::GradientLine)), "GradientLine");
    EXPECT_EQ(ToolName(110), "");
}

} // namespace
