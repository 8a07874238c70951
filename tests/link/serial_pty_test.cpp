// The Linux serial backend end to end: a pseudo-terminal pair with the simulated
// MC68HC05L28 board serving the far end on its own thread, on real time.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "boardsim/simulated_serial_target.h"
#include "boardsim/simulated_target.h"
#include "platform/linux_serial_port.h"
#include "link/programmer_link.h"
#include "link/real_time_clock.h"
#include "patient_serial_port.h"

namespace zav {
namespace {

// The board end of the line: reads what the PC sends from the pseudo-terminal's master
// side and writes the target's replies back.
class PtyBoard {
public:
    explicit PtyBoard(int masterFd) : masterFd_(masterFd), thread_([this] { Serve(); }) {}
    PtyBoard(const PtyBoard&) = delete;
    PtyBoard& operator=(const PtyBoard&) = delete;
    ~PtyBoard() { Stop(); }

    void Stop()
    {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    // Only after Stop.
    SimulatedTarget& Target() { return target_; }

private:
    void Serve()
    {
        while (!stop_) {
            pollfd wait{masterFd_, POLLIN, 0};
            if (poll(&wait, 1, 20) <= 0 || (wait.revents & POLLIN) == 0) continue;
            std::uint8_t byte = 0;
            if (read(masterFd_, &byte, 1) != 1) continue;
            if (const auto reply = serialTarget_.Receive(byte)) {
                if (write(masterFd_, &*reply, 1) != 1) return;
            }
        }
    }

    int masterFd_;
    RealTimeClock clock_;
    // Writes take no programming time: on a loaded machine the board thread may see two
    // writes close together, and this test is about the bytes, not the pace.
    SimulatedTarget target_{clock_, 0, std::nullopt};
    BoardSimOptions options_{};
    SimulatedSerialTarget serialTarget_{target_, options_};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

class SerialPty : public testing::Test {
protected:
    void SetUp() override
    {
        masterFd = posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(masterFd, 0);
        ASSERT_EQ(grantpt(masterFd), 0);
        ASSERT_EQ(unlockpt(masterFd), 0);
        slavePath = ptsname(masterFd);
        map.SetTarget("COM2", slavePath);
    }
    void TearDown() override { close(masterFd); }

    int masterFd = -1;
    std::string slavePath;
    PortsMap map;
    RealTimeClock clock;
    std::atomic<bool> stop{false};
};

TEST_F(SerialPty, LoaderReadAndWriteThroughARealTerminalDevice)
{
    termios before{};
    ASSERT_EQ(tcgetattr(masterFd, &before), 0);
    PtyBoard board(masterFd);
    LinuxSerialPort serial(map);
    test::PatientSerialPort patient(serial);
    {
        ProgrammerLink link(PortAccess{nullptr, &patient, &clock});
        link.Open("COM2", 0, stop, 1);
        ASSERT_EQ(link.LastError(), "");
        EXPECT_EQ(serial.DevicePath(), slavePath);

        // A device without modem lines: the reset pulse is refused without an error.
        link.ResetTarget();
        ASSERT_TRUE(link.UploadLoader());
        EXPECT_EQ(link.LastError(), "");
        link.WriteByteAt(0x0305, 0xAB);
        EXPECT_EQ(link.LastError(), "");
        EXPECT_EQ(link.ReadByteAt(0x0305), 0xAB);
        EXPECT_EQ(link.ReadByteAt(0x0306), 0xFF);
        EXPECT_EQ(link.LastError(), "");

        // Nobody else gets the line meanwhile.
        LinuxSerialPort other(map);
        EXPECT_FALSE(other.Open("COM2"));
        EXPECT_NE(other.FailureCause().find("held by another"), std::string::npos) << other.FailureCause();
    }
    board.Stop();
    EXPECT_EQ(board.Target().Peek(0x0305), 0xAB);

    // Closing gave the terminal its settings back.
    termios after{};
    ASSERT_EQ(tcgetattr(masterFd, &after), 0);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(after.c_cflag, before.c_cflag);
}

// A terminal starts "cooked": flow control, CR/NL translation, echo. The link must turn
// every bit of that off, or 0x11, 0x13, 0x0D and bytes above 0x7F go astray.
TEST_F(SerialPty, EveryByteValueTravelsBothWaysOnALineThatStartedCooked)
{
    termios cooked{};
    ASSERT_EQ(tcgetattr(masterFd, &cooked), 0);
    cooked.c_iflag |= IXON | IXOFF | IXANY | ICRNL | INLCR | ISTRIP | INPCK | PARMRK;
    cooked.c_oflag |= OPOST | ONLCR;
    cooked.c_lflag |= ICANON | ECHO | ISIG | IEXTEN;
    cooked.c_cflag |= PARENB;
    ASSERT_EQ(tcsetattr(masterFd, TCSANOW, &cooked), 0);

    PtyBoard board(masterFd);
    LinuxSerialPort serial(map);
    test::PatientSerialPort patient(serial);
    {
        ProgrammerLink link(PortAccess{nullptr, &patient, &clock});
        link.Open("COM2", 0, stop, 1);
        ASSERT_EQ(link.LastError(), "");

        // The master's view of the terminal settings is the slave's own.
        termios line{};
        ASSERT_EQ(tcgetattr(masterFd, &line), 0);
        EXPECT_EQ(line.c_iflag & (IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP | INPCK | PARMRK),
                  0U);
        EXPECT_EQ(line.c_oflag & OPOST, 0U);
        EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ECHONL | ISIG | IEXTEN), 0U);
        EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB | CRTSCTS | CSIZE), static_cast<tcflag_t>(CS8));
        EXPECT_EQ(cfgetospeed(&line), static_cast<speed_t>(B9600));
        EXPECT_EQ(cfgetispeed(&line), static_cast<speed_t>(B9600));

