// A worker held off the processor between two bytes of a command (a busy machine, no
// real-time priority): the MC68HC05L28's loader drops a command whose bytes come more than
// 5 ms apart, so the link must notice and send it again rather than report a write that
// never happened.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <string>

#include "boardsim/simulated_board.h"
#include "link/forwarding_serial_port.h"
#include "link/programmer_link.h"

namespace zav {
namespace {

constexpr std::uint16_t kCell = 0x0342;

// Forwards to the simulated board's serial port; the writes numbered in `heldOff` (counted
// from the last Arm) come 6 ms late, as after the scheduler ran other work meanwhile.
class HeldOffSerialPort final : public ForwardingSerialPort {
public:
    HeldOffSerialPort(SerialPort& port, VirtualClock& clock) : port_(port), clock_(clock) {}

    void Arm(std::set<int> heldOff)
    {
        heldOff_ = std::move(heldOff);
        everyWrite_ = false;
        writes_ = 0;
    }
    // Every write late, until the user stops after `writes` of them.
    void ArmAlwaysLate(std::atomic<bool>& stop, int writes)
    {
        Arm({});
        everyWrite_ = true;
        stop_ = &stop;
        stopAfter_ = writes;
    }

    bool Open(const std::string& portName) override { return port_.Open(portName); }
    bool IsOpen() const override { return port_.IsOpen(); }
    void Close() override { port_.Close(); }
    std::string FailureCause() const override { return port_.FailureCause(); }
    bool WriteByte(std::uint8_t value) override
    {
        if (everyWrite_ || heldOff_.count(writes_) != 0) clock_.AdvanceUs(6'000);
        if (++writes_ == stopAfter_ && stop_ != nullptr) *stop_ = true;
        return port_.WriteByte(value);
    }

private:
    SerialPort* Forwardee() const override { return &port_; }

    SerialPort& port_;
    VirtualClock& clock_;
    std::set<int> heldOff_;
    bool everyWrite_ = false;
    int writes_ = 0;
    std::atomic<bool>* stop_ = nullptr;
    int stopAfter_ = -1;
};

class HeldOffSerial : public testing::Test {
protected:
    HeldOffSerial() : board(Options()), port(board.Serial(), *board.Virtual()), link(Access())
    {
        link.Open("COM1", 0, stop, 1);
        link.ResetTarget();
        EXPECT_TRUE(link.UploadLoader());
    }
    static BoardSimOptions Options()
    {
        BoardSimOptions options;
        options.boardCode = 1;
        return options;
    }
    PortAccess Access() { return PortAccess{nullptr, &port, &board.BoardClock()}; }

    std::atomic<bool> stop{false};
    SimulatedBoard board;
    HeldOffSerialPort port;
    ProgrammerLink link;
};

TEST_F(HeldOffSerial, ACommandWithALateByteIsSentAgainAndTakesEffect)
{
    struct Case {
        const char* what;
        std::set<int> heldOff;
    };
    // Write: command, address, value; the first byte of a command may come late.
    for (const Case& c : {Case{"address late", {1}}, Case{"value late", {2}}, Case{"first byte late", {0}},
                          Case{"late again on the second try", {1, 5}}}) {
        // The cells of this board only lose bits when written: erase first.
        port.Arm({});
        link.SendEraseCommand();
        const auto value = static_cast<std::uint8_t>(0x30 + c.heldOff.size() * 7 + *c.heldOff.begin());
        port.Arm(c.heldOff);
        link.WriteByteAt(kCell, value);
        EXPECT_EQ(link.LastError(), "") << c.what;
        port.Arm({1});
        EXPECT_EQ(link.ReadByteAt(kCell), value) << c.what << ", read with its address late";
        EXPECT_EQ(link.LastError(), "") << c.what;
        EXPECT_EQ(board.Target().Peek(kCell), value) << c.what;
    }
    port.Arm({1});
    link.SendEraseCommand();
    EXPECT_EQ(link.LastError(), "");
    port.Arm({});
    EXPECT_EQ(link.ReadByteAt(kCell), 0xFF) << "erase with a late byte";
}

// As long as the machine stays too busy the command goes out again, until the user stops.
TEST_F(HeldOffSerial, ACommandAlwaysLateIsSentAgainUntilTheUserStops)
{
    port.ArmAlwaysLate(stop, 30);
    link.WriteByteAt(kCell, 0x22);
    EXPECT_EQ(link.LastError(), "Programmer Not Ready.");
    stop = false;
    port.Arm({});
    EXPECT_EQ(link.ReadByteAt(kCell), 0xFF) << "nothing was written";
}

} // namespace
} // namespace zav
