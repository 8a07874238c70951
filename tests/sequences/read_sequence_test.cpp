#include <gtest/gtest.h>

#include <stdexcept>

#include "sequence_harness.h"
#include "support/device_names.h"
#include "sequences/sequence_plan.h"

namespace zav::testing {
namespace {

const StatusLine kReadStarted{"Read Sequence in Progress ...", StatusKind::Normal};
const StatusLine kReadDone{"Read Sequence completed successful.", StatusKind::Normal};
const StatusLine kReadInterrupted{"Read Sequence Interrupted.", StatusKind::Normal};

std::string DetectedVariant(const std::string& deviceName)
{
    if (deviceName == "MC68HC11PA8" || deviceName == "MC68HC11P2" || deviceName == "MC68HC11KA4") {
        return deviceName + " Device Detected.";
    }
    return "";
}

void ExpectEndedCleanly(SequenceHarness& harness)
{
    const FakeSequenceHost& host = harness.host;
    EXPECT_TRUE(host.portIdle);
    EXPECT_EQ(host.portIdleChanges.back(), true);
    EXPECT_EQ(host.buttonsPutUp, std::vector<SequenceKind>{SequenceKind::Read});
    EXPECT_EQ(host.progressPosition, 0);
    EXPECT_EQ(host.endUpdates, 1);
    EXPECT_FALSE(host.buffer.InBulkUpdate());
    EXPECT_EQ(host.callsOffUiThread, 0);
    for (int port = 1; port <= 3; ++port) EXPECT_EQ(harness.board.Parallel().ClaimCount(port), 0);
    EXPECT_EQ(harness.board.Parallel().ReleaseFault(), "");
    EXPECT_FALSE(harness.board.Serial().IsOpen());
}

class ReadEachDevice : public ::testing::TestWithParam<std::string> {};

TEST_P(ReadEachDevice, CopiesTheEepromAndItsRegisterIntoTheBufferAndNothingElse)
{
    const std::string name = GetParam();
    SequenceHarness harness(name);
    harness.Down({SequenceOption::Read});
    harness.RunRead();

    std::vector<StatusLine> expected{kReadStarted};
    if (!DetectedVariant(name).empty()) expected.push_back({DetectedVariant(name), StatusKind::Warning});
    expected.push_back(kReadDone);
    EXPECT_EQ(harness.host.lines, expected);
    EXPECT_EQ(harness.read.Result(), 0);

    const SequencePlan plan = *FindSequencePlan(name);
    std::vector<std::int32_t> written = AddressesOf(plan.eeprom.first, plan.eeprom.last);
    if (plan.configRegister) written.push_back(*plan.configRegister);
    EXPECT_EQ(harness.host.bytesSet, written);
    for (std::int32_t a = 0; a <= 0xFFFF; ++a) {
        const bool read = plan.eeprom.Contains(a) || a == plan.configRegister;
        ASSERT_EQ(harness.host.buffer.GetByte(a), read ? TargetPattern(a) : 0) << std::hex << a;
    }
    EXPECT_EQ(harness.host.progressMaximum, plan.progressMaximum);
    EXPECT_EQ(harness.host.highestProgress, plan.eeprom.Size());
    EXPECT_EQ(harness.host.beginUpdates, 1);
    EXPECT_EQ(harness.board.Target().WriteCount(), 0);
    ExpectEndedCleanly(harness);
}

INSTANTIATE_TEST_SUITE_P(AllDevices, ReadEachDevice,
                         ::testing::ValuesIn(kDeviceNames),
                         [](const auto& info) {
                             std::string name;
                             for (char c : info.param) {
                                 if (std::isalnum(static_cast<unsigned char>(c))) name += c;
                             }
                             return name;
                         });

// On a noisy serial line (a stray byte after every answer) each cell still reads as the
// part holds it: what came before a read's command is not taken for its answer.
TEST(ReadSequence, AnL28OnANoisyLineReadsEveryCellAsThePartHoldsIt)
{
    BoardSimOptions options = BoardFor("MC68HC05L28");
    options.strayByte = true;
    SequenceHarness harness("MC68HC05L28", options);
    harness.Down({SequenceOption::Read});
    harness.RunRead();
    EXPECT_EQ(harness.host.lines.back(), kReadDone);
    for (std::int32_t a = 0x0300; a <= 0x03FF; ++a)
        ASSERT_EQ(harness.host.buffer.GetByte(a), TargetPattern(a)) << a;
    ExpectEndedCleanly(harness);
}

TEST(ReadSequence, WithReadUpItResetsTheBoardAndLeavesTheBufferAsItWas)
{
    SequenceHarness harness("MC68HC05B6");
    harness.FillBuffer();
    harness.RunRead();
    EXPECT_EQ(harness.host.lines, (std::vector<StatusLine>{kReadStarted, kReadDone}));
    EXPECT_TRUE(harness.host.bytesSet.empty());
    EXPECT_EQ(harness.host.beginUpdates, 0);
    EXPECT_EQ(harness.host.buffer.GetByte(0x0100), BufferPattern(0x0100));
    ExpectEndedCleanly(harness);

    // The TMS parts and the MC68HC11PA8 open the bulk update before they look at the option.
    SequenceHarness tms("TMS375C006 (256)");
    tms.RunRead();
    EXPECT_EQ(tms.host.beginUpdates, 1);
    EXPECT_EQ(tms.host.lines, (std::vector<StatusLine>{kReadStarted, kReadDone}));
}

TEST(ReadSequence, WithNoDeviceSelectedItCompletesWithoutOpeningAPort)
{
    SequenceHarness harness{std::string(NoDeviceName)};
    harness.Down({SequenceOption::Read});
    harness.RunRead();
    EXPECT_EQ(harness.host.lines, (std::vector<StatusLine>{kReadStarted, kReadDone}));
    EXPECT_EQ(harness.read.Result(), 0);
    ExpectEndedCleanly(harness);
    EXPECT_EQ(harness.board.Virtual()->NowUs(), 0);
}

TEST(ReadSequence, ReadOnlyCellsAreStillFilled)
{
    SequenceHarness harness("MC68HC05B6");
    harness.host.buffer.SetReadOnly(0x0180, true);
    harness.Down({SequenceOption::Read});
    harness.RunRead();
    EXPECT_EQ(harness.host.buffer.GetByte(0x0180), TargetPattern(0x0180));
}

// A stored port of the other kind is refused with its key before any port is touched;
// the link would otherwise try the board on the wrong line without end.
TEST(ReadSequence, AStoredPortOfTheWrongKindIsRefusedNamingTheKey)
{
    struct Case {
        const char* device;
        const char* lptPort;
        const char* comPort;
        const char* refusal;
    };
    for (const Case c :
         {Case{"MC68HC11E9", "COM1", "COM1", "LPT_PORT: MC68HC11E9 is programmed on a LPT port, not COM1"},
          Case{"MC68HC05L28", "LPT1", "LPT2",
               "COM_PORT: MC68HC05L28 is programmed on a COM port, not LPT2"}}) {
        SequenceHarness harness(c.device);
        harness.host.settings.lptPort = c.lptPort;
        harness.host.settings.comPort = c.comPort;
        harness.Down({SequenceOption::Read});
        harness.RunRead();
        EXPECT_EQ(harness.host.lines,
                  (std::vector<StatusLine>{kReadStarted, {c.refusal, StatusKind::Error}}));
        EXPECT_EQ(harness.read.Result(), 1);
        ExpectEndedCleanly(harness);
    }
}

TEST(ReadSequence, APortThatCannotBeOpenedIsReportedWithItsCause)
{
    SequenceHarness harness("MC68HC11E9");
    harness.host.settings.lptPort = "LPT4";
    harness.Down({SequenceOption::Read});
    harness.RunRead();
    EXPECT_EQ(harness.host.lines,
              (std::vector<StatusLine>{kReadStarted, {"Error opening port: LPT4", StatusKind::Error}}));
    EXPECT_EQ(harness.read.Result(), 1);
    ExpectEndedCleanly(harness);

    // Without any parallel port access the link knows why, and says so after the error.
    FakeSequenceHost host;
    const auto queue = HandOverQueue::Create();
    SharedPortsLinkFactory noParallel(PortAccess{nullptr, nullptr, nullptr});
    ReadSequenceControl read(host, queue, noParallel);
    host.deviceText = "MC68HC05B6";
    read.Start();
    read.WaitForEnd();
    ASSERT_EQ(host.lines.size(), 3u);
    EXPECT_EQ(host.lines[1], (StatusLine{"Error opening port: LPT1", StatusKind::Error}));
    EXPECT_EQ(host.lines[2].kind, StatusKind::Warning);
    EXPECT_FALSE(host.lines[2].text.empty());
}

TEST(ReadSequence, HandshakeFailuresEndTheSequenceWithTheirMessage)
{
    struct Case {
        std::string device;
        BoardSimOptions board;
        std::string message;
    };
    BoardSimOptions wrongB16 = BoardFor("MC68HC705B16");
    wrongB16.wrongId = true;
    BoardSimOptions silentTms = BoardFor("TMS370Cx5x (256)");
    silentTms.noBoard = true;
    BoardSimOptions wrongTms = BoardFor("TMS375C006 (256)");
    wrongTms.wrongId = true;
    BoardSimOptions oldTms370 = BoardFor("TMS370Cx5x (512)");
    oldTms370.oldBoard = true;
    BoardSimOptions oldTms375 = BoardFor("TMS375C006 (512)");
    oldTms375.oldBoard = true;
    const std::vector<Case> cases{
        {"MC68HC705B16", wrongB16, "Wrong Programmer ID !"},
        {"TMS370Cx5x (256)", silentTms, "Programmer don't responding."},
        {"TMS375C006 (256)", wrongTms, "Wrong Programmer ID !"},
        {"TMS370Cx5x (512)", oldTms370, "Old Hardware, Contact ZAV"},
        {"TMS375C006 (512)", oldTms375, "Old Hardware, Contact ZAV"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.device + ": " + c.message);
        SequenceHarness harness(c.device, c.board);
        harness.Down({SequenceOption::Read});
        harness.RunRead();
        EXPECT_EQ(harness.host.lines,
                  (std::vector<StatusLine>{kReadStarted, {c.message, StatusKind::Error}}));
        EXPECT_TRUE(harness.host.bytesSet.empty());
        EXPECT_EQ(harness.read.Result(), 1);
        ExpectEndedCleanly(harness);
    }
}

TEST(ReadSequence, OlderTmsBoardsServeThe256BytePartsWithTheirOwnBoardCode)
{
    for (const char* name : {"TMS370Cx5x (256)", "TMS375C006 (256)"}) {
        SCOPED_TRACE(name);
        BoardSimOptions options = BoardFor(name);
        options.oldBoard = true;
        SequenceHarness harness(name, options);
        harness.Down({SequenceOption::Read});
        harness.RunRead();
        EXPECT_EQ(harness.host.lines, (std::vector<StatusLine>{kReadStarted, kReadDone}));
        for (std::int32_t a = 0x1F00; a <= 0x1FFF; ++a)
            ASSERT_EQ(harness.host.buffer.GetByte(a), TargetPattern(a));
        ExpectEndedCleanly(harness);
    }
}

TEST(ReadSequence, RetriesTheLoaderAndTheE9IdentificationCountingFromZero)
{
    BoardSimOptions l28 = BoardFor("MC68HC05L28");
    l28.loaderFailures = 2;
    SequenceHarness harness("MC68HC05L28", l28);
    harness.Down({SequenceOption::Read});
    harness.RunRead();
    EXPECT_EQ(harness.host.lines, (std::vector<StatusLine>{kReadStarted,
                                                           {"Opening try 0", StatusKind::Warning},
                                                           {"Opening try 1", StatusKind::Warning},
                                                           kReadDone}));
    EXPECT_EQ(harness.board.SerialTarget().UploadCount(), 3);
    ExpectEndedCleanly(harness);
}

// Stops a sequence once it has posted `lines` status lines, from the user-interface thread,
// as a click on the pressed Start button would.
void StopAfterLines(SequenceHarness& harness, SequenceControl& control, std::size_t lines)
{
    harness.queue->DrainUntil([&] { return harness.host.lines.size() >= lines || !control.Running(); });
    control.StartButtonClick(false);
}

TEST(ReadSequence, AStopDuringTheEndlessRetriesEndsWithNotReadyThenInterrupted)
{
    for (const char* name : {"MC68HC05L28", "MC68HC11E9"}) {
        SCOPED_TRACE(name);
        BoardSimOptions options = BoardFor(name);
        options.wrongId = true;
        SequenceHarness harness(name, options);
        harness.Down({SequenceOption::Read});
        harness.read.Start();
        StopAfterLines(harness, harness.read, 4);

        const auto& lines = harness.host.lines;
        ASSERT_GE(lines.size(), 4u);
        EXPECT_EQ(lines.front(), kReadStarted);
        for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
            EXPECT_EQ(lines[i], (StatusLine{"Opening try " + std::to_string(i - 1), StatusKind::Warning}));
        }
        EXPECT_EQ(lines.back(), kReadInterrupted);
        EXPECT_FALSE(harness.read.HasWorker());
        ExpectEndedCleanly(harness);
    }
}

// The window's Stop: the request returns at once, the window keeps draining (painting), and
// the end arrives as the finished notification after the interrupted line.
TEST(ReadSequence, ARequestedStopReturnsAtOnceAndTheEndIsNotified)
{
    BoardSimOptions options = BoardFor("MC68HC05B6");
    options.neverReady = true;
    SequenceHarness harness("MC68HC05B6", options);
    // Waits for ready until the user stops, as the window does.
    harness.host.settings.waitLimitMs = 0;
    std::vector<int> finished;
    std::size_t linesAtFinish = 0;
    harness.read.SetOnSequenceFinished([&](int result) {
        finished.push_back(result);
        linesAtFinish = harness.host.lines.size();
    });
    harness.Down({SequenceOption::Read});
    harness.read.Start();
    harness.queue->DrainUntil([&] { return harness.host.beginUpdates == 1; });
    harness.read.StopWithoutWaiting();
    EXPECT_TRUE(finished.empty());
    harness.queue->DrainUntil([&] { return !finished.empty(); });
    EXPECT_EQ(finished, (std::vector<int>{WorkerThread::kUnfinished}));
    EXPECT_EQ(linesAtFinish, harness.host.lines.size());
    EXPECT_EQ(harness.host.lines.back(), kReadInterrupted);
    EXPECT_FALSE(harness.read.HasWorker());
    EXPECT_EQ(harness.read.Result(), WorkerThread::kUnfinished);
    ExpectEndedCleanly(harness);
}

TEST(ReadSequence, ACompletedSequenceIsNotifiedWithItsResult)
{
    SequenceHarness harness("MC68HC05B6");
    std::vector<int> finished;
    harness.read.SetOnSequenceFinished([&](int result) { finished.push_back(result); });
    harness.Down({SequenceOption::Read});
    harness.read.Start();
    harness.queue->DrainUntil([&] { return !finished.empty(); });
    EXPECT_EQ(finished, (std::vector<int>{WorkerThread::kCompleted}));
    EXPECT_EQ(harness.read.Result(), WorkerThread::kCompleted);
    EXPECT_EQ(harness.host.lines.back(), kReadDone);
}

// What a worker throws ends its sequence with an Error line on the window's thread, the port
// free again, instead of ending the program from the worker thread.
TEST(ReadSequence, AWorkerThatThrowsEndsWithAnErrorLineAndAFreePort)
{
    class BrokenLinks final : public LinkFactory {
    public:
        std::unique_ptr<LinkEndpoint> PortsFor(const std::string&, std::uint8_t) override
        {
            throw std::runtime_error("ports map unreadable");
        }
    } broken;
    FakeSequenceHost host;
    const auto queue = HandOverQueue::Create();
    ReadSequenceControl read(host, queue, broken);
    host.deviceText = "MC68HC05B6";
    host.optionsDown = {SequenceOption::Read};
    std::vector<int> finished;
    read.SetOnSequenceFinished([&](int result) { finished.push_back(result); });
    read.Start();
    queue->DrainUntil([&] { return !finished.empty(); });
    EXPECT_EQ(finished, (std::vector<int>{WorkerThread::kUnfinished}));
    EXPECT_EQ(host.lines.back(), (StatusLine{"Sequence failed: ports map unreadable", StatusKind::Error}));
    EXPECT_TRUE(host.portIdle);
    EXPECT_FALSE(read.HasWorker());
}

TEST(ReadSequence, AStopWhileReadingKeepsTheCellsReadSoFar)
{
    BoardSimOptions options = BoardFor("MC68HC05B6");
    options.neverReady = true;
    SequenceHarness harness("MC68HC05B6", options);
    // Waits for ready until the user stops, as the window does.
    harness.host.settings.waitLimitMs = 0;
    harness.Down({SequenceOption::Read});
    harness.read.Start();
    // The board never signals ready, so the first cell waits until the user gives up.
    harness.queue->DrainUntil([&] { return harness.host.beginUpdates == 1; });
    harness.read.StartButtonClick(false);
    EXPECT_EQ(harness.host.lines, (std::vector<StatusLine>{kReadStarted, kReadInterrupted}));
    EXPECT_TRUE(harness.host.bytesSet.empty());
    ExpectEndedCleanly(harness);
}

TEST(ReadSequence, AStartIsRefusedWhileThePortIsBusy)
{
    SequenceHarness harness("MC68HC05B6");
    harness.host.portIdle = false;
    EXPECT_FALSE(harness.read.StartButtonClick(true));
    EXPECT_EQ(harness.host.buttonsPutUp, std::vector<SequenceKind>{SequenceKind::Read});
    EXPECT_FALSE(harness.read.HasWorker());
    EXPECT_TRUE(harness.host.lines.empty());
    EXPECT_EQ(harness.board.Virtual()->NowUs(), 0);
}

TEST(ReadSequence, OnlyAnUnfinishedSequenceIsReportedInterruptedWhenStopped)
{
    SequenceHarness harness("MC68HC05B6");
    harness.Down({SequenceOption::Read});
    EXPECT_TRUE(harness.read.StartButtonClick(true));
    // The port is taken before the worker has run at all.
    EXPECT_FALSE(harness.host.portIdle);
    harness.read.WaitForEnd();
    harness.read.StartButtonClick(false);
    EXPECT_EQ(harness.host.lines.back(), kReadDone);
    EXPECT_FALSE(harness.read.HasWorker());

    harness.host.settings.lptPort = "LPT9";
    harness.RunRead();
    harness.read.StartButtonClick(false);
    EXPECT_EQ(harness.host.lines.back(), kReadInterrupted);
}

} // namespace
} // namespace zav::testing

