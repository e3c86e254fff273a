#include "ui/frame/host_mapping.h"

#include <gtest/gtest.h>

namespace {

TEST(HostMappingTest, FiltersBecomeQtNameFiltersAndABoxClosedWithoutAButtonGivesItsSafeAnswer)
{
    const QStringList exportFilters = NameFiltersFor(
        "Plimsa source file(*.xml)|*.xml|Jpeg File(*.jpg)|*.jpg|Png File(*.png)|*.png|Email File(*.eml)|*.eml|");
    ASSERT_EQ(exportFilters.size(), 4);
    // A description that names its patterns already does not show them twice.
    EXPECT_EQ(exportFilters[3], QStringLiteral("Email File(*.eml)"));
    EXPECT_EQ(NameFiltersFor("All support files|*.xml;*.png;*.jpg;*.gif;*.bmp;*.wmf;*.emf;*.jpe;*.jif;*.tif;*.tiff;*.ico||"),
              QStringList{QStringLiteral(
                  "All support files (*.xml *.png *.jpg *.gif *.bmp *.wmf *.emf *.jpe *.jif *.tif *.tiff *.ico)")});
    // Nothing after the double bar; a description without patterns is dropped.
    EXPECT_EQ(NameFiltersFor("A|*.a||B|*.b|"), QStringList{QStringLiteral("A (*.a)")});
    EXPECT_EQ(NameFiltersFor("Lonely"), QStringList{});

    EXPECT_EQ(NameFilterIndex(exportFilters, exportFilters[2]), 2);
    EXPECT_EQ(NameFilterIndex(exportFilters, QStringLiteral("Other (*.x)")), 0);

    // A box closed without a button gives its safe answer.
    EXPECT_EQ(AnswerForButton(QMessageBox::Yes, MessageButtons::YesNoCancel), MessageAnswer::Yes);
    EXPECT_EQ(AnswerForButton(QMessageBox::NoButton, MessageButtons::YesNoCancel), MessageAnswer::Cancel);
    EXPECT_EQ(AnswerForButton(QMessageBox::NoButton, MessageButtons::YesNo), MessageAnswer::No);
    // A button the box does not offer is no answer of it.
    EXPECT_EQ(AnswerForButton(QMessageBox::Yes, MessageButtons::OkCancel), MessageAnswer::Cancel);
}

} // namespace
