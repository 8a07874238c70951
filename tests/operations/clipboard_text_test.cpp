#include "operations/clipboard_text.h"

#include <string>

#include <gtest/gtest.h>

#include "buffer/memory_buffer.h"
#include "operations/copy_range_dialog.h"
#include "operations/paste_text.h"
#include "operations/selection.h"
#include "support/recording_messages.h"

namespace zav {
namespace {

class ClipboardTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        buffer.SetByte(0x0000, 0x12);
        buffer.SetByte(0x0001, 0xAB);
        buffer.SetByte(0x0010, 0x00);
        buffer.SetByte(0x0011, 0xFF);
    }

    MemoryBuffer buffer;
    testing::RecordingBoxes boxes;
};

TEST_F(ClipboardTextTest, ABlockCopiesAsLinesThatPasteBackInShape)
{
    const auto text = SelectionClipboardText(buffer, Selection::Spanning(1, 0, 2, 1), boxes);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, "12 AB \r\n00 FF ");

    const PasteResult result = PasteText(buffer, *text, 0x0100);
    EXPECT_EQ(result.bytesPasted, 4);
    EXPECT_EQ(result.nextAddress, 0x0112);
    EXPECT_EQ(buffer.GetByte(0x0100), 0x12);
    EXPECT_EQ(buffer.GetByte(0x0101), 0xAB);
    EXPECT_EQ(buffer.GetByte(0x0110), 0x00);
    EXPECT_EQ(buffer.GetByte(0x0111), 0xFF);
    EXPECT_EQ(buffer.Undo().GroupCount(), 1);

    buffer.Undo().Undo();
    EXPECT_EQ(buffer.GetByte(0x0100), 0x00);
    EXPECT_EQ(buffer.GetByte(0x0101), 0x00);
    EXPECT_EQ(buffer.GetByte(0x0111), 0x00);
    EXPECT_TRUE(buffer.Undo().IsEmpty());
}

TEST_F(ClipboardTextTest, APasteKeepsTheCursorColumnOnEveryLine)
{
    // Windows line ends and Linux ones alike.
    for (const char* text : {"01 02\r\n03", "01 02\n03", "01 02 \n03\n"}) {
        MemoryBuffer target;
        const PasteResult result = PasteText(target, text, 0x0207);
        EXPECT_EQ(result.bytesPasted, 3) << text;
        EXPECT_EQ(target.GetByte(0x0207), 0x01) << text;
        EXPECT_EQ(target.GetByte(0x0208), 0x02) << text;
        EXPECT_EQ(target.GetByte(0x0217), 0x03) << text;
        EXPECT_EQ(target.Undo().GroupCount(), 1) << text;
    }
    EXPECT_EQ(PasteText(buffer, "01 02\r\n03", 0x0207).nextAddress, 0x0218);
}

TEST_F(ClipboardTextTest, APasteStopsAtTheFirstPairItCannotRead)
{
    struct Case {
        const char* text;
        int pasted;
    };
    for (const Case& c : {Case{"12 3g 45", 1}, Case{"12 34\r56", 2}, Case{"12\r 34", 1}, Case{"12 3", 1},
                          Case{"12\t34", 1}, Case{"ab 12", 0}, Case{"0x12", 0}}) {
        MemoryBuffer target;
        const PasteResult result = PasteText(target, c.text, 0x0300);
        EXPECT_EQ(result.bytesPasted, c.pasted) << c.text;
        EXPECT_EQ(result.nextAddress, 0x0300 + c.pasted) << c.text;
        EXPECT_EQ(target.Undo().GroupCount(), c.pasted > 0 ? 1 : 0) << c.text;
    }
}

TEST_F(ClipboardTextTest, APasteStopsAtTheEndOfTheBuffer)
{
    PasteResult result = PasteText(buffer, "01 02", 0xFFFF);
    EXPECT_EQ(result.bytesPasted, 1);
    EXPECT_EQ(buffer.GetByte(0xFFFF), 0x01);
    EXPECT_EQ(result.nextAddress, 0x10000); // the editor puts the cursor on the last cell

    // A line end that moves past the end stops the next pair.
    result = PasteText(buffer, "AA\r\nBB", 0xFFF8);
    EXPECT_EQ(result.bytesPasted, 1);
    EXPECT_EQ(buffer.GetByte(0xFFF8), 0xAA);
    EXPECT_EQ(buffer.Undo().GroupCount(), 2);
}

