// One contract for every ParallelPortIo that runs here: ppdev through the system-call seam
// (its device files plain files), the simulated board, and a USB FTDI adapter through the
// simulated adapter wired to the simulated board.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "boardsim/simulated_board.h"
#include "boardsim/simulated_ftdi_usb.h"
#include "platform/ftdi_parallel_port_io.h"
#include "platform/ppdev_parallel_port_io.h"
#include "support/temp_folder.h"
#include "system_call_seam.h"

namespace zav {
namespace {

struct ParallelSubject {
    const char* name;
    // The port with LPT1 present and LPT2 absent where the implementation lets that be chosen.
    std::function<std::unique_ptr<ParallelPortIo>(const testing::TempFolder& devices)> make;
    // Whether the number of claims held on LPT1 can be seen, -1 when not.
    std::function<int(ParallelPortIo& io)> claimsOnLpt1;
    bool lpt2Absent = false;
};

void PrintTo(const ParallelSubject& subject, std::ostream* out)
{
    *out << subject.name;
}

class SimulatedParallelSubject final : public ParallelPortIo {
public:
    std::uint16_t BaseAddress(int portNumber) override { return Board().BaseAddress(portNumber); }
    bool Claim(int portNumber) override { return Board().Claim(portNumber); }
    void Release(int portNumber) override { Board().Release(portNumber); }
    std::uint8_t Read(std::uint16_t address) override { return Board().Read(address); }
    void Write(std::uint16_t address, std::uint8_t value) override { Board().Write(address, value); }
    int WriteRepeated(std::uint16_t address, std::uint8_t value, int count, const std::atomic<bool>* stop) override
    {
        return Board().WriteRepeated(address, value, count, stop);
    }
    bool ReadsControlLines(int portNumber) override { return Board().ReadsControlLines(portNumber); }
    int SlowClockTest() override { return Board().SlowClockTest(); }
    std::string FailureCause() const override { return board_.Parallel().FailureCause(); }
    [[nodiscard]] int Claims() { return Board().ClaimCount(1); }

private:
    SimulatedParallelBoard& Board() { return board_.Parallel(); }

    mutable SimulatedBoard board_{BoardSimOptions{}};
};

// LPT1 on an FTDI adapter with the default wiring; LPT2 on nothing.
class FtdiParallelSubject final : public ParallelPortIo {
public:
    FtdiParallelSubject() : adapter_(board_.Parallel(), FtdiPinMap::Default(), board_.Virtual()), io_(Map(), adapter_)
    {
    }
    std::uint16_t BaseAddress(int portNumber) override { return io_.BaseAddress(portNumber); }
    bool Claim(int portNumber) override { return io_.Claim(portNumber); }
    void Release(int portNumber) override { io_.Release(portNumber); }
    std::uint8_t Read(std::uint16_t address) override { return io_.Read(address); }
    void Write(std::uint16_t address, std::uint8_t value) override { io_.Write(address, value); }
    int WriteRepeated(std::uint16_t address, std::uint8_t value, int count, const std::atomic<bool>* stop) override
    {
        return io_.WriteRepeated(address, value, count, stop);
    }
    bool ReadsControlLines(int portNumber) override { return io_.ReadsControlLines(portNumber); }
    int SlowClockTest() override { return io_.SlowClockTest(); }
    std::string FailureCause() const override { return io_.FailureCause(); }
    [[nodiscard]] int Claims() const { return adapter_.IsOpen() ? 1 : 0; }

private:
    static PortsMap Map()
    {
        PortsMap map;
        map.SetTarget("LPT1", "ftdi:0403:6001");
        return map;
    }

