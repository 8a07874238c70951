#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>

#include "sequence_harness.h"
#include "support/device_names.h"
#include "sequences/sequence_plan.h"
#include "support/stored_control_port.h"

namespace zav::testing {
namespace {

const StatusLine kProgramStarted{"Program Sequence in Progress ...", StatusKind::Normal};
const StatusLine kProgramDone{"Program Sequence completed successful", StatusKind::Normal};
const StatusLine kProgramInterrupted{"Program Sequence Interrupted.", StatusKind::Normal};
const StatusLine kLocked{"Device Locked !!!", StatusKind::Warning};
const StatusLine kUnlocked{"Device Unlocked !!!", StatusKind::Warning};
const char* const kRemoveJumper = "Remove WPO jumper and press OK button.";
const char* const kInsertJumper = "Insert WPO jumper and press OK button.";
const char* const kConfigQuestion = "Program Sequence will change CONFIG (System configuration register) !\n"
                                    "Changing of this register will change device configuration !\n\n"
                                    "Continue program CONFIG register ?";

std::vector<StatusLine> Completed(const std::string& deviceName, std::vector<StatusLine> middle = {})
{
    std::vector<StatusLine> lines{kProgramStarted};
    if (deviceName == "MC68HC11PA8" || deviceName == "MC68HC11P2" || deviceName == "MC68HC11KA4") {
        lines.push_back({deviceName + " Device Detected.", StatusKind::Warning});
    }
    lines.insert(lines.end(), middle.begin(), middle.end());
    lines.push_back(kProgramDone);
    return lines;
}

std::vector<std::string> BoxTexts(const FakeSequenceHost& host)
{
    std::vector<std::string> texts;
    for (const BoxRequest& box : host.boxes) texts.push_back(box.text);
    return texts;
}

void ExpectEndedCleanly(SequenceHarness& harness)
{
    const FakeSequenceHost& host = harness.host;
    EXPECT_TRUE(host.portIdle);
    EXPECT_EQ(host.buttonsPutUp, std::vector<SequenceKind>{SequenceKind::Program});
    EXPECT_EQ(host.progressPosition, 0);
    EXPECT_EQ(host.callsOffUiThread, 0);
    EXPECT_TRUE(host.bytesSet.empty());
    EXPECT_EQ(host.beginUpdates, 0);
    for (int port = 1; port <= 3; ++port) EXPECT_EQ(harness.board.Parallel().ClaimCount(port), 0);
    EXPECT_EQ(harness.board.Parallel().ReleaseFault(), "");
    EXPECT_FALSE(harness.board.Serial().IsOpen());
}

std::string TestName(const ::testing::TestParamInfo<std::string>& info)
{
    std::string name;
    for (char c : info.param) {
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    }
    return name;
}

class ProgramEachDevice : public ::testing::TestWithParam<std::string> {};

TEST_P(ProgramEachDevice, ErasesProgramsAndVerifiesTheBufferIntoTheDeviceAndNothingElse)
{
    const std::string name = GetParam();
    SequenceHarness harness(name);
    harness.FillBuffer();
    harness.Down({SequenceOption::Erase, SequenceOption::Program, SequenceOption::Verify});
    harness.RunProgram();

    const SequencePlan plan = *FindSequencePlan(name);
    EXPECT_EQ(harness.host.lines, Completed(name));
    EXPECT_EQ(harness.program.Result(), 0);
    std::vector<std::string> boxes;
    if (plan.IsMc68hc11()) boxes = {kConfigQuestion};
    // Every WPO register of the target pattern is non-zero, so the jumper comes out first.
    if (plan.IsTms()) boxes = {kRemoveJumper, kInsertJumper};
    EXPECT_EQ(BoxTexts(harness.host), boxes);

    for (std::int32_t a = 0; a <= 0xFFFF; ++a) {
        const bool programmed = plan.eeprom.Contains(a) || a == plan.configRegister;
        ASSERT_EQ(harness.Target(a), programmed ? BufferPattern(a) : TargetPattern(a)) << std::hex << a;
    }
    EXPECT_EQ(harness.host.progressMaximum, plan.progressMaximum);
    ExpectEndedCleanly(harness);
}

INSTANTIATE_TEST_SUITE_P(AllDevices, ProgramEachDevice,
                         ::testing::ValuesIn(kDeviceNames),
                         TestName);

TEST(ProgramSequence, EraseAloneLeavesErasedCellsThatVerifyAgainst0xFF)
{
    SequenceHarness harness("MC68HC05B6");
    harness.FillBuffer();
    harness.Down({SequenceOption::Erase, SequenceOption::Verify});
    harness.RunProgram();
    EXPECT_EQ(harness.host.lines, Completed("MC68HC05B6"));
    for (std::int32_t a = 0x0100; a <= 0x01FF; ++a) ASSERT_EQ(harness.Target(a), 0xFF);
    // Verify against 0xFF reads nothing from the buffer.
    EXPECT_TRUE(harness.host.bytesRead.empty());
}

TEST(ProgramSequence, LockAndUnlockChangeBitZeroOfTheOptionRegister)
{
    SequenceHarness locking("MC68HC05B6");
    locking.board.Target().Poke(0x0100, 0x03);
    locking.Down({SequenceOption::Lock});
    locking.RunProgram();
    EXPECT_EQ(locking.Target(0x0100), 0x02);
    EXPECT_EQ(locking.host.lines, Completed("MC68HC05B6", {kLocked}));

    SequenceHarness unlocking("MC68HC705B16");
    unlocking.board.Target().Poke(0x0100, 0x02);
    unlocking.Down({SequenceOption::Unlock});
    unlocking.RunProgram();
    EXPECT_EQ(unlocking.Target(0x0100), 0x03);
    EXPECT_EQ(unlocking.host.lines, Completed("MC68HC705B16", {kUnlocked}));
    EXPECT_TRUE(unlocking.host.boxes.empty());
}

TEST(ProgramSequence, LockAndUnlockOnConfigNeedTheUsersConsent)
{
    SequenceHarness e9Lock("MC68HC11E9");
    e9Lock.Down({SequenceOption::Lock});
    e9Lock.RunProgram();
    EXPECT_EQ(e9Lock.Target(0x103F), 0x07);
    EXPECT_EQ(e9Lock.host.lines, Completed("MC68HC11E9", {kLocked}));

    SequenceHarness e9Unlock("MC68HC11E9");
    e9Unlock.Down({SequenceOption::Unlock});
    e9Unlock.RunProgram();
    EXPECT_EQ(e9Unlock.board.Parallel().UnlockCount(), 1);
    EXPECT_EQ(e9Unlock.host.lines, Completed("MC68HC11E9", {kUnlocked}));

    SequenceHarness ka4Lock("MC68HC11KA4");
    ka4Lock.Down({SequenceOption::Lock});
    ka4Lock.RunProgram();
    EXPECT_EQ(ka4Lock.Target(0x003F), 0xF7);
    EXPECT_EQ(ka4Lock.host.lines, Completed("MC68HC11KA4", {kLocked}));

    SequenceHarness pa8Unlock("MC68HC11PA8");
    pa8Unlock.Down({SequenceOption::Unlock});
    pa8Unlock.RunProgram();
    EXPECT_EQ(pa8Unlock.Target(0x003F), 0xFF);
    EXPECT_EQ(pa8Unlock.host.lines, Completed("MC68HC11PA8", {kUnlocked}));
}

TEST(ProgramSequence, TheConfigQuestionBeepsFirstAndIsAWarningWithYesAndNo)
{
    SequenceHarness harness("MC68HC11KA1");
    int beepsBeforeBox = -1;
    harness.host.onShow = [&](const BoxRequest&) { beepsBeforeBox = harness.host.beeps; };
    harness.Down({SequenceOption::Program});
    harness.RunProgram();
    ASSERT_EQ(harness.host.boxes.size(), 1u);
    EXPECT_EQ(harness.host.boxes[0],
              (BoxRequest{BoxKind::Warning, BoxButtons::YesNo, kConfigQuestion, "Warning !!!"}));
    EXPECT_EQ(beepsBeforeBox, 1);
}

TEST(ProgramSequence, ARefusedConfigChangeTouchesNeitherConfigNorLockButCompletes)
{
    SequenceHarness harness("MC68HC11E9");
    harness.FillBuffer();
    harness.host.answers = {BoxAnswer::No};
    harness.Down({SequenceOption::Erase, SequenceOption::Program, SequenceOption::Lock});
    harness.RunProgram();
    EXPECT_EQ(harness.Target(0x103F), TargetPattern(0x103F));
    for (std::int32_t a = 0xB600; a <= 0xB7FF; ++a) ASSERT_EQ(harness.Target(a), BufferPattern(a));
    EXPECT_EQ(harness.host.lines, Completed("MC68HC11E9"));
    EXPECT_EQ(harness.program.Result(), 0);
    EXPECT_EQ(std::count(harness.host.bytesRead.begin(), harness.host.bytesRead.end(), 0x103F), 0);
}

TEST(ProgramSequence, VerifyAloneAsksNothing)
{
    SequenceHarness harness("MC68HC11KA4");
    harness.Down({SequenceOption::Verify});
    harness.RunProgram();
    EXPECT_TRUE(harness.host.boxes.empty());
    EXPECT_EQ(harness.host.beeps, 0);
    // The buffer holds zeros and the target its pattern: every zero-differing cell is reported.
    std::size_t mismatches = 0;
    for (std::int32_t a = 0x0D80; a <= 0x0FFF; ++a) mismatches += TargetPattern(a) != 0 ? 1 : 0;
    EXPECT_EQ(harness.host.lines.size(), mismatches + 3);
    EXPECT_EQ(harness.host.lines.back().text,
              "Verify failed: " + std::to_string(mismatches) + " cells differ, first at 0x0D80");
}

TEST(ProgramSequence, AVerifyMismatchIsListedAndEndsTheSequenceWithItsFailureInsteadOfSuccess)
{
    BoardSimOptions options = BoardFor("TMS370Cx5x (256)");
    options.stuckCell = 0x1F05;
    SequenceHarness harness("TMS370Cx5x (256)", options);
    harness.FillBuffer();
    harness.board.Target().Poke(0x1F00, 0x00);
    harness.Down({SequenceOption::Program, SequenceOption::Verify});
    harness.RunProgram();
    EXPECT_EQ(harness.host.lines,
              (std::vector<StatusLine>{kProgramStarted,
                                       {"Verify Error at Address : 0x1F05", StatusKind::Error},
                                       {"Verify failed: 1 cell differs, first at 0x1F05", StatusKind::Error}}));
    const std::uint8_t device = harness.Target(0x1F05);
    EXPECT_EQ(harness.host.verifyDifferences,
              (std::vector<CellDifference>{{0x1F05, BufferPattern(0x1F05), device}}));
    // The path still ran to its end: no interrupted line.
    EXPECT_EQ(harness.program.Result(), 0);
}

TEST(ProgramSequence, AVerifyOfAPartHoldingSomethingElseKeepsEveryDeviceValueAndTheNextSequenceDropsThem)
{
    SequenceHarness harness("MC68HC11E9");
    harness.FillBuffer();
    harness.Down({SequenceOption::Verify});
    harness.RunProgram();

    const std::vector<std::string> texts = harness.host.Texts();
    ASSERT_EQ(texts.size(), 1U + 512U + 1U);
    EXPECT_EQ(texts[1], "Verify Error at Address : 0xB600");
    EXPECT_EQ(texts.back(), "Verify failed: 512 cells differ, first at 0xB600");
    ASSERT_EQ(harness.host.verifyDifferences.size(), 512U);
    for (const CellDifference& difference : harness.host.verifyDifferences) {
        EXPECT_EQ(difference.expected, BufferPattern(difference.address));
        EXPECT_EQ(difference.device, TargetPattern(difference.address));
    }

    harness.RunRead();
    EXPECT_TRUE(harness.host.verifyDifferences.empty());
}

TEST(ProgramSequence, AnUnprotectedTmsPartNeedsNoJumperAndGetsItsWpoRegisterLast)
{
    SequenceHarness harness("TMS370Cx5x (256)");
    harness.FillBuffer();
    harness.board.Target().Poke(0x1F00, 0x00);
    harness.Down({SequenceOption::Program});
    harness.RunProgram();
    EXPECT_TRUE(harness.host.boxes.empty());
    std::vector<std::int32_t> expected = AddressesOf(0x1F01, 0x1FFF);
    expected.push_back(0x1F00);
    EXPECT_EQ(harness.host.bytesRead, expected);
    EXPECT_EQ(harness.Target(0x1F00), BufferPattern(0x1F00));
    EXPECT_EQ(harness.host.highestProgress, 256);
}

TEST(ProgramSequence, TheJumperGoesBackBeforeVerifyOrAtTheEnd)
{
    std::vector<std::string> order;
    SequenceHarness withVerify("TMS375C006 (512)");
    withVerify.board.Target().Poke(0x1E00, 0x00);
    withVerify.host.onShow = [&](const BoxRequest& box) {
        order.push_back(box.text + " after " + std::to_string(withVerify.host.bytesRead.size()) + " reads");
        EXPECT_EQ(box.caption, "");
        EXPECT_EQ(box.buttons, BoxButtons::Ok);
    };
    withVerify.Down({SequenceOption::Program, SequenceOption::Verify});
    withVerify.RunProgram();
    // Only 0x1F00 is protected, but one removal covers both registers; the jumper is back
    // before the verify reads the first buffer byte.
    EXPECT_EQ(order, (std::vector<std::string>{std::string(kRemoveJumper) + " after 0 reads",
                                               std::string(kInsertJumper) + " after 512 reads"}));
    EXPECT_EQ(withVerify.host.lines, Completed("TMS375C006 (512)"));

    SequenceHarness withoutVerify("TMS370Cx5x (256)");
    withoutVerify.Down({SequenceOption::Erase});
    withoutVerify.RunProgram();
    EXPECT_EQ(BoxTexts(withoutVerify.host), (std::vector<std::string>{kRemoveJumper, kInsertJumper}));
}

// Notes, in order, which of a few watched cells each target write went to.
class WriteOrderSpy final : public ParallelPortIo {
public:
    WriteOrderSpy(ParallelPortIo& inner, SimulatedTarget& target, std::vector<std::uint16_t> watched)
        : inner_(inner), target_(target), watched_(std::move(watched))
    {
    }
    std::uint16_t BaseAddress(int portNumber) override { return inner_.BaseAddress(portNumber); }
    bool Claim(int portNumber) override { return inner_.Claim(portNumber); }
    void Release(int portNumber) override { inner_.Release(portNumber); }
    std::uint8_t Read(std::uint16_t address) override { return inner_.Read(address); }
    void Write(std::uint16_t address, std::uint8_t value) override
    {
        inner_.Write(address, value);
        if (target_.WriteCount() == writesSeen_) return;
        writesSeen_ = target_.WriteCount();
        for (std::uint16_t cell : watched_) {
            if (!target_.LastWriteTo(cell)) continue;
            order.push_back(cell);
            if (onWrite) onWrite(cell);
        }
    }
    bool ReadsControlLines(int portNumber) override { return inner_.ReadsControlLines(portNumber); }
    int SlowClockTest() override { return inner_.SlowClockTest(); }
    std::string FailureCause() const override { return inner_.FailureCause(); }

