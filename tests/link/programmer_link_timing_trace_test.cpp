// Register and byte traces with their times: what a board would see and when, where the
// simulated board cannot judge (it accepts anything at least as slow as it needs).
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <utility>
#include <vector>

#include "link/programmer_link.h"
#include "link/virtual_clock.h"
#include "parallel_protocol_rig.h"
#include "recording_ports.h"

namespace zav {
namespace {

using test::BytesFromBits;
using test::DataBitsPerPulse;
using test::PortEvent;
using test::RecordingParallelPort;
using test::RecordingSerialPort;
using Timeline = std::vector<std::pair<std::string, double>>;

constexpr std::uint16_t kBase = 0x378;

class TimedTrace : public testing::Test {
protected:
    TimedTrace()
    {
        parallel.clock = &clock;
        serial.clock = &clock;
    }

    ProgrammerLink& Open(const std::string& port, std::uint8_t code)
    {
        link.Open(port, 0, stop, code);
        EXPECT_EQ(link.LastError(), "");
        parallel.events.clear();
        serial.timeline.clear();
        startMs = static_cast<double>(clock.NowUs()) / 1000.0;
        return link;
    }
    // The parallel protocol alone on LPT1, for the primitives beneath the link's commands.
    ParallelBoardProtocol& OpenProtocol(std::uint8_t code)
    {
        ParallelBoardProtocol& protocol = protocols.Open(code);
        parallel.events.clear();
        startMs = static_cast<double>(clock.NowUs()) / 1000.0;
        return protocol;
    }
    // The writes since Open, as "D<v>" (data) and "C<v>" (control) with times from then.
    [[nodiscard]] std::vector<std::pair<std::string, double>> Writes() const
    {
        std::vector<std::pair<std::string, double>> writes;
        for (const PortEvent& event : parallel.events) {
            if (!event.write) continue;
            const char kind = event.address == kBase ? 'D' : 'C';
            std::string text(1, kind);
            text += std::to_string(event.value);
            writes.emplace_back(std::move(text), event.atMs - startMs);
        }
        return writes;
    }
    [[nodiscard]] Timeline SerialTimeline() const
    {
        Timeline timeline = serial.timeline;
        for (auto& entry : timeline) entry.second -= startMs;
        return timeline;
    }
    [[nodiscard]] double ElapsedMs() const { return static_cast<double>(clock.NowUs()) / 1000.0 - startMs; }