    SimulatedBoard board_{BoardSimOptions{}};
    SimulatedFtdiUsb adapter_;
    FtdiParallelPortIo io_;
};

const std::array<ParallelSubject, 3> kParallelSubjects = {{
    {"Ppdev",
     [](const testing::TempFolder& devices) -> std::unique_ptr<ParallelPortIo> {
         std::ofstream(devices / "parport0") << "";
         PortsMap map;
         map.SetTarget("LPT1", (devices / "parport0").string());
         map.SetTarget("LPT2", (devices / "missing").string());
         return std::make_unique<PpdevParallelPortIo>(map);
     },
     [](ParallelPortIo&) { return test::seam::Parport().claimed ? 1 : 0; }, true},
    {"SimulatedBoard",
     [](const testing::TempFolder&) -> std::unique_ptr<ParallelPortIo> {
         return std::make_unique<SimulatedParallelSubject>();
     },
     [](ParallelPortIo& io) { return static_cast<SimulatedParallelSubject&>(io).Claims(); }},
    {"FtdiAdapter",
     [](const testing::TempFolder&) -> std::unique_ptr<ParallelPortIo> {
         return std::make_unique<FtdiParallelSubject>();
     },
     [](ParallelPortIo& io) { return static_cast<FtdiParallelSubject&>(io).Claims(); }, true},
}};

class ParallelPortIoContract : public ::testing::TestWithParam<ParallelSubject> {
protected:
    void SetUp() override
    {
        test::seam::SetParallelSeam(true);
        io = GetParam().make(devices);
    }
    void TearDown() override
    {
        io.reset();
        test::seam::SetParallelSeam(false);
    }

    testing::TempFolder devices;
    std::unique_ptr<ParallelPortIo> io;
};

TEST_P(ParallelPortIoContract, OnlyPortsOneToThreeThatExistHaveABase)
{
    EXPECT_NE(io->BaseAddress(1), 0);
    for (const int missing : {0, 4, -1}) {
        EXPECT_EQ(io->BaseAddress(missing), 0) << missing;
        EXPECT_FALSE(io->Claim(missing)) << missing;
    }
    if (GetParam().lpt2Absent) {
        EXPECT_EQ(io->BaseAddress(2), 0);
        EXPECT_NE(io->FailureCause(), "");
        EXPECT_FALSE(io->Claim(2));
    }
}

// Claims nest: the port stays taken until every claim has been given back.
TEST_P(ParallelPortIoContract, ClaimsNestUntilTheLastRelease)
{
    ASSERT_TRUE(io->Claim(1)) << io->FailureCause();
    ASSERT_TRUE(io->Claim(1));
    io->Release(1);
    EXPECT_GE(GetParam().claimsOnLpt1(*io), 1);
    io->Release(1);
    EXPECT_EQ(GetParam().claimsOnLpt1(*io), 0);
    ASSERT_TRUE(io->Claim(1));
    io->Release(1);
}

// The data register reads back what was written, the control register's written value
// shows in its low bits, and the status register takes no writes.
TEST_P(ParallelPortIoContract, RegistersOfAClaimedPortReadBack)
{
    ASSERT_TRUE(io->Claim(1)) << io->FailureCause();
    const std::uint16_t base = io->BaseAddress(1);
    for (const std::uint8_t value : {0x01, 0x00}) {
        io->Write(base, value);
        EXPECT_EQ(io->Read(base), value);
        io->Write(base + 2, value);
        EXPECT_EQ(io->Read(base + 2) & 0x01, value);
    }
    const std::uint8_t status = io->Read(base + 1);
    io->Write(base + 1, static_cast<std::uint8_t>(~status));
    EXPECT_EQ(io->Read(base + 1), status);
    EXPECT_TRUE(io->ReadsControlLines(1) || !io->FailureCause().empty());
    io->Release(1);
}

// A clock pulse's half: all its writes, or none once a stop is set.
TEST_P(ParallelPortIoContract, ARepeatedWriteLeavesItsValueUnlessAStopCameFirst)
{
    ASSERT_TRUE(io->Claim(1)) << io->FailureCause();
    const auto control = static_cast<std::uint16_t>(io->BaseAddress(1) + 2);
    const std::atomic<bool> stop{true};
    const std::atomic<bool> running{false};
    io->Write(control, 0x00);
    EXPECT_EQ(io->WriteRepeated(control, 0x01, 400, &stop), 0);
    EXPECT_EQ(io->Read(control) & 0x01, 0x00);
    EXPECT_EQ(io->WriteRepeated(control, 0x01, 400, &running), 400);
    EXPECT_EQ(io->Read(control) & 0x01, 0x01);
    EXPECT_EQ(io->WriteRepeated(control, 0x00, 3, nullptr), 3);
    EXPECT_EQ(io->Read(control) & 0x01, 0x00);
    io->Release(1);
}

INSTANTIATE_TEST_SUITE_P(EveryBackend, ParallelPortIoContract, ::testing::ValuesIn(kParallelSubjects),
                         [](const ::testing::TestParamInfo<ParallelSubject>& info) { return info.param.name; });

} // namespace
} // namespace zav
