// The simulated serial board judges the line as a real one would: speed and framing,
// the reset on the modem lines, the loader's pace and a terminal's flow control.
#include <gtest/gtest.h>

#include <atomic>

#include "boardsim/simulated_board.h"
#include "link/loader_image.h"
#include "link/programmer_link.h"

namespace zav {
namespace {

BoardSimOptions SerialOptions()
{
    BoardSimOptions options;
    options.boardCode = 1;
    return options;
}

class SimulatedSerialLine : public testing::Test {
protected:
    SimulatedSerialLine() : board(SerialOptions()) {}

    SerialPort& Port() { return board.Serial(); }
    VirtualClock& Clock() { return *board.Virtual(); }

    // The link's line: 9600 8N1, nothing else, with the read and write timeouts it uses.
    void OpenBinaryLine()
    {
        ASSERT_TRUE(Port().Open("COM1"));
        SerialLineSettings line;
        line.dtrOn = true;
        line.rtsOn = true;
        ASSERT_TRUE(Port().SetLineSettings(line));
        ASSERT_TRUE(Port().SetTimeouts(SerialTimeouts{0, 0, 100, 0, 50}));
    }
    void Reset(int rtsHighMs, int recoveryMs)
    {
        ASSERT_TRUE(Port().SetDtr(true));
        ASSERT_TRUE(Port().SetRts(false));
        Clock().SleepMs(5);
        ASSERT_TRUE(Port().SetRts(true));
        Clock().SleepMs(rtsHighMs);
        ASSERT_TRUE(Port().SetRts(false));
        Clock().SleepMs(100);
        ASSERT_TRUE(Port().SetDtr(false));
        Clock().SleepMs(recoveryMs);
    }
    // Sends the loader with 1 ms between bytes; the board's answer, if any.
    std::optional<std::uint8_t> Upload(int gapMs = 1)
    {
        EXPECT_TRUE(Port().WriteByte(static_cast<std::uint8_t>(LoaderImage.size() + 1)));
        Clock().SleepMs(gapMs);
        for (const std::uint8_t byte : LoaderImage) {
            EXPECT_TRUE(Port().WriteByte(byte));
            Clock().SleepMs(gapMs);
        }
        std::uint8_t reply = 0;
        if (Port().ReadByte(reply) != SerialReadResult::Received) return std::nullopt;
        return reply;
    }

    SimulatedBoard board;
};

TEST_F(SimulatedSerialLine, TheLoaderRunsOnlyAfterAFullResetAndAtTheRightPace)
{
    OpenBinaryLine();
    Reset(300, 100);
    EXPECT_EQ(Upload(), LoaderImageSum());
    EXPECT_TRUE(board.SerialTarget().LoaderRunning());
}

TEST_F(SimulatedSerialLine, AShortResetPulseOrAnEarlyByteIsNotHeard)
{
    OpenBinaryLine();
    Reset(299, 100);
    EXPECT_EQ(Upload(), std::nullopt) << "RTS high for less than 300 ms resets nothing";
    Reset(300, 99);
    EXPECT_EQ(Upload(), std::nullopt) << "the target is deaf for 100 ms after DTR falls";
    Reset(300, 100);
    EXPECT_EQ(Upload(0), std::nullopt) << "bytes without the 1 ms gap are lost";
}

TEST_F(SimulatedSerialLine, AFrameAtTheWrongSpeedOrWithParityIsIgnored)
{
    OpenBinaryLine();
    SerialLineSettings line;
    line.dtrOn = true;
    line.rtsOn = true;
    line.parity = SerialParity::Even;
    ASSERT_TRUE(Port().SetLineSettings(line));
    Reset(300, 100);
    EXPECT_EQ(Upload(), std::nullopt);
    line.parity = SerialParity::None;
    line.baudRate = 19200;
    ASSERT_TRUE(Port().SetLineSettings(line));
    Reset(300, 100);
    EXPECT_EQ(Upload(), std::nullopt);
}

TEST_F(SimulatedSerialLine, APortLeftWithFlowControlSwallowsXonAndXoffAndThenStalls)
{
    OpenBinaryLine();
    SerialLineSettings line;
    ASSERT_TRUE(Port().GetLineSettings(line));
    line.xonXoff = true;
    ASSERT_TRUE(Port().SetLineSettings(line));
    Reset(300, 100);
    ASSERT_EQ(Upload(), LoaderImageSum());
    board.Target().Poke(0x0311, 0x11);
    board.Target().Poke(0x0313, 0x13);
    for (const std::uint8_t low : {0x11, 0x13}) {
        ASSERT_TRUE(Port().WriteByte(0xC0));
        Clock().SleepMs(1);
        ASSERT_TRUE(Port().WriteByte(low));
        Clock().SleepMs(10);
        std::uint8_t reply = 0;
        EXPECT_EQ(Port().ReadByte(reply), SerialReadResult::TimedOut) << int(low);
    }
    EXPECT_FALSE(Port().WriteByte(0xC0)) << "after XOFF nothing goes out";
}

// Through the link: the cells holding the flow-control bytes read back on a port that
// started with XON/XOFF on, as every Linux terminal does.
TEST(SimulatedSerialLink, TheLinkReadsXonAndXoffCellsOnAPortThatHadFlowControl)
{
    SimulatedBoard board(SerialOptions());
    std::atomic<bool> stop{false};
    ProgrammerLink link(board.Access());
    link.Open("COM1", 0, stop, 1);
    ASSERT_EQ(link.LastError(), "");
    link.ResetTarget();
    ASSERT_TRUE(link.UploadLoader());
    for (int value = 0; value <= 0xFF; ++value)
        board.Target().Poke(static_cast<std::uint16_t>(0x0300 + value), static_cast<std::uint8_t>(value));
    for (int value = 0; value <= 0xFF; ++value) {
        EXPECT_EQ(link.ReadByteAt(static_cast<std::uint16_t>(0x0300 + value)), value);
        ASSERT_EQ(link.LastError(), "") << value;
    }
}

TEST(SimulatedSerialLink, AWriteThatCannotGoOutIsACommunicationErrorAndAStopEndsItAsNotReady)
{
    SimulatedBoard board(SerialOptions());
    std::atomic<bool> stop{false};
    ProgrammerLink link(board.Access());
    link.Open("COM1", 0, stop, 1);
    link.ResetTarget();
    ASSERT_TRUE(link.UploadLoader());
    // Put the line into the stalled state a terminal with XON/XOFF would reach.
    SerialLineSettings line;
    ASSERT_TRUE(board.Serial().GetLineSettings(line));
    line.xonXoff = true;
    ASSERT_TRUE(board.Serial().SetLineSettings(line));
    board.Target().Poke(0x0313, 0x13);
    static_cast<void>(link.ReadByteAt(0x0313));
    const std::int64_t before = board.Virtual()->NowUs();
    link.WriteByteAt(0x0300, 1);
    EXPECT_EQ(link.LastError(), "Communication Error.");
    EXPECT_EQ(board.Virtual()->NowUs() - before, 1'000'000) << "one second of write timeout";
    stop = true;
    EXPECT_FALSE(link.UploadLoader());
    EXPECT_EQ(link.LastError(), "Programmer Not Ready.");
}

} // namespace
} // namespace zav