    RecordingParallelPort parallel;
    RecordingSerialPort serial;
    VirtualClock clock;
    std::atomic<bool> stop{false};
    ProgrammerLink link{PortAccess{&parallel, &serial, &clock}};
    test::ParallelProtocolRig protocols{parallel, clock, stop};
    double startMs = 0;
};

TEST_F(TimedTrace, ResetHoldsEachLineForItsTimeAtItsLevel)
{
    using Trace = std::vector<std::pair<std::string, double>>;
    Open("LPT1", 2).ResetTarget();
    EXPECT_EQ(Writes(), (Trace{{"C0", 0}, {"D0", 0}, {"C2", 100}, {"C0", 200}}));
    EXPECT_EQ(ElapsedMs(), 1000);

    Open("LPT1", 4).ResetTarget();
    EXPECT_EQ(Writes(), (Trace{{"D0", 0}, {"C3", 1}, {"C1", 2}}));
    EXPECT_EQ(ElapsedMs(), 1502);

    Open("LPT1", 8).ResetTarget();
    EXPECT_EQ(Writes(), (Trace{{"C1", 0}, {"D1", 0}, {"C3", 1}, {"C1", 51}}));
    EXPECT_EQ(ElapsedMs(), 551);

    // Codes 5 and 6 end the reset with the data line low and one synchronising pulse.
    Open("LPT1", 6).ResetTarget();
    const auto writes = Writes();
    ASSERT_GT(writes.size(), 5U);
    EXPECT_EQ(std::vector(writes.begin(), writes.begin() + 5),
              (Trace{{"C1", 0}, {"D1", 0}, {"C3", 1}, {"C1", 51}, {"D0", 551}}));
    EXPECT_EQ(writes[5], (std::pair<std::string, double>{"C0", 551}));
    EXPECT_EQ(writes.back(), (std::pair<std::string, double>{"C1", 551}));
}

TEST_F(TimedTrace, AReceiveReleasesTheDataLineBeforeItsFirstPulseOnUnframedBoards)
{
    for (const std::uint8_t code : {0, 2, 3, 4, 6}) {
        static_cast<void>(OpenProtocol(code).ReceiveByte());
        const auto writes = Writes();
        ASSERT_FALSE(writes.empty()) << int(code);
        EXPECT_EQ(writes.front().first, "D1") << int(code);
    }
    static_cast<void>(OpenProtocol(8).ReceiveByte());
    for (const auto& write : Writes()) EXPECT_EQ(write.first[0], 'C') << "a framed board keeps the line";
}

TEST_F(TimedTrace, EraseAndUnlockSendTheirCommandBytesAndWait30Ms)
{
    Open("LPT1", 4).SendEraseCommand();
    EXPECT_EQ(BytesFromBits(DataBitsPerPulse(parallel.events, kBase, 1), true, false),
              (std::vector<std::uint8_t>{0xC8, 0xAA}));
    EXPECT_EQ(ElapsedMs(), 30);
    Open("LPT1", 4).SendUnlockCommand();
    EXPECT_EQ(BytesFromBits(DataBitsPerPulse(parallel.events, kBase, 1), true, false),
              std::vector<std::uint8_t>{0xA8});
    EXPECT_EQ(ElapsedMs(), 30);
    // Only the MC68HC11E9 board knows the bulk erase.
    Open("LPT1", 3).SendEraseCommand();
    EXPECT_TRUE(Writes().empty());
}

TEST_F(TimedTrace, ReadBoardIdOnFramedBoardsIsOneStartPulseThenAFramedReceive)
{
    for (const std::uint8_t code : {7, 8}) {
        ParallelBoardProtocol& protocol = OpenProtocol(code);
        const int pulseCount = protocol.PulseCount();
        static_cast<void>(protocol.ReadBoardId());
        const auto writes = Writes();
        for (const auto& write : writes) ASSERT_EQ(write.first[0], 'C') << int(code);
        // Start pulse, eight data pulses, stop pulse; each pulse is 2 × (pulseCount + 1) writes.
        EXPECT_EQ(writes.size(), static_cast<std::size_t>(10 * 2 * (pulseCount + 1))) << int(code);
        int samples = 0;
        for (const PortEvent& event : parallel.events)
            samples += !event.write && event.address == kBase + 1 ? 1 : 0;
        EXPECT_EQ(samples, 8) << int(code);
    }
}

TEST_F(TimedTrace, Hc11IdentificationWaits800MsBeforeItsFirstRead)
{
    Open("LPT1", 4);
    static_cast<void>(link.IdentifyHc11());
    ASSERT_FALSE(parallel.events.empty());
    EXPECT_EQ(parallel.events.front().atMs - startMs, 800);
}

TEST_F(TimedTrace, SerialCommandsKeepTheirGapsAndPurges)
{
    Open("COM1", 1);
    serial.replies = {0x42};
    static_cast<void>(link.ReadByteAt(0x0310));
    EXPECT_EQ(SerialTimeline(), (Timeline{{"purge rx", 0}, {"write C0", 0}, {"write 10", 1}, {"read", 11}}));

    Open("COM1", 1);
    link.WriteByteAt(0x0311, 0x5A);
    EXPECT_EQ(SerialTimeline(), (Timeline{{"write A0", 0}, {"write 11", 1}, {"write 5A", 2}}));
    EXPECT_EQ(ElapsedMs(), 32);

    Open("COM1", 1);
    link.SendEraseCommand();
    EXPECT_EQ(SerialTimeline(), (Timeline{{"write E0", 0}, {"write 00", 1}, {"write FF", 2}}));
    EXPECT_EQ(ElapsedMs(), 32);

    Open("COM1", 1);
    link.ResetTarget();
    EXPECT_EQ(SerialTimeline(),
              (Timeline{{"dtr on", 0}, {"rts off", 0}, {"rts on", 5}, {"rts off", 305}, {"dtr off", 405}}));
    EXPECT_EQ(ElapsedMs(), 505);
}

TEST_F(TimedTrace, TheLoaderGoesOutAByteAMillisecondAndIsAnswered100MsLater)
{
    Open("COM1", 1);
    serial.replies = {0x4D};
    ASSERT_TRUE(link.UploadLoader());
    const Timeline timeline = SerialTimeline();
    ASSERT_EQ(timeline.size(), 1U + 102U + 1U);
    EXPECT_EQ(timeline.front(), (std::pair<std::string, double>{"purge tx", 0}));
    for (std::size_t i = 1; i <= 102; ++i) EXPECT_EQ(timeline[i].second, static_cast<double>(i - 1)) << i;
    EXPECT_EQ(timeline.back(), (std::pair<std::string, double>{"read", 202}));
}

} // namespace
} // namespace zav
