// The link against the simulated board: every board code end to end, on virtual time.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include "boardsim/simulated_board.h"
#include "link/port_name.h"
#include "link/programmer_link.h"
#include "support/stored_control_port.h"

namespace zav {
namespace {

struct Rig {
    explicit Rig(BoardSimOptions options, std::uint8_t linkCode) : board(options), link(board.Access())
    {
        link.Open(linkCode == 1 ? "COM1" : "LPT1", 0, stop, linkCode);
    }
    explicit Rig(std::uint8_t code) : Rig(Options(code), code) {}

    static BoardSimOptions Options(std::uint8_t code)
    {
        BoardSimOptions options;
        options.boardCode = code;
        return options;
    }

    std::atomic<bool> stop{false};
    SimulatedBoard board;
    ProgrammerLink link;
};

// A cell of each board's EEPROM.
std::uint16_t EepromCell(std::uint8_t code)
{
    switch (code) {
    case 0:
    case 2:
        return 0x0105;
    case 1:
        return 0x0305;
    case 3:
        return 0x0D85;
    case 4:
        return 0xB605;
    default:
        return 0x1F05;
    }
}

// Reset and the handshake each board needs before it takes commands.
void Handshake(Rig& rig, std::uint8_t code)
{
    rig.link.ResetTarget();
    if (code == 1) {
        ASSERT_TRUE(rig.link.UploadLoader());
    } else if (code == 2 || code == 4 || code >= 5) {
        EXPECT_EQ(rig.link.ReadBoardId(), rig.board.Parallel().BoardId()) << int(code);
    }
    ASSERT_EQ(rig.link.LastError(), "");
}

TEST(LinkRoundTrip, IdentificationBytesOfEveryBoard)
{
    struct Case {
        std::uint8_t code;
        bool oldBoard;
        std::uint8_t id;
    };
    for (const Case c : {Case{2, false, 0xA1}, Case{4, false, 0x7B}, Case{6, false, 0xA7},
                         Case{6, true, 0x40}, Case{8, false, 0x3A}, Case{8, true, 0x66}}) {
        BoardSimOptions options = Rig::Options(c.code);
        options.oldBoard = c.oldBoard;
        Rig rig(options, c.code);
        rig.link.ResetTarget();
        EXPECT_EQ(rig.link.ReadBoardId(), c.id) << int(c.code);
        EXPECT_EQ(rig.link.LastError(), "");
    }
}

TEST(LinkRoundTrip, MissingOrWrongBoardsAnswerAsTheHandshakeExpects)
{
    for (const std::uint8_t code : {6, 8}) {
        BoardSimOptions options = Rig::Options(code);
        options.noBoard = true;
        Rig silent(options, code);
        silent.link.ResetTarget();
        EXPECT_EQ(silent.link.ReadBoardId(), 0xFF) << int(code);

        options = Rig::Options(code);
        options.wrongId = true;
        Rig wrong(options, code);
        wrong.link.ResetTarget();
        EXPECT_EQ(wrong.link.ReadBoardId(), 0x5A) << int(code);
    }
    BoardSimOptions options = Rig::Options(4);
    options.noBoard = true;
    Rig e9(options, 4);
    e9.link.ResetTarget();
    EXPECT_EQ(e9.link.ReadBoardId(), 0xFF);
}

TEST(LinkRoundTrip, WritesAndReadsCellsOnEveryBoardCode)
{
    for (std::uint8_t code = 0; code < ProgrammerLink::kBoardCodeCount; ++code) {
        // Codes 5 and 7 are the older TMS boards, reached after a code 6 or 8 open.
        BoardSimOptions options = Rig::Options(code == 5 ? 6 : code == 7 ? 8 : code);
        options.oldBoard = code == 5 || code == 7;
        Rig rig(options, code);
        ASSERT_EQ(rig.link.LastError(), "") << int(code);
        Handshake(rig, code);
        const std::uint16_t cell = EepromCell(code);
        // Back-to-back writes: the ready line or the settle delay must pace them.
        for (std::uint16_t i = 0; i < 4; ++i)
            rig.link.WriteByteAt(cell + i, static_cast<std::uint8_t>(0x30 + i));
        for (std::uint16_t i = 0; i < 4; ++i) {
            EXPECT_EQ(rig.link.ReadByteAt(cell + i), 0x30 + i) << "code " << int(code) << " cell " << i;
            EXPECT_EQ(rig.board.Target().Peek(cell + i), 0x30 + i);
        }
        EXPECT_EQ(rig.link.LastError(), "");
        // Nothing else was touched.
        EXPECT_EQ(rig.board.Target().WriteCount(), 4) << int(code);
    }
}

TEST(LinkRoundTrip, ClockReadBackBoardPacesWrites)
{
    for (const std::uint8_t code : {0, 3}) {
        BoardSimOptions options = Rig::Options(code);
        options.clockReadback = true;
        Rig rig(options, code);
        rig.link.ResetTarget();
        const std::uint16_t cell = EepromCell(code);
        rig.link.WriteByteAt(cell, 0x11);
        rig.link.WriteByteAt(cell + 1, 0x22);
        EXPECT_EQ(rig.link.ReadByteAt(cell), 0x11);
        EXPECT_EQ(rig.link.ReadByteAt(cell + 1), 0x22);
    }
}

// Why such a board is refused: unpaced, nearly every back-to-back write is lost.
TEST(LinkRoundTrip, AClockReadyBoardLosesWritesWhenTheClockLineIsNotReallyRead)
{
    for (const std::uint8_t code : {0, 3}) {
        BoardSimOptions options = Rig::Options(code);
        options.clockReadback = true;
        SimulatedBoard board(options);
        testing::StoredControlPort pretending(board.Parallel(), false);
        std::atomic<bool> stop{false};
        ProgrammerLink link(PortAccess{&pretending, nullptr, &board.BoardClock()});
        link.Open("LPT1", 0, stop, code);
        ASSERT_EQ(link.LastError(), "");
        link.ResetTarget();
        const std::uint16_t cell = EepromCell(code);
        for (std::uint16_t i = 0; i < 16; ++i)
            link.WriteByteAt(cell + i, static_cast<std::uint8_t>(0x40 + i));
        link.Close();
        int landed = 0;
        for (std::uint16_t i = 0; i < 16; ++i) landed += board.Target().Peek(cell + i) == 0x40 + i ? 1 : 0;
        EXPECT_EQ(landed, 1) << int(code);
        EXPECT_GE(board.Parallel().RefusedCommands(), 15) << int(code);

        testing::StoredControlPort honest(board.Parallel());
        ProgrammerLink refused(PortAccess{&honest, nullptr, &board.BoardClock()});
        refused.Open("LPT1", 0, stop, code);
        EXPECT_EQ(refused.LastError(),
                  std::string("Error opening port: LPT1: ") + testing::StoredControlPort::kFix);
        // Holding no port, the link fails its next command instead of writing unpaced.
        EXPECT_EQ(refused.ReadByteAt(0x0100), 0);
        EXPECT_EQ(refused.LastError(), "Communication Error.");
    }
}

TEST(LinkRoundTrip, IdentifyHc11NamesEachVariant)
{
    struct Case {
        Hc11Variant variant;
        const char* name;
    };
    for (const Case c : {Case{Hc11Variant::PA8, "MC68HC11PA8"}, Case{Hc11Variant::P2, "MC68HC11P2"},
                         Case{Hc11Variant::KA4, "MC68HC11KA4"}, Case{Hc11Variant::None, ""}}) {
        BoardSimOptions options = Rig::Options(3);
        options.hc11 = c.variant;
        Rig rig(options, 3);
        rig.link.ResetTarget();
        EXPECT_EQ(rig.link.IdentifyHc11(), c.name);
        EXPECT_EQ(rig.link.LastError(), "");
    }
}

TEST(LinkRoundTrip, LoaderAnswersWithItsSumAfterTheFailingTries)
{
    Rig rig(1);
    rig.link.ResetTarget();
    EXPECT_TRUE(rig.link.UploadLoader());
    EXPECT_TRUE(rig.board.SerialTarget().LoaderRunning());

    BoardSimOptions options = Rig::Options(1);
    options.loaderFailures = 2;
    Rig failing(options, 1);
    int tries = 0;
    failing.link.ResetTarget();
    while (!failing.link.UploadLoader() && tries < 5) {
        EXPECT_EQ(failing.link.LastError(), "");
        failing.link.ResetTarget();
        ++tries;
    }
    EXPECT_EQ(tries, 2);

    options = Rig::Options(1);
    options.wrongId = true;
    Rig wrong(options, 1);
    wrong.link.ResetTarget();
    EXPECT_FALSE(wrong.link.UploadLoader());
}

TEST(LinkRoundTrip, StopFlagFailsTheWaitAtOnceForEveryBoardCode)
{
    for (std::uint8_t code = 0; code < ProgrammerLink::kBoardCodeCount; ++code) {
        Rig rig(code);
        ASSERT_EQ(rig.link.LastError(), "");
        rig.stop = true;
        EXPECT_FALSE(rig.link.WaitReady());
        EXPECT_EQ(rig.link.LastError(), "Programmer Not Ready.");
        rig.link.WriteByteAt(EepromCell(code), 0);
        EXPECT_EQ(rig.link.LastError(), "Programmer Not Ready.");
        EXPECT_EQ(rig.board.Target().WriteCount(), 0);
    }
}

TEST(LinkRoundTrip, EraseAndUnlockCommands)
{
    Rig serial(1);
    Handshake(serial, 1);
    serial.board.Target().Poke(0x0300, 0x00);
    serial.board.Target().Poke(0x03FF, 0x00);
    serial.link.SendEraseCommand();
    EXPECT_EQ(serial.link.ReadByteAt(0x0300), 0xFF);
    EXPECT_EQ(serial.link.ReadByteAt(0x03FF), 0xFF);

    Rig e9(4);
    Handshake(e9, 4);
    e9.board.Target().Poke(0xB7FF, 0x12);
    e9.board.Target().Poke(0x103F, 0x07);
    e9.link.SendEraseCommand();
    EXPECT_EQ(e9.link.ReadByteAt(0xB7FF), 0xFF);
    e9.link.SendUnlockCommand();
    EXPECT_EQ(e9.board.Parallel().UnlockCount(), 1);
    EXPECT_EQ(e9.link.ReadByteAt(0x103F), 0x0F);
}

TEST(LinkRoundTrip, OlderTmsBoardServesASecondLinkOnTheSamePort)
{
    BoardSimOptions options = Rig::Options(6);
    options.oldBoard = true;
    Rig rig(options, 6);
    rig.link.ResetTarget();
    ASSERT_EQ(rig.link.ReadBoardId(), 0x40);
    ProgrammerLink second(rig.board.Access());
    second.Open("LPT1", 0, rig.stop, 5);
    EXPECT_EQ(rig.board.Parallel().ClaimCount(1), 2);
    second.WriteByteAt(0x1F10, 0x77);
    EXPECT_EQ(second.ReadByteAt(0x1F10), 0x77);
    second.Close();
    rig.link.Close();
    EXPECT_EQ(rig.board.Parallel().ClaimCount(1), 0);
}

TEST(LinkRoundTrip, RealTimeBoardIsPacedByTheWallClock)
{
    BoardSimOptions options = Rig::Options(0);
    options.realTime = true;
    Rig rig(options, 0);
    ASSERT_EQ(rig.board.Virtual(), nullptr);
    ASSERT_EQ(rig.link.LastError(), "");
    // No reset: after power-up this board takes commands at once.
    rig.link.WriteByteAt(0x0110, 0x42);
    rig.link.WriteByteAt(0x0111, 0x43);
    EXPECT_EQ(rig.link.ReadByteAt(0x0110), 0x42);
    EXPECT_EQ(rig.link.ReadByteAt(0x0111), 0x43);
    EXPECT_EQ(rig.board.Target().LostWrites(), 0);
}

TEST(LinkRoundTrip, ListsThePortsTheSimulatedPcHas)
{
    SimulatedBoard board(BoardSimOptions{});
    for (const PortName& name : PortName::All(PortName::Kind::Parallel))
        EXPECT_NE(board.Parallel().BaseAddress(name.Number()), 0) << name.Text();
    for (const PortName& name : PortName::All(PortName::Kind::Serial)) {
        EXPECT_TRUE(board.Serial().Open(name.Text())) << name.Text();
        board.Serial().Close();
    }
}

} // namespace
} // namespace zav
