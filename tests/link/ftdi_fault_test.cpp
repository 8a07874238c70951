// What goes wrong with an FTDI adapter, through the backend and the simulated adapter: pulled
// out mid-sequence, missing, ambiguous, forbidden, or a chip that cannot do the job.
#include <gtest/gtest.h>

#include <atomic>

#include "ftdi_rig.h"
#include "platform/port_check.h"
#include "link/programmer_link.h"

namespace zav {
namespace {

using testing::StatusLine;

bool Said(const std::vector<StatusLine>& lines, const std::string& part)
{
    for (const StatusLine& line : lines) {
        if (line.text.find(part) != std::string::npos) return true;
    }
    return false;
}

struct UnplugCase {
    const char* device;
    bool program;
};

class UnpluggedMidSequence : public ::testing::TestWithParam<UnplugCase> {};

// Boards paced by the status line, by the settle wait and by framed bytes alike: the adapter
// gone, the sequence ends at once with the cause, and nothing is reported done.
TEST_P(UnpluggedMidSequence, EndsWithACommunicationErrorAndNothingDone)
{
    const UnplugCase c = GetParam();
    test::AdapterRig rig(c.device, testing::BoardFor(c.device), true);
    // Past the board's handshake, well inside the cells.
    rig.adapter.unplugAfterTransfers = 40;
    if (c.program) {
        rig.RunProgram();
    } else {
        rig.RunRead();
    }
    const auto& lines = rig.host.lines;
    const bool lostInOperation =
        Said(lines, "Communication Error. The FT232R adapter 0403:6001 (serial ZAVSIM01) stopped answering");
    // A program sequence may have lost it while a later step opened the port again.
    EXPECT_TRUE(lostInOperation || (c.program && Said(lines, "Error opening port: LPT1")));
    EXPECT_TRUE(Said(lines, "stopped answering")) << "the cause is said";
    EXPECT_FALSE(Said(lines, "completed successful"));
    EXPECT_NE(c.program ? rig.program.Result() : rig.read.Result(), 0);
    EXPECT_TRUE(rig.host.portIdle);
}

INSTANTIATE_TEST_SUITE_P(BoardsAndSequences, UnpluggedMidSequence,
                         ::testing::Values(UnplugCase{"MC68HC705B16", false}, UnplugCase{"MC68HC11E9", false},
                                           UnplugCase{"TMS375C006 (256)", false}, UnplugCase{"MC68HC05B6", true},
                                           UnplugCase{"MC68HC11E9", true}));

// The adapter's bus as a test sets it up, with the board's adapter first.
class AdapterBus : public ::testing::Test {
protected:
    SimulatedBoard board{BoardSimOptions{}};
    SimulatedFtdiUsb usb{board.Parallel(), FtdiPinMap::Default(), board.Virtual()};

