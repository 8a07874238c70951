// Register and byte traces of the link against recording ports: what a real board
// would see on the wires, independent of the simulated board.
#include <gtest/gtest.h>

#include <atomic>

#include "link/loader_image.h"
#include "link/programmer_link.h"
#include "link/virtual_clock.h"
#include "parallel_protocol_rig.h"
#include "recording_ports.h"

namespace zav {
namespace {

using test::BytesFromBits;
using test::DataBitsPerPulse;
using test::ParallelProtocolRig;
using test::RecordingParallelPort;
using test::RecordingSerialPort;

constexpr std::uint16_t kLpt1 = 0x378;
constexpr std::uint16_t kLpt2 = 0x278;

class LinkTrace : public testing::Test {
protected:
    RecordingParallelPort parallel;
    RecordingSerialPort serial;
    VirtualClock clock;
    std::atomic<bool> stop{false};

    ParallelProtocolRig protocols{parallel, clock, stop};

    PortAccess Ports() { return PortAccess{&parallel, &serial, &clock}; }

    std::vector<std::uint8_t> SentBytes(std::uint8_t code)
    {
        const std::uint8_t idle = code <= 3 ? 0 : 1;
        const bool msbFirst = code >= 4 && code <= 6;
        const bool framed = code == 7 || code == 8;
        return BytesFromBits(DataBitsPerPulse(parallel.events, kLpt1, idle), msbFirst, framed);
    }
};

TEST_F(LinkTrace, PulseCountFollowsDelayBoardCodeAndSlowClockTest)
{
    struct Case {
        std::uint8_t code;
        int slowClock;
        int expected;
    };
    for (const Case c : {Case{6, 0, 450}, Case{6, 1, 45}, Case{0, 0, 5}, Case{8, 0, 450}, Case{4, 0, 5}}) {
        parallel.slowClock = c.slowClock;
        const ParallelBoardProtocol& protocol = protocols.Open(c.code, 5, 2);
        EXPECT_EQ(protocols.LastError(), "");
        EXPECT_EQ(protocol.PulseCount(), c.expected) << int(c.code);
        EXPECT_EQ(protocol.SettleDelayMs(), 30);
    }
}

// A stored delay far out of range neither overflows nor leaves the clock without pulses.
TEST_F(LinkTrace, DelayBeyondItsLimitsTakesTheNearestLimit)
{
    struct Case {
        int delay;
        std::uint8_t code;
        int expected;
    };
    for (const Case c : {Case{-3, 2, 0}, Case{51, 2, 50}, Case{2147483647, 2, 50}, Case{2147483647, 6, 900},
                         Case{2147483647, 8, 900}, Case{-2147483647 - 1, 6, 400}}) {
        EXPECT_EQ(protocols.Open(c.code, c.delay).PulseCount(), c.expected) << c.delay << " code " << int(c.code);
    }
}

// A stop ends a clock pulse between two writes, so no delay holds a stop back.
TEST_F(LinkTrace, AStopEndsAClockPulseAtOnceWithTheClockAtRest)
{
    for (const std::uint8_t code : {0, 6}) {
        ParallelBoardProtocol& protocol = protocols.Open(code, 50);
        parallel.events.clear();
        stop = true;
        protocol.ClockPulse();
        stop = false;
        const std::uint8_t rest = code == 0 ? 0 : 1;
        EXPECT_EQ(parallel.WritesTo(kLpt1 + 2), std::vector<std::uint8_t>{rest}) << int(code);
        EXPECT_EQ(protocols.LastError(), "Programmer Not Ready.");
    }
}

TEST_F(LinkTrace, BadPortNamesFailWithoutTouchingAnyPort)
{
    for (const char* name : {"LPT4", "lpt1", "COM9", "LPT0", "COM10", "NO port detected", ""}) {
        ProgrammerLink link(Ports());
        link.Open(name, 0, stop, 0);
        EXPECT_EQ(link.LastError(), std::string("Error opening port: ") + name);
        link.Close();
    }
    EXPECT_EQ(parallel.calls, 0);
    EXPECT_TRUE(serial.log.empty());
}

TEST_F(LinkTrace, MissingParallelPortFailsAndNeverWritesLowAddresses)
{
    parallel.bases = {0, 0, 0};
    ProgrammerLink link(Ports());
    link.Open("LPT1", 0, stop, 0);
    EXPECT_EQ(link.LastError(), "Error opening port: LPT1");
    EXPECT_EQ(link.ErrorCause(), "recorded cause");
    link.ResetTarget();
    link.WriteByteAt(0x0100, 0xFF);
    (void)link.ReadByteAt(0x0100);
    link.Close();
    EXPECT_TRUE(parallel.events.empty());
}

TEST_F(LinkTrace, RefusedClaimFailsTheOpenWithItsCause)
{
    parallel.claimSucceeds = false;
    ProgrammerLink link(Ports());
    link.Open("LPT3", 0, stop, 2);
    EXPECT_EQ(link.LastError(), "Error opening port: LPT3");
    EXPECT_EQ(link.ErrorCause(), "recorded cause");
    // The link holds no port: nothing it does reaches the wires.
    link.ResetTarget();
    EXPECT_TRUE(parallel.events.empty());
}

TEST_F(LinkTrace, ClockPulseWithPulseCountZeroIsTwoControlWrites)
{
    ParallelBoardProtocol* protocol = &protocols.Open(2);
    parallel.events.clear();
    protocol->ClockPulse();
    EXPECT_EQ(parallel.WritesTo(kLpt1 + 2), (std::vector<std::uint8_t>{1, 0}));

    protocol = &protocols.Open(4);
    parallel.events.clear();
    protocol->ClockPulse();
    EXPECT_EQ(parallel.WritesTo(kLpt1 + 2), (std::vector<std::uint8_t>{0, 1}));

    protocol = &protocols.Open(2, 2);
    parallel.events.clear();
    protocol->ClockPulse();
    EXPECT_EQ(parallel.WritesTo(kLpt1 + 2), (std::vector<std::uint8_t>{1, 1, 1, 0, 0, 0}));
}

TEST_F(LinkTrace, SendByteOnePutsTheOneFirstOrLastByBoardCode)
{
    ParallelBoardProtocol* protocol = &protocols.Open(4);
    parallel.events.clear();
    protocol->SendByte(0x01);
    EXPECT_EQ(DataBitsPerPulse(parallel.events, kLpt1, 1), (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 1}));