namespace zav::testing {
namespace {

TEST(BlankCheck, ReadsThePartWithoutTouchingTheBufferAndSaysWhereItIsNotBlank)
{
    SequenceHarness harness("MC68HC11E9");
    for (std::int32_t a = 0xB600; a <= 0xB7FF; ++a) harness.board.Target().Poke(static_cast<std::uint16_t>(a), 0xFF);
    harness.board.Target().Poke(0xB612, 0x00);
    harness.board.Target().Poke(0xB7FE, 0x7F);
    harness.read.SetBlankCheck(true);
    const std::vector<CellDifference> lastVerify{{0xB605, 0x5A, 0xFF}};
    harness.host.verifyDifferences = lastVerify;
    harness.RunRead();
    EXPECT_EQ(harness.host.verifyDifferences, lastVerify) << "the last verify's findings are its own";
    EXPECT_EQ(harness.host.lines,
              (std::vector<StatusLine>{
                  {"Blank Check in Progress ...", StatusKind::Normal},
                  {"Device is not blank: 2 cells not 0xFF, first at 0xB612", StatusKind::Warning}}));
    EXPECT_EQ(harness.read.LastBlankCheck().cellsNotErased, 2);
    EXPECT_EQ(harness.read.Result(), 0);
    EXPECT_EQ(harness.host.highestProgress, 512);
    EXPECT_TRUE(harness.host.bytesSet.empty());
    EXPECT_EQ(harness.host.beginUpdates + harness.host.endUpdates, 0);
    EXPECT_TRUE(harness.host.portIdle);
    EXPECT_EQ(harness.host.buttonsPutUp, std::vector<SequenceKind>{SequenceKind::Read});

    harness.host.lines.clear();
    harness.board.Target().Poke(0xB612, 0xFF);
    harness.board.Target().Poke(0xB7FE, 0xFF);
    harness.RunRead();
    EXPECT_EQ(harness.host.lines.back(), (StatusLine{"Device is blank", StatusKind::Normal}));
    EXPECT_EQ(harness.read.LastBlankCheck().cellsNotErased, 0);
}

} // namespace
} // namespace zav::testing