    FtdiAdapterInfo& AddAdapter(const std::string& serial)
    {
        usb.adapters.push_back(usb.adapters.front());
        usb.adapters.back().serial = serial;
        return usb.adapters.back();
    }
    // Claims LPT1 as `target` puts it; the cause when that fails.
    std::string ClaimCause(const std::string& target)
    {
        FtdiParallelPortIo io(test::AdapterMap(target), usb);
        if (io.Claim(1)) {
            io.Release(1);
            return "claimed";
        }
        return io.FailureCause();
    }
};

TEST_F(AdapterBus, AnAdapterThatIsNotThereIsNamedAsMissing)
{
    EXPECT_EQ(ClaimCause("ftdi:0403:6014"), "no FTDI adapter 0403:6014 is plugged in");
    EXPECT_EQ(ClaimCause("ftdi:0403:6001:NOSUCH"),
              "no FTDI adapter 0403:6001 with serial number NOSUCH is plugged in (plugged in: ZAVSIM01)");
    usb.adapters.clear();
    EXPECT_EQ(ClaimCause("ftdi:0403:6001"), "no FTDI adapter 0403:6001 is plugged in");
}

TEST_F(AdapterBus, TwoAdaptersNeedASerialNumberAndTheRefusalListsThem)
{
    AddAdapter("OTHER02");
    const std::string cause = ClaimCause("ftdi:0403:6001");
    EXPECT_NE(cause.find("2 FTDI adapters 0403:6001 are plugged in (serial numbers ZAVSIM01, OTHER02)"),
              std::string::npos)
        << cause;
    EXPECT_NE(cause.find("LPT1=ftdi:0403:6001:ZAVSIM01"), std::string::npos) << cause;
    EXPECT_EQ(ClaimCause("ftdi:0403:6001:ZAVSIM01"), "claimed");
}

TEST_F(AdapterBus, NoPermissionNamesTheUdevRule)
{
    usb.adapters.front().accessible = false;
    const std::string cause = ClaimCause("ftdi:0403:6001");
    EXPECT_NE(cause.find("no permission"), std::string::npos) << cause;
    EXPECT_NE(cause.find("/dev/bus/usb/001/004"), std::string::npos) << cause;
    EXPECT_NE(cause.find("60-zav-usb-adapters.rules"), std::string::npos) << cause;
    EXPECT_FALSE(usb.IsOpen());
}

// The chips with synchronous bit-bang and at least five pins serve; the others are refused
// before the adapter is opened.
TEST_F(AdapterBus, OnlyChipsWithSynchronousBitBangAreTaken)
{
    struct Case {
        FtdiChip chip;
        bool taken;
    };
    for (const Case c : {Case{FtdiChip::Ft232R, true}, Case{FtdiChip::Ft232H, true}, Case{FtdiChip::Ft2232H, true},
                         Case{FtdiChip::Ft4232H, true}, Case{FtdiChip::Ft2232C, true},
                         Case{FtdiChip::Ft232Bm, false}, Case{FtdiChip::Ft232Am, false},
                         Case{FtdiChip::Ft230X, false}, Case{FtdiChip::Unknown, false}}) {
        usb.adapters.front().chip = c.chip;
        const std::string cause = ClaimCause("ftdi:0403:6001");
        EXPECT_EQ(cause == "claimed", c.taken) << FtdiChipName(c.chip) << ": " << cause;
        if (!c.taken) {
            EXPECT_NE(cause.find("FT232R, FT232H"), std::string::npos) << cause;
        }
    }
}

TEST_F(AdapterBus, TheLinkFailsToOpenWithTheCauseBesideIt)
{
    usb.adapters.clear();
    FtdiParallelPortIo io(test::AdapterMap(), usb);
    std::atomic<bool> stop{false};
    ProgrammerLink link(PortAccess{&io, nullptr, board.Virtual()});
    link.Open("LPT1", 0, stop, 2);
    EXPECT_EQ(link.LastError(), "Error opening port: LPT1");
    EXPECT_EQ(link.ErrorCause(), "no FTDI adapter 0403:6001 is plugged in");
}

// Writes with no read between them go out together, split only where the chip's buffer
// ends; a read sends them with one more update that samples the inputs.
TEST_F(AdapterBus, ARunOfWritesIsOneTransfer)
{
    FtdiParallelPortIo io(test::AdapterMap(), usb);
    ASSERT_TRUE(io.Claim(1)) << io.FailureCause();
    const std::int64_t afterClaim = usb.Transfers();
    const std::uint16_t base = io.BaseAddress(1);
    for (int i = 0; i < 100; ++i) io.Write(static_cast<std::uint16_t>(base + 2), static_cast<std::uint8_t>(i & 1));
    EXPECT_EQ(usb.Transfers(), afterClaim);
    (void)io.Read(static_cast<std::uint16_t>(base + 1));
    EXPECT_EQ(usb.Transfers(), afterClaim + 1);
    EXPECT_EQ(usb.PinUpdates() - 1, 101) << "every write is a pin update, and the read one more";

    for (int i = 0; i < 300; ++i) io.Write(base, static_cast<std::uint8_t>(i & 1));
    io.Flush();
    EXPECT_EQ(usb.Transfers(), afterClaim + 1 + 3) << "an FT232R takes 128 updates a transfer";
    io.Release(1);
}

// The eight samples of a received byte and the pulses between them need no round trip each:
// a whole cell read of the MC68HC11E9 board (no ready line) is one transfer.
TEST(AdapterBatching, ACellReadIsOneTransfer)
{
    BoardSimOptions options;
    options.boardCode = 4;
    SimulatedBoard board(options);
    board.Target().Poke(0xB600, 0x5A);
    SimulatedFtdiUsb usb(board.Parallel(), FtdiPinMap::Default(), board.Virtual());
    FtdiParallelPortIo io(test::AdapterMap(), usb);
    FlushingClock clock(board.BoardClock(), io);
    std::atomic<bool> stop{false};
    ProgrammerLink link(PortAccess{&io, nullptr, &clock});
    link.Open("LPT1", 0, stop, 4);
    ASSERT_EQ(link.LastError(), "");
    link.ResetTarget();
    ASSERT_EQ(link.ReadBoardId(), 0x7B);
    const std::int64_t before = usb.Transfers();
    EXPECT_EQ(link.ReadByteAt(0xB600), 0x5A);
    EXPECT_EQ(usb.Transfers() - before, 1);
    link.Close();
}

// Status bit 7 (busy) and the strobe, autofeed and select-in lines are inverted between pin
// and register, as on a PC; an input without a wire reads as a pulled-up line.
TEST_F(AdapterBus, RegistersMeanWhatTheyMeanOnAPort)
{
    const std::string pins = "data0=D0,paper-out=D1,strobe=D2,error=D3,autofeed=D4,busy=D5,select-in=D6,ack=D7";
    std::string error;
    SimulatedFtdiUsb wired(board.Parallel(), *FtdiPinMap::Parse(pins, error), board.Virtual());
    FtdiParallelPortIo io(test::AdapterMap("ftdi:0403:6001:" + pins), wired);
    ASSERT_TRUE(io.Claim(1)) << io.FailureCause();
    EXPECT_EQ(wired.OutputMask(), 0b0101'0101) << "data0, strobe, autofeed and select-in are driven";
    const std::uint16_t base = io.BaseAddress(1);
    io.Write(static_cast<std::uint16_t>(base + 2), 0x0B);
    EXPECT_EQ(io.Read(static_cast<std::uint16_t>(base + 2)) & 0x0B, 0x0B);
    EXPECT_EQ(board.Parallel().Read(static_cast<std::uint16_t>(base + 2)) & 0x03, 0x03)
        << "the board sees the register value, not the pin levels";
    io.Write(static_cast<std::uint16_t>(base + 2), 0x00);
    // Nothing drives busy (pin high: register bit 0) or ack; select has no wire (reads 1).
    const std::uint8_t status = io.Read(static_cast<std::uint16_t>(base + 1));
    EXPECT_EQ(status & 0x80, 0);
    EXPECT_EQ(status & 0x10, 0x10);
    io.Release(1);
}

TEST_F(AdapterBus, APortCheckSaysFoundAndClaimedOrWhyNot)
{
    const PortsMap map = test::AdapterMap();
    PortCheck check = CheckPort("LPT1", map, usb);
    EXPECT_TRUE(check.usable) << check.cause;
    EXPECT_EQ(DescribePortCheck(check),
              "LPT1 (ftdi:0403:6001): usable: the FT232R adapter 0403:6001 (serial ZAVSIM01, FT232R USB UART) "
              "found and claimed; clock-line ready can be read");
    usb.adapters.clear();
    check = CheckPort("LPT1", map, usb);
    EXPECT_EQ(DescribePortCheck(check), "LPT1 (ftdi:0403:6001): not usable: no FTDI adapter 0403:6001 is plugged in");
}

} // namespace
} // namespace zav
