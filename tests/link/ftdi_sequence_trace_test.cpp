// Every parallel board code, read and programmed through the FTDI backend and the simulated
// adapter, must give the board the same bytes as through the simulated port, and end with the
// same buffer, target and messages.
#include <gtest/gtest.h>

#include "ftdi_rig.h"

namespace zav {
namespace {

struct BoardCase {
    const char* name;
    const char* device;
    bool oldBoard = false;
    // The board paces by holding the clock line, read back from the adapter's pin.
    bool clockLineReady = false;
};

void PrintTo(const BoardCase& c, std::ostream* out)
{
    *out << c.name;
}

// One device per board code the parallel boards speak, the older TMS boards (codes 5 and 7)
// included, every MC68HC11 variant of code 3 since each answers its identification, and the
// boards of codes 0 and 3 that signal ready on the clock line.
const BoardCase kBoardCases[] = {
    {"Code0_MC68HC05B6", "MC68HC05B6", false},
    {"Code0_MC68HC05B6_ClockLineReady", "MC68HC05B6", false, true},
    {"Code2_MC68HC705B16", "MC68HC705B16", false},
    {"Code3_MC68HC11KA1", "MC68HC11KA1", false},
    {"Code3_MC68HC11KA1_ClockLineReady", "MC68HC11KA1", false, true},
    {"Code3_MC68HC11KA4", "MC68HC11KA4", false},
    {"Code3_MC68HC11PA8", "MC68HC11PA8", false},
    {"Code3_MC68HC11P2", "MC68HC11P2", false},
    {"Code4_MC68HC11E9", "MC68HC11E9", false},
    {"Code5_TMS370Cx5x256_OlderBoard", "TMS370Cx5x (256)", true},
    {"Code6_TMS370Cx5x256", "TMS370Cx5x (256)", false},
    {"Code6_TMS370Cx5x512", "TMS370Cx5x (512)", false},
    {"Code7_TMS375C006256_OlderBoard", "TMS375C006 (256)", true},
    {"Code8_TMS375C006256", "TMS375C006 (256)", false},
    {"Code8_TMS375C006512", "TMS375C006 (512)", false},
};

class ThroughTheAdapter : public ::testing::TestWithParam<BoardCase> {
protected:
    [[nodiscard]] std::unique_ptr<test::AdapterRig> Rig(bool throughAdapter) const
    {
        BoardSimOptions options = testing::BoardFor(GetParam().device);
        options.oldBoard = GetParam().oldBoard;
        options.clockReadback = GetParam().clockLineReady;
        return std::make_unique<test::AdapterRig>(GetParam().device, options, throughAdapter);
    }
};

TEST_P(ThroughTheAdapter, AReadSendsTheSameBytesAndFillsTheSameBuffer)
{
    auto direct = Rig(false);
    auto adapter = Rig(true);
    direct->RunRead();
    adapter->RunRead();

    EXPECT_EQ(adapter->host.lines, direct->host.lines);
    EXPECT_EQ(adapter->read.Result(), 0);
    ASSERT_FALSE(direct->SentBytes().empty());
    EXPECT_EQ(adapter->SentBytes(), direct->SentBytes());
    for (std::int32_t a = 0; a <= 0xFFFF; ++a)
        ASSERT_EQ(adapter->host.buffer.GetByte(a), direct->host.buffer.GetByte(a)) << std::hex << a;
    EXPECT_GT(adapter->adapter.Transfers(), 0);
    EXPECT_FALSE(adapter->adapter.IsOpen()) << "the adapter is closed at the end";
}

TEST_P(ThroughTheAdapter, AProgramAndVerifySendsTheSameBytesAndLeavesTheSameTarget)
{
    auto direct = Rig(false);
    auto adapter = Rig(true);
    direct->RunProgram();
    adapter->RunProgram();

    EXPECT_EQ(adapter->host.lines, direct->host.lines);
    EXPECT_EQ(adapter->program.Result(), 0);
    EXPECT_EQ(adapter->SentBytes(), direct->SentBytes());
    direct->board.Virtual()->AdvanceUs(testing::SequenceHarness::kSettleUs);
    adapter->board.Virtual()->AdvanceUs(testing::SequenceHarness::kSettleUs);
    for (std::int32_t a = 0; a <= 0xFFFF; ++a) {
        const auto address = static_cast<std::uint16_t>(a);
        ASSERT_EQ(adapter->board.Target().Read(address), direct->board.Target().Read(address)) << std::hex << a;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryParallelBoardCode, ThroughTheAdapter, ::testing::ValuesIn(kBoardCases),
                         [](const ::testing::TestParamInfo<BoardCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace zav
