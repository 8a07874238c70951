// The simulated parallel board holds the host to the board's timing and line levels; each
// rule here is one a mistaken link would break on real hardware.
#include <gtest/gtest.h>

#include "boardsim/simulated_board.h"

namespace zav {
namespace {

constexpr std::uint16_t kData = 0x378;
constexpr std::uint16_t kStatus = 0x379;
constexpr std::uint16_t kControl = 0x37A;
constexpr std::uint8_t kStatusData = 0x20;

class ParallelRules : public testing::Test {
protected:
    void Use(std::uint8_t code, Hc11Variant variant = Hc11Variant::None)
    {
        BoardSimOptions options;
        options.boardCode = code;
        options.hc11 = variant;
        board = std::make_unique<SimulatedBoard>(options);
        ASSERT_TRUE(Port().Claim(1));
    }
    ParallelPortIo& Port() { return board->Parallel(); }
    void Sleep(int ms) { board->Virtual()->SleepMs(ms); }

    // Reset with the control values of the board kind, the given data level and hold time.
    void Reset(std::uint8_t resetControl, std::uint8_t releaseControl, std::uint8_t data, int holdMs)
    {
        Port().Write(kData, data);
        Port().Write(kControl, resetControl);
        Sleep(holdMs);
        Port().Write(kControl, releaseControl);
    }
    // One pulse on a board whose clock idles at `idle`.
    void Pulse(std::uint8_t idle)
    {
        Port().Write(kControl, static_cast<std::uint8_t>(idle ^ 1));
        Port().Write(kControl, idle);
    }
    // Eight pulses sampling status bit 5 after each, least significant bit first.
    std::uint8_t ReceiveAfterPulses(std::uint8_t idle)
    {
        std::uint8_t value = 0;
        for (int i = 0; i < 8; ++i) {
            Pulse(idle);
            if ((Port().Read(kStatus) & kStatusData) != 0) value |= static_cast<std::uint8_t>(1 << i);
        }
        return value;
    }

    std::unique_ptr<SimulatedBoard> board;
};

TEST_F(ParallelRules, AResetTooShortOrWithTheDataLineAtTheWrongLevelSilencesTheBoard)
{
    struct Case {
        std::uint8_t code;
        std::uint8_t reset;
        std::uint8_t release;
        std::uint8_t level;
        int holdMs;
    };
    for (const Case c :
         {Case{2, 2, 0, 0, 100}, Case{4, 3, 1, 0, 1}, Case{6, 3, 1, 1, 50}, Case{8, 3, 1, 1, 50}}) {
        Use(c.code);
        Reset(c.reset, c.release, c.level, c.holdMs);
        EXPECT_TRUE(board->Parallel().Awake()) << int(c.code);
        Reset(c.reset, c.release, c.level, c.holdMs - 1);
        EXPECT_FALSE(board->Parallel().Awake()) << int(c.code) << " held too briefly";
        Reset(c.reset, c.release, static_cast<std::uint8_t>(c.level ^ 1), c.holdMs);
        EXPECT_FALSE(board->Parallel().Awake()) << int(c.code) << " data line at the wrong level";
        Reset(c.reset, c.release, c.level, c.holdMs);
        ASSERT_TRUE(board->Parallel().Awake());
        Port().Write(kControl, c.reset);
        Port().Write(kData, static_cast<std::uint8_t>(c.level ^ 1));
        Port().Write(kData, c.level);
        Sleep(c.holdMs);
        Port().Write(kControl, c.release);
        EXPECT_FALSE(board->Parallel().Awake()) << int(c.code) << " data line moved during the reset";
    }
}

TEST_F(ParallelRules, PulsesBeforeTheBoardHasStartedAreNotSeen)
{
    // Board 2 presents its identification 0xA1 after the reset, one bit per pulse.
    Use(2);
    Reset(2, 0, 0, 100);
    Sleep(799);
    Port().Write(kData, 1);
    EXPECT_NE(ReceiveAfterPulses(0), 0xA1);
    Use(2);
    Reset(2, 0, 0, 100);
    Sleep(800);
    Port().Write(kData, 1);
    // Code 2 presents each bit before the pulse: sample, then pulse.
    std::uint8_t id = 0;
    for (int i = 0; i < 8; ++i) {
        if ((Port().Read(kStatus) & kStatusData) != 0) id |= static_cast<std::uint8_t>(1 << i);
        Pulse(0);
    }
    EXPECT_EQ(id, 0xA1);
}

TEST_F(ParallelRules, AnAnswerOnADataLineTheHostHoldsLowReadsAsZeros)
{
    Use(2);
    Reset(2, 0, 0, 100);
    Sleep(800);
    EXPECT_EQ(Port().Read(kStatus) & kStatusData, 0) << "the host still drives the line low";
    Port().Write(kData, 1);
    EXPECT_NE(Port().Read(kStatus) & kStatusData, 0) << "released, the board's 1 shows";
}

TEST_F(ParallelRules, ACommandWhileTheTargetProgramsIsRefused)
{
    Use(2);
    board->Target().Write(0x0105, 0x12);
    ASSERT_TRUE(board->Target().Busy());
    // The read command 0xA0, least significant bit first, clock idling low.
    for (int i = 0; i < 8; ++i) {
        Port().Write(kData, (0xA0 >> i) & 1);
        Pulse(0);
    }
    EXPECT_EQ(board->Parallel().RefusedCommands(), 1);
}

TEST_F(ParallelRules, TheHc11BootstrapRomAnswersOnly1600MsAfterTheReset)
{
    for (const int waitMs : {1599, 1600}) {
        Use(3, Hc11Variant::KA4);
        Reset(2, 0, 0, 100);
        Sleep(waitMs);
        // Read command 0xA0, then 0xBF 0xD4, then eight answer bits (inverted on code 3).
        for (const std::uint8_t byte : {0xA0, 0xBF, 0xD4}) {
            for (int i = 0; i < 8; ++i) {
                Port().Write(kData, (byte >> i) & 1);
                Pulse(0);
            }
        }
        Port().Write(kData, 1);
        const auto answer = static_cast<std::uint8_t>(~ReceiveAfterPulses(0));
        if (waitMs < 1600) {
            EXPECT_NE(answer, 0x54);
        } else {
            EXPECT_EQ(answer, 0x54);
        }
    }
}

// The port given back with a data line high is a fault the board reports; low is none.
TEST_F(ParallelRules, DataLinesLeftHighAtReleaseAreReported)
{
    Use(0);
    Port().Write(kData, 0x01);
    Port().Release(1);
    EXPECT_EQ(board->Parallel().ReleaseFault(), "the port was given back with its data lines high (0x01)");
    ASSERT_TRUE(Port().Claim(1));
    Port().Write(kData, 0x00);
    Port().Release(1);
    EXPECT_EQ(board->Parallel().ReleaseFault(), "");
}

} // namespace
} // namespace zav