    protocol = &protocols.Open(2);
    parallel.events.clear();
    protocol->SendByte(0x01);
    EXPECT_EQ(DataBitsPerPulse(parallel.events, kLpt1, 0), (std::vector<int>{1, 0, 0, 0, 0, 0, 0, 0}));

    protocol = &protocols.Open(8);
    parallel.events.clear();
    protocol->SendByte(0x01);
    EXPECT_EQ(DataBitsPerPulse(parallel.events, kLpt1, 1), (std::vector<int>{0, 1, 0, 0, 0, 0, 0, 0, 0, 1}));
    // Data writes carry only bit 0.
    for (const std::uint8_t value : parallel.WritesTo(kLpt1)) EXPECT_LE(value, 1);
}

TEST_F(LinkTrace, ReceiveByteWithDataInputHighDependsOnBoardCode)
{
    // Data input high, ready on status bit 3 high.
    parallel.answer = [](std::uint16_t address) { return std::uint8_t(address == kLpt1 + 1 ? 0x28 : 0x00); };
    ParallelBoardProtocol* protocol = &protocols.Open(3);
    ASSERT_FALSE(protocol->ReadyOnStatusLine());
    EXPECT_EQ(protocol->ReceiveByte(), 0x00);
    protocol = &protocols.Open(0);
    EXPECT_EQ(protocol->ReceiveByte(), 0xFF);
}

TEST_F(LinkTrace, ReceiveByteClocksBeforeOrAfterSamplingByBoardCode)
{
    // The data input is high after an odd number of pulses: a board code that samples
    // before each pulse reads 0,1,0,1,... and one that pulses first reads 1,0,1,0,...
    std::uint8_t idle = 0;
    parallel.answer = [this, &idle](std::uint16_t address) {
        if (address != kLpt1 + 1) return std::uint8_t{0};
        const auto pulses = DataBitsPerPulse(parallel.events, kLpt1, idle).size();
        return std::uint8_t(pulses % 2 == 1 ? 0x20 : 0x00);
    };
    ParallelBoardProtocol* protocol = &protocols.Open(2);
    parallel.events.clear();
    EXPECT_EQ(protocol->ReceiveByte(), 0xAA);
    protocol = &protocols.Open(0);
    parallel.events.clear();
    EXPECT_EQ(protocol->ReceiveByte(), 0x55);
    idle = 1;
    protocol = &protocols.Open(8);
    parallel.events.clear();
    EXPECT_EQ(protocol->ReceiveByte(), 0x55);
    // Eight data pulses and the stop pulse.
    EXPECT_EQ(DataBitsPerPulse(parallel.events, kLpt1, 1).size(), 9u);
}

TEST_F(LinkTrace, ReadBoardIdOnCode6SendsReadCommandAndIdAddressMsbFirst)
{
    ProgrammerLink link(Ports());
    link.Open("LPT1", 0, stop, 6);
    parallel.events.clear();
    (void)link.ReadBoardId();
    const auto bits = DataBitsPerPulse(parallel.events, kLpt1, 1);
    ASSERT_GE(bits.size(), 24u);
    const std::vector<int> expected = {1, 1, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1,
                                       1, 1, 1, 1, 0, 1, 1, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::vector<int>(bits.begin(), bits.begin() + 24), expected);
    EXPECT_EQ(bits.size(), 32u);
}

TEST_F(LinkTrace, CommandAndAddressBytesPerBoardCode)
{
    struct Case {
        std::uint8_t code;
        bool write;
        std::vector<std::uint8_t> expected;
    };
    const std::vector<Case> cases = {
        {5, true, {0xA0, 0x05, 0x12}},
        {5, false, {0xC0, 0x1F, 0x05}},
        {6, true, {0xA0, 0x1F, 0x05, 0x12}},
        {7, true, {0xC0, 0x05, 0x12}},
        {7, false, {0xA0, 0x05}},
        {8, true, {0xC0, 0x1F, 0x05, 0x12}},
        {0, true, {0xC0, 0x05, 0x12}},
        {2, false, {0xA0, 0x05}},
        {3, false, {0xA0, 0x1F, 0x05}},
        {4, true, {0xC0, 0x1F, 0x05, 0x12}},
    };
    // Ready everywhere: status bit 3 high for codes 0 and 3, low for code 2.
    for (const Case& c : cases) {
        parallel.answer = [code = c.code](std::uint16_t address) {
            if (address != kLpt1 + 1) return std::uint8_t{0};
            return std::uint8_t(code == 2 ? 0x00 : 0x08);
        };
        ProgrammerLink link(Ports());
        link.Open("LPT1", 0, stop, c.code);
        parallel.events.clear();
        if (c.write) {
            link.WriteByteAt(0x1F05, 0x12);
        } else {
            (void)link.ReadByteAt(0x1F05);
        }
        EXPECT_EQ(link.LastError(), "");
        auto sent = SentBytes(c.code);
        // A read's receive pulses follow the sent bytes; keep only the sent ones.
        sent.resize(std::min(sent.size(), c.expected.size()));
        EXPECT_EQ(sent, c.expected) << "code " << int(c.code) << (c.write ? " write" : " read");
    }
}

TEST_F(LinkTrace, WritesWaitTheSettleDelayOnlyOnCodesWithoutReadyLine)
{
    parallel.answer = [](std::uint16_t address) { return std::uint8_t(address == kLpt1 + 1 ? 0x08 : 0x00); };
    ProgrammerLink link(Ports());
    link.Open("LPT1", 0, stop, 0);
    const auto before = clock.SleptMs();
    link.WriteByteAt(0x0100, 1);
    EXPECT_EQ(clock.SleptMs(), before);
    link.Open("LPT1", 0, stop, 6);
    const auto later = clock.SleptMs();
    link.WriteByteAt(0x1F00, 1);
    EXPECT_EQ(clock.SleptMs() - later, 30);
}

TEST_F(LinkTrace, ReadyLineDetectionRecognisesTheLoopedBackClock)
{
    // Status bit 3 follows the inverted clock (control bit 0).
    parallel.answer = [this](std::uint16_t address) {
        if (address != kLpt1 + 1) return std::uint8_t{0};
        const auto controls = parallel.WritesTo(kLpt1 + 2);
        const bool clockHigh = !controls.empty() && (controls.back() & 1) != 0;
        return std::uint8_t(clockHigh ? 0x00 : 0x08);
    };
    EXPECT_TRUE(protocols.Open(0).ReadyOnStatusLine());
    EXPECT_EQ(parallel.WritesTo(kLpt1 + 2).size(), 32u);
    EXPECT_EQ(clock.SleptMs(), 32);

    parallel.answer = [](std::uint16_t) { return std::uint8_t{0x08}; };
    EXPECT_FALSE(protocols.Open(3).ReadyOnStatusLine());
    // Boards without a ready line skip the detection.
    parallel.events.clear();
    protocols.Open(2);
    EXPECT_TRUE(parallel.WritesTo(kLpt1 + 2).empty());
}

TEST_F(LinkTrace, StopFlagFailsWaitReadyAtOnceForEveryBoardCode)
{
    stop = true;
    for (std::uint8_t code = 0; code < ProgrammerLink::kBoardCodeCount; ++code) {
        ProgrammerLink link(Ports());
        link.Open(code == 1 ? "COM1" : "LPT1", 0, stop, code);
        ASSERT_EQ(link.LastError(), "");
        EXPECT_FALSE(link.WaitReady());
        EXPECT_EQ(link.LastError(), "Programmer Not Ready.");
        EXPECT_EQ(link.ReadByteAt(0x0100), 0);
        EXPECT_EQ(link.LastError(), "Programmer Not Ready.");
    }
}

TEST_F(LinkTrace, SuccessfulWaitClearsAnEarlierError)
{
    ProgrammerLink link(Ports());
    link.Open("LPT1", 0, stop, 4);
    link.Open("LPT7", 0, stop, 4);
    EXPECT_FALSE(link.LastError().empty());
    link.Open("LPT1", 0, stop, 4);
    stop = true;
    EXPECT_FALSE(link.WaitReady());
    stop = false;
    EXPECT_TRUE(link.WaitReady());
    EXPECT_EQ(link.LastError(), "");
}

TEST_F(LinkTrace, ClosingWritesZeroToDataOnlyForAParallelLink)
{
    {
        ProgrammerLink link{PortAccess{}};
        link.Close();
    }
    ProgrammerLink link(Ports());
    link.Close();
    EXPECT_EQ(parallel.calls, 0);
    link.Open("LPT2", 0, stop, 4);
    parallel.events.clear();
    link.Close();
    ASSERT_EQ(parallel.events.size(), 1u);
    EXPECT_EQ(parallel.events[0].address, kLpt2);
    EXPECT_EQ(parallel.events[0].value, 0);
    EXPECT_EQ(parallel.releases, 1);
    link.Close();
    EXPECT_EQ(parallel.events.size(), 1u);
}

TEST_F(LinkTrace, ResetSequencesPerBoardCode)
{
    ProgrammerLink link(Ports());
    link.Open("LPT1", 0, stop, 2);
    parallel.events.clear();
    auto slept = clock.SleptMs();
    link.ResetTarget();
    EXPECT_EQ(parallel.WritesTo(kLpt1 + 2), (std::vector<std::uint8_t>{0, 2, 0}));
    EXPECT_EQ(clock.SleptMs() - slept, 1000);

    link.Open("LPT1", 0, stop, 6);
    parallel.events.clear();
    slept = clock.SleptMs();
    link.ResetTarget();
    const auto controls = parallel.WritesTo(kLpt1 + 2);
    ASSERT_GE(controls.size(), 3u);
    EXPECT_EQ(std::vector<std::uint8_t>(controls.begin(), controls.begin() + 3),
              (std::vector<std::uint8_t>{1, 3, 1}));
    EXPECT_EQ(controls.size(), 3u + 2u * 401u);
    EXPECT_EQ(clock.SleptMs() - slept, 551);

    link.Open("LPT1", 0, stop, 4);
    parallel.events.clear();
    slept = clock.SleptMs();
    link.ResetTarget();
    EXPECT_EQ(parallel.WritesTo(kLpt1 + 2), (std::vector<std::uint8_t>{3, 1}));
    EXPECT_EQ(clock.SleptMs() - slept, 1502);
}

TEST_F(LinkTrace, SerialOpenSavesConfiguresAndCloseRestores)
{
    const SerialTimeouts found = serial.timeouts;
    const SerialLineSettings foundSettings = serial.settings;
    {
        ProgrammerLink link(Ports());
        link.Open("COM3", 0, stop, 1);
        ASSERT_EQ(link.LastError(), "");
        ASSERT_EQ(serial.timeoutsSet.size(), 1u);
        // Reads give up after 100 ms; writes wait in 50 ms slices, so a stop is seen.
        EXPECT_EQ(serial.timeoutsSet[0], (SerialTimeouts{0, 0, 100, 0, 50}));
        ASSERT_EQ(serial.settingsSet.size(), 1u);
        const SerialLineSettings& applied = serial.settingsSet[0];
        EXPECT_EQ(applied.baudRate, 9600u);
        EXPECT_EQ(applied.dataBits, 8);
        EXPECT_EQ(applied.stopBits, 1);
        EXPECT_EQ(applied.parity, SerialParity::None);
        EXPECT_FALSE(applied.parityCheck || applied.ctsOutputFlow || applied.dsrOutputFlow ||
                     applied.dsrSensitivity || applied.xonXoff);
        EXPECT_TRUE(applied.dtrOn && applied.rtsOn);
    }
    EXPECT_EQ(serial.log.front(), "open COM3");
    EXPECT_EQ(serial.log[serial.log.size() - 2], "purge rx");
    EXPECT_EQ(serial.log.back(), "close");
    EXPECT_EQ(serial.timeoutsSet.back(), found);
    EXPECT_EQ(serial.settingsSet.back(), foundSettings);
}

TEST_F(LinkTrace, SerialPortThatCannotOpenFailsTheOpen)
{
    serial.openSucceeds = false;
    ProgrammerLink link(Ports());
    link.Open("COM1", 0, stop, 1);
    EXPECT_EQ(link.LastError(), "Error opening port: COM1");
    link.Close();
    EXPECT_EQ(serial.log, (std::vector<std::string>{"open COM1"}));
}

TEST_F(LinkTrace, SerialWriteSendsCommandLowAddressValueThenSettles)
{
    ProgrammerLink link(Ports());
    link.Open("COM1", 0, stop, 1);
    const auto slept = clock.SleptMs();
    link.WriteByteAt(0x0305, 0xAB);
    EXPECT_EQ(serial.written, (std::vector<std::uint8_t>{0xA0, 0x05, 0xAB}));
    EXPECT_EQ(clock.SleptMs() - slept, 32);
    EXPECT_EQ(link.LastError(), "");
}

TEST_F(LinkTrace, SerialReadTimeoutGivesZeroWithoutErrorAndFailureGivesCommunicationError)
{
    ProgrammerLink link(Ports());
    link.Open("COM1", 0, stop, 1);
    serial.replies = {0x42};
    EXPECT_EQ(link.ReadByteAt(0x0310), 0x42);
    EXPECT_EQ(serial.written, (std::vector<std::uint8_t>{0xC0, 0x10}));
    EXPECT_EQ(link.ReadByteAt(0x0310), 0);
    EXPECT_EQ(link.LastError(), "");
    serial.readFails = true;
    EXPECT_EQ(link.ReadByteAt(0x0310), 0);
    EXPECT_EQ(link.LastError(), "Communication Error.");
    serial.writesSucceed = false;
    link.WriteByteAt(0x0310, 1);
    EXPECT_EQ(link.LastError(), "Communication Error.");
}

TEST_F(LinkTrace, LoaderIsCountByteImageAndOneReply)
{
    ProgrammerLink link(Ports());
    link.Open("COM1", 0, stop, 1);
    serial.replies = {0x4D};
    EXPECT_TRUE(link.UploadLoader());
    ASSERT_EQ(serial.written.size(), 102u);
    EXPECT_EQ(serial.written[0], 0x66);
    EXPECT_TRUE(std::equal(LoaderImage.begin(), LoaderImage.end(), serial.written.begin() + 1));
    EXPECT_EQ(LoaderImageSum(), 0x4D);

    serial.replies = {0x4C};
    EXPECT_FALSE(link.UploadLoader());
    EXPECT_EQ(link.LastError(), "");
    EXPECT_FALSE(link.UploadLoader());
    EXPECT_EQ(link.LastError(), "");
}

TEST_F(LinkTrace, SerialResetAndEraseSequences)
{
    ProgrammerLink link(Ports());
    link.Open("COM1", 0, stop, 1);
    serial.log.clear();
    auto slept = clock.SleptMs();
    link.ResetTarget();
    EXPECT_EQ(serial.log, (std::vector<std::string>{"dtr on", "rts off", "rts on", "rts off", "dtr off"}));
    EXPECT_EQ(clock.SleptMs() - slept, 505);
    slept = clock.SleptMs();
    link.SendEraseCommand();
    EXPECT_EQ(serial.written, (std::vector<std::uint8_t>{0xE0, 0x00, 0xFF}));
    EXPECT_EQ(clock.SleptMs() - slept, 32);
}

TEST_F(LinkTrace, IdentifyHc11PrefersThePa8Signature)
{
    // A target whose bootstrap ROM has 0xE0 at 0xBFBE and 0x50 at 0xBFBF, read on the
    // plainest board (code 4: no ready line, no inversion).
    ProgrammerLink link(Ports());
    link.Open("LPT1", 0, stop, 4);
    int reads = 0;
    parallel.answer = [&](std::uint16_t address) {
        if (address != kLpt1 + 1) return std::uint8_t{0};
        // Each ReceiveByte samples eight times; answer 0xE0 then 0x50 most significant first.
        const std::uint8_t value = reads < 8 ? 0xE0 : 0x50;
        const int bit = 7 - (reads % 8);
        ++reads;
        return std::uint8_t(((value >> bit) & 1) != 0 ? 0x20 : 0x00);
    };
    EXPECT_EQ(link.IdentifyHc11(), "MC68HC11PA8");
}

} // namespace
} // namespace zav