        link.ResetTarget();
        ASSERT_TRUE(link.UploadLoader());
        for (int value = 0; value <= 0xFF; ++value) {
            link.WriteByteAt(static_cast<std::uint16_t>(0x0300 + value), static_cast<std::uint8_t>(value));
            ASSERT_EQ(link.LastError(), "") << value;
        }
        for (int value = 0; value <= 0xFF; ++value) {
            EXPECT_EQ(link.ReadByteAt(static_cast<std::uint16_t>(0x0300 + value)), value);
            ASSERT_EQ(link.LastError(), "") << value;
        }
    }
    board.Stop();
    for (int value = 0; value <= 0xFF; ++value)
        EXPECT_EQ(board.Target().Peek(static_cast<std::uint16_t>(0x0300 + value)), value);
}

// Nobody reads the far end: the terminal's buffer fills and writes block.
class BlockedPty : public SerialPty {
protected:
    void FillTheLine(LinuxSerialPort& serial)
    {
        int written = 0;
        while (serial.WriteByte(0x55)) ++written;
        ASSERT_GT(written, 0);
    }
};

TEST_F(BlockedPty, AWriteThatCannotGoOutEndsAsACommunicationError)
{
    LinuxSerialPort serial(map);
    ProgrammerLink link(PortAccess{nullptr, &serial, &clock});
    link.Open("COM2", 0, stop, 1);
    ASSERT_EQ(link.LastError(), "");
    FillTheLine(serial);
    link.WriteByteAt(0x0300, 1);
    EXPECT_EQ(link.LastError(), "Communication Error.");
}

TEST_F(BlockedPty, AStopEndsABlockedWriteWithinAFractionOfTheTimeout)
{
    LinuxSerialPort serial(map);
    ProgrammerLink link(PortAccess{nullptr, &serial, &clock});
    link.Open("COM2", 0, stop, 1);
    ASSERT_EQ(link.LastError(), "");
    FillTheLine(serial);
    std::atomic<std::int64_t> stoppedUs{0};
    std::thread stopper([&] {
        clock.SleepMs(150);
        stoppedUs = clock.NowUs();
        stop = true;
    });
    link.WriteByteAt(0x0300, 1);
    const std::int64_t endedUs = clock.NowUs();
    stopper.join();
    EXPECT_EQ(link.LastError(), "Programmer Not Ready.");
    // The write slices are 50 ms; a full second would mean the stop was not seen.
    EXPECT_LT(endedUs - stoppedUs.load(), 500'000);
}

TEST_F(SerialPty, SilentLineTimesOutWithoutAnError)
{
    LinuxSerialPort serial(map);
    ProgrammerLink link(PortAccess{nullptr, &serial, &clock});
    link.Open("COM2", 0, stop, 1);
    ASSERT_EQ(link.LastError(), "");
    EXPECT_FALSE(link.UploadLoader());
    EXPECT_EQ(link.LastError(), "");
    EXPECT_EQ(link.ReadByteAt(0x0300), 0);
    EXPECT_EQ(link.LastError(), "");
}

} // namespace
} // namespace zav