    std::vector<std::uint16_t> order;
    // Called on the worker's thread, as the write reaches the part.
    std::function<void(std::uint16_t cell)> onWrite;

private:
    ParallelPortIo& inner_;
    SimulatedTarget& target_;
    std::vector<std::uint16_t> watched_;
    int writesSeen_ = 0;
};

std::vector<std::uint16_t> WatchedWriteOrder(std::initializer_list<SequenceOption> options)
{
    SequenceHarness harness("TMS370Cx5x (512)");
    WriteOrderSpy spy(harness.board.Parallel(), harness.board.Target(), {0x1EFF, 0x1E00, 0x1FFF, 0x1F00});
    SharedPortsLinkFactory spiedLinks(PortAccess{&spy, nullptr, &harness.board.BoardClock()});
    ProgramSequenceControl program(harness.host, harness.queue, spiedLinks);
    harness.FillBuffer();
    harness.Down(options);
    program.Start();
    program.WaitForEnd();
    EXPECT_EQ(harness.host.lines, Completed("TMS370Cx5x (512)"));
    return spy.order;
}

// A board that signals ready on the clock line, behind a port that cannot read that line:
// the sequence must refuse at the open instead of writing unpaced.
TEST(ProgramSequence, AClockReadyBoardBehindAPortThatCannotReadTheClockLineIsRefused)
{
    for (const std::string device : {"MC68HC05B6", "MC68HC11KA4"}) {
        BoardSimOptions options = BoardFor(device);
        options.clockReadback = true;
        SequenceHarness harness(device, options);
        StoredControlPort ppdev(harness.board.Parallel());
        SharedPortsLinkFactory links(PortAccess{&ppdev, nullptr, &harness.board.BoardClock()});
        ProgramSequenceControl program(harness.host, harness.queue, links);
        harness.FillBuffer();
        harness.Down({SequenceOption::Erase, SequenceOption::Program, SequenceOption::Lock});
        program.Start();
        program.WaitForEnd();
        EXPECT_EQ(harness.host.lines, (std::vector<StatusLine>{kProgramStarted,
                                                               {std::string("Error opening port: LPT1: ") +
                                                                    StoredControlPort::kFix,
                                                                StatusKind::Error}}))
            << device;
        EXPECT_EQ(harness.board.Target().WriteCount(), 0) << device;
        EXPECT_TRUE(harness.host.boxes.empty());
    }
}

TEST(ProgramSequence, The512ByteTmsBlocksEachGetTheirWpoRegisterRightAfterThem)
{
    using Order = std::vector<std::uint16_t>;
    // Erase alone erases each register right after its block.
    EXPECT_EQ(WatchedWriteOrder({SequenceOption::Erase}), (Order{0x1EFF, 0x1E00, 0x1FFF, 0x1F00}));
    // With Program down too, the registers are not erased, only programmed after their blocks.
    EXPECT_EQ(WatchedWriteOrder({SequenceOption::Erase, SequenceOption::Program}),
              (Order{0x1EFF, 0x1FFF, 0x1EFF, 0x1E00, 0x1FFF, 0x1F00}));

    SequenceHarness programming("TMS370Cx5x (512)");
    programming.FillBuffer();
    programming.Down({SequenceOption::Program});
    programming.RunProgram();
    std::vector<std::int32_t> expected = AddressesOf(0x1E01, 0x1EFF);
    expected.push_back(0x1E00);
    const std::vector<std::int32_t> second = AddressesOf(0x1F01, 0x1FFF);
    expected.insert(expected.end(), second.begin(), second.end());
    expected.push_back(0x1F00);
    EXPECT_EQ(programming.host.bytesRead, expected);
    EXPECT_EQ(programming.Target(0x1E00), BufferPattern(0x1E00));
    EXPECT_EQ(programming.Target(0x1F00), BufferPattern(0x1F00));
    // One pass over both blocks: the registers count as cells.
    EXPECT_EQ(programming.host.highestProgress, 512);
}

TEST(ProgramSequence, TheL28EraseCommandIsSentOnceForEraseAndAgainForProgram)
{
    SequenceHarness eraseOnly("MC68HC05L28");
    eraseOnly.Down({SequenceOption::Erase});
    eraseOnly.RunProgram();
    for (std::int32_t a = 0x0300; a <= 0x03FF; ++a) ASSERT_EQ(eraseOnly.Target(a), 0xFF);
    EXPECT_EQ(eraseOnly.board.Target().WriteCount(), 1);
    // No loop, so no progress of its own: the bar only ever had the simulation's maximum.
    EXPECT_EQ(eraseOnly.host.progressMaximum, 100);

    SequenceHarness both("MC68HC05L28");
    both.FillBuffer();
    both.Down({SequenceOption::Erase, SequenceOption::Program});
    both.RunProgram();
    for (std::int32_t a = 0x0300; a <= 0x03FF; ++a) ASSERT_EQ(both.Target(a), BufferPattern(a));
    // Two whole-page erases and one write per cell.
    EXPECT_EQ(both.board.Target().WriteCount(), 2 + 256);
    EXPECT_EQ(both.host.lines, Completed("MC68HC05L28"));
}

TEST(ProgramSequence, FailuresSuppressTheSuccessLine)
{
    BoardSimOptions wrong = BoardFor("MC68HC705B16");
    wrong.wrongId = true;
    SequenceHarness wrongId("MC68HC705B16", wrong);
    wrongId.Down({SequenceOption::Program});
    wrongId.RunProgram();
    EXPECT_EQ(wrongId.host.lines,
              (std::vector<StatusLine>{kProgramStarted, {"Wrong Programmer ID !", StatusKind::Error}}));
    EXPECT_EQ(wrongId.program.Result(), 1);
    ExpectEndedCleanly(wrongId);

    SequenceHarness badPort("MC68HC05L28");
    badPort.host.settings.comPort = "COM9";
    badPort.Down({SequenceOption::Program});
    badPort.RunProgram();
    EXPECT_EQ(badPort.host.lines,
              (std::vector<StatusLine>{kProgramStarted, {"Error opening port: COM9", StatusKind::Error}}));
    ExpectEndedCleanly(badPort);
}

TEST(ProgramSequence, WithNoDeviceSelectedItCompletesWithoutOpeningAPort)
{
    SequenceHarness harness{std::string(NoDeviceName)};
    harness.Down({SequenceOption::Erase, SequenceOption::Program});
    harness.RunProgram();
    EXPECT_EQ(harness.host.lines, (std::vector<StatusLine>{kProgramStarted, kProgramDone}));
    EXPECT_EQ(harness.board.Virtual()->NowUs(), 0);
    ExpectEndedCleanly(harness);
}

TEST(ProgramSequence, AStopWhileTheWorkerWaitsOnABoxDoesNotDeadlock)
{
    SequenceHarness harness("MC68HC11E9");
    harness.FillBuffer();
    harness.Down({SequenceOption::Erase, SequenceOption::Program});
    // The stop arrives on the user-interface thread while the question is on its way; the
    // stop's own wait has to show it before the worker can notice the request.
    harness.host.onBeep = [&] { harness.program.StartButtonClick(false); };
    harness.RunProgram();

    EXPECT_EQ(BoxTexts(harness.host), std::vector<std::string>{kConfigQuestion});
    EXPECT_EQ(harness.host.lines, (std::vector<StatusLine>{kProgramStarted, kProgramInterrupted}));
    EXPECT_FALSE(harness.program.HasWorker());
    // Not even the erase command, which waits for no ready signal, went out.
    EXPECT_EQ(harness.board.Target().WriteCount(), 0);
    for (std::int32_t a = 0xB600; a <= 0xB7FF; ++a) ASSERT_EQ(harness.Target(a), TargetPattern(a));
    ExpectEndedCleanly(harness);
}

// A stop that arrives while a box is up (a Ctrl-C that answers the question, a window
// closed meanwhile) reaches the worker together with the answer.
struct BoxStop {
    std::string device;
    std::vector<SequenceOption> options;
    std::size_t box; // which box of the run the stop comes at, from 0
};

class StopAtABox : public ::testing::TestWithParam<BoxStop> {};

TEST_P(StopAtABox, NoTargetCellChangesAfterTheStop)
{
    const BoxStop& stop = GetParam();
    SequenceHarness harness(stop.device);
    harness.FillBuffer();
    for (const SequenceOption option : stop.options) harness.Down({option});
    std::vector<std::uint8_t> atStop;
    int writesAtStop = -1;
    harness.host.onShow = [&](const BoxRequest&) {
        if (harness.host.boxes.size() != stop.box + 1) return;
        harness.program.RequestStop();
        // What the part holds once the write it is busy with (if any) is done.
        harness.board.Target().CompleteStartedWrite();
        writesAtStop = harness.board.Target().WriteCount();
        for (std::int32_t a = 0; a <= 0xFFFF; ++a)
            atStop.push_back(harness.board.Target().Peek(static_cast<std::uint16_t>(a)));
    };
    harness.RunProgram();

    ASSERT_EQ(atStop.size(), 0x10000U) << "the box was not shown";
    EXPECT_EQ(harness.host.boxes.size(), stop.box + 1);
    EXPECT_EQ(harness.board.Target().WriteCount(), writesAtStop);
    for (std::int32_t a = 0; a <= 0xFFFF; ++a)
        ASSERT_EQ(harness.board.Target().Peek(static_cast<std::uint16_t>(a)),
                  atStop[static_cast<std::size_t>(a)])
            << a;
    // The stop is the user's: neither a board that is not ready nor a success.
    for (const StatusLine& line : harness.host.lines) {
        EXPECT_NE(line.kind, StatusKind::Error) << line.text;
        EXPECT_EQ(line.text.find("completed"), std::string::npos) << line.text;
    }
}

using Opt = SequenceOption;
INSTANTIATE_TEST_SUITE_P(
    EachFamilyAndBox, StopAtABox,
    ::testing::Values(BoxStop{"MC68HC11E9", {Opt::Erase, Opt::Program, Opt::Lock}, 0},
                      BoxStop{"MC68HC11E9", {Opt::Unlock}, 0},
                      BoxStop{"MC68HC11KA4", {Opt::Erase, Opt::Program, Opt::Lock}, 0},
                      BoxStop{"MC68HC11PA8", {Opt::Program, Opt::Unlock}, 0},
                      BoxStop{"TMS370Cx5x (256)", {Opt::Erase, Opt::Program, Opt::Verify}, 0},
                      BoxStop{"TMS370Cx5x (512)", {Opt::Program, Opt::Verify}, 1},
                      BoxStop{"TMS375C006 (256)", {Opt::Program}, 0},
                      BoxStop{"TMS375C006 (512)", {Opt::Erase}, 1}),
    [](const ::testing::TestParamInfo<BoxStop>& info) { return "Case" + std::to_string(info.index); });

// A run stopped part-way leaves the cells it had not reached as it found them, also the
// second block's first cell, on which the delay was calibrated before the erase began.
TEST(ProgramSequence, AStopInTheFirstTmsBlockLeavesTheSecondAsItWas)
{
    SequenceHarness harness("TMS370Cx5x (512)");
    // The stop comes from the worker's own thread as the erase reaches 0x1E10, so it lands
    // there however the threads are scheduled.
    WriteOrderSpy spy(harness.board.Parallel(), harness.board.Target(), {0x1E10});
    SharedPortsLinkFactory spiedLinks(PortAccess{&spy, nullptr, &harness.board.BoardClock()});
    ProgramSequenceControl program(harness.host, harness.queue, spiedLinks);
    spy.onWrite = [&](std::uint16_t) { program.RequestStop(); };
    harness.FillBuffer();
    harness.Down({SequenceOption::Erase, SequenceOption::Program});
    program.Start();
    program.WaitForEnd();
    // A stop is no board failure: nothing but the start line, and no success.
    EXPECT_EQ(harness.host.lines, (std::vector<StatusLine>{kProgramStarted}));
    EXPECT_EQ(harness.Target(0x1E01), 0xFF);
    for (std::int32_t a = 0x1F00; a <= 0x1FFF; ++a)
        ASSERT_EQ(harness.Target(a), TargetPattern(a)) << std::hex << a;
}

// Programming an MC68HC11 EEPROM only clears bits: a program run over what the part held
// before comes out right only when its erase reached the part.
TEST(ProgramSequence, AnE9ProgramRunErasesThePartBeforeItsCellsAreProgrammed)
{
    SequenceHarness harness("MC68HC11E9");
    harness.FillBuffer();
    harness.Down({SequenceOption::Program, SequenceOption::Verify});
    harness.RunProgram();
    EXPECT_EQ(harness.host.lines, Completed("MC68HC11E9"));
    for (std::int32_t a = 0xB600; a <= 0xB7FF; ++a)
        ASSERT_EQ(harness.Target(a), BufferPattern(a)) << std::hex << a;
}

TEST(ProgramSequence, AStartIsRefusedWhileAReadOwnsThePort)
{
    BoardSimOptions options = BoardFor("MC68HC05B6");
    options.neverReady = true;
    SequenceHarness harness("MC68HC05B6", options);
    // Waits for ready until the user stops, as the window does.
    harness.host.settings.waitLimitMs = 0;
    harness.Down({SequenceOption::Read, SequenceOption::Program});
    EXPECT_TRUE(harness.read.StartButtonClick(true));
    EXPECT_FALSE(harness.program.StartButtonClick(true));
    EXPECT_EQ(harness.host.buttonsPutUp, std::vector<SequenceKind>{SequenceKind::Program});
    EXPECT_FALSE(harness.program.HasWorker());
    EXPECT_TRUE(harness.read.Running());
    harness.read.StartButtonClick(false);
    EXPECT_EQ(harness.host.lines.back(), (StatusLine{"Read Sequence Interrupted.", StatusKind::Normal}));
    EXPECT_TRUE(harness.host.portIdle);
}

} // namespace
} // namespace zav::testing