TEST_F(ClipboardTextTest, ShortTextsPasteNothingAndLeaveTheCursor)
{
    for (const char* text : {"", "1"}) {
        const PasteResult result = PasteText(buffer, text, 0x0400);
        EXPECT_EQ(result.bytesPasted, 0);
        EXPECT_FALSE(result.nextAddress);
    }
    EXPECT_TRUE(buffer.Undo().IsEmpty());
    // Blanks only: nothing pasted and no undo step, but the scan ran, so the cursor moves.
    EXPECT_EQ(PasteText(buffer, "   ", 0x0400).nextAddress, 0x0400);
    EXPECT_TRUE(buffer.Undo().IsEmpty());
}

TEST_F(ClipboardTextTest, ProtectedCellsKeepTheirValueButTheScanMovesOn)
{
    buffer.SetByte(0x0501, 0x77);
    buffer.SetReadOnly(0x0501, true);
    buffer.SetUnimplemented(0x0502, true);
    const PasteResult result = PasteText(buffer, "01 02 03 04", 0x0500);
    EXPECT_EQ(result.bytesPasted, 4);
    EXPECT_EQ(buffer.GetByte(0x0500), 0x01);
    EXPECT_EQ(buffer.GetByte(0x0501), 0x77);
    EXPECT_EQ(buffer.GetByte(0x0502), 0x00);
    EXPECT_EQ(buffer.GetByte(0x0503), 0x04);
    EXPECT_EQ(result.nextAddress, 0x0504);
}

TEST_F(ClipboardTextTest, OnlyTheFirstCharactersUpToTheCapArePasted)
{
    // Blanks up to the cap, then a pair: the pair is pasted only when it lies inside the cap.
    MemoryBuffer target;
    const PasteResult capped = PasteText(target, std::string(kPasteTextLimit - 1, ' ') + "33", 0);
    EXPECT_EQ(capped.bytesPasted, 0);
    const PasteResult fits = PasteText(target, std::string(kPasteTextLimit - 2, ' ') + "33", 0);
    EXPECT_EQ(fits.bytesPasted, 1);
}

TEST_F(ClipboardTextTest, WholeBufferCopyPastesBackAsOneStep)
{
    MemoryBuffer source;
    for (std::int32_t a = 0; a <= 0xFFFF; ++a) source.SetByte(a, static_cast<std::uint8_t>(a * 7 + (a >> 8)));
    const auto text = SelectionClipboardText(source, Selection::All(), boxes);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->size(), 4096u * 48 + 4095 * 2);
    MemoryBuffer target;
    EXPECT_EQ(PasteText(target, *text, 0).bytesPasted, 65536);
    for (std::int32_t a = 0; a <= 0xFFFF; ++a) ASSERT_EQ(target.GetByte(a), source.GetByte(a)) << a;
    EXPECT_EQ(target.Undo().GroupCount(), 1);
}

TEST_F(ClipboardTextTest, ARangeCopiesOnOneLine)
{
    buffer.SetByte(0x0100, 0x01);
    buffer.SetByte(0x0101, 0x02);
    buffer.SetByte(0x0102, 0x03);
    EXPECT_EQ(RangeClipboardText(buffer, {0x0100, 0x0102}, boxes), "01 02 03 ");
    EXPECT_EQ(RangeClipboardText(buffer, {0x0101, 0x0101}, boxes), "02 ");
    EXPECT_EQ(RangeClipboardText(buffer, {0, 0xFFFF}, boxes)->size(), 196608u);
}

TEST_F(ClipboardTextTest, CopyRangeDialogTurnsARangeRoundAndRemembersItsTexts)
{
    buffer.SetByte(0x0100, 0x01);
    buffer.SetByte(0x0101, 0x02);
    buffer.SetByte(0x0102, 0x03);
    CopyRangeDialog dialog;
    dialog.Preset(0x0102);
    EXPECT_EQ(dialog.From().Text(), "0x0102");
    dialog.To().SetText("0x0100");
    EXPECT_EQ(dialog.Ok(buffer, boxes), "01 02 03 ");
    EXPECT_EQ(dialog.From().History(), std::vector<std::string>{"0x0102"});
    EXPECT_EQ(dialog.To().History(), std::vector<std::string>{"0x0100"});

    dialog.To().SetText("0x10000");
    EXPECT_FALSE(dialog.Ok(buffer, boxes));
    dialog.To().SetText("zz");
    EXPECT_FALSE(dialog.Ok(buffer, boxes));
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{
                                 "Too big Address value",
                                 "To Enter Address Value in Hexadecimal format prefix 0x must be use."}));
    EXPECT_EQ(dialog.To().History().size(), 1u);
}

} // namespace
} // namespace zav
