#include "operations/address_field.h"

#include <gtest/gtest.h>

#include "operations/go_to_dialog.h"
#include "operations/history_field.h"
#include "support/recording_messages.h"

namespace zav {
namespace {

constexpr char kBadNumber[] = "To Enter Address Value in Hexadecimal format prefix 0x must be use.";

TEST(AddressFieldTest, AcceptsUpToTheLastAddress)
{
    testing::RecordingBoxes boxes;
    EXPECT_EQ(ParseAddressField("0xFFFF", 0xFFFF, boxes), 0xFFFF);
    EXPECT_EQ(ParseAddressField("256", 0xFFFF, boxes), 256);
    EXPECT_FALSE(ParseAddressField("0x10000", 0xFFFF, boxes));
    EXPECT_FALSE(ParseAddressField("-5", 0xFFFF, boxes));
    EXPECT_FALSE(ParseAddressField("FF", 0xFFFF, boxes));
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Too big Address value", kBadNumber}));
}

TEST(AddressFieldTest, RangesConvertBothEndsBeforeCheckingTheSize)
{
    testing::RecordingBoxes boxes;
    EXPECT_EQ(ParseAddressRange("0x0120", "0x0110", 0xFFFF, boxes), (AddressRange{0x0110, 0x0120}));
    // A too big From turned round becomes a too big To.
    EXPECT_FALSE(ParseAddressRange("0x10000", "0x10", 0xFFFF, boxes));
    // The second text is converted before the size of the first is looked at.
    EXPECT_FALSE(ParseAddressRange("0x10000", "zz", 0xFFFF, boxes));
    EXPECT_FALSE(ParseAddressRange("-1", "0x10000", 0xFFFF, boxes));
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Too big Address value", kBadNumber}));
}

TEST(HistoryFieldTest, RemembersEachTextOnceWhateverItsCase)
{
    HistoryField field("0xff");
    field.RememberText();
    field.SetText("0xFF");
    field.RememberText();
    field.SetText("0x1f");
    field.RememberText();
    field.SetText("0xff ");
    field.RememberText();
    EXPECT_EQ(field.History(), (std::vector<std::string>{"0xff", "0x1f", "0xff "}));
    EXPECT_FALSE(EqualIgnoringCase("\xE9", "\xC9"));
}

TEST(GoToDialogTest, GoesToValidAddressesOnly)
{
    testing::RecordingBoxes boxes;
    GoToDialog dialog;
    dialog.Preset(0x0ABC);
    EXPECT_EQ(dialog.Address().Text(), "0x0ABC");
    dialog.Address().SetText("0xFFFF");
    EXPECT_EQ(dialog.Ok(0xFFFF, boxes), 0xFFFF);
    dialog.Address().SetText("0x10000");
    EXPECT_FALSE(dialog.Ok(0xFFFF, boxes));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Too big Address value"});
    EXPECT_EQ(dialog.Address().History(), std::vector<std::string>{"0xFFFF"});
}

} // namespace
} // namespace zav
