#include <gtest/gtest.h>

#include "support/recording_messages.h"

namespace zav {
namespace {

TEST(MessageBoxes, ShortcutsShowTheRightShapeAndReadTheAnswer)
{
    testing::RecordingBoxes boxes;
    boxes.answers = {BoxAnswer::No, BoxAnswer::Cancel};

    boxes.ShowError("Too big Address value");
    EXPECT_FALSE(boxes.AskYesNo("Continue ?", "Warning !!!", BoxKind::Warning));
    EXPECT_EQ(boxes.AskYesNoCancel("Save buffer to file ?", BoxKind::Confirmation), BoxAnswer::Cancel);
    EXPECT_TRUE(boxes.AskYesNo("Again ?", "", BoxKind::Confirmation));

    ASSERT_EQ(boxes.shown.size(), 4u);
    EXPECT_EQ(boxes.shown[0], (BoxRequest{BoxKind::Error, BoxButtons::Ok, "Too big Address value", ""}));
    EXPECT_EQ(boxes.shown[1].buttons, BoxButtons::YesNo);
    EXPECT_EQ(boxes.shown[1].caption, "Warning !!!");
    EXPECT_EQ(boxes.shown[2].buttons, BoxButtons::YesNoCancel);
}

} // namespace
} // namespace zav
