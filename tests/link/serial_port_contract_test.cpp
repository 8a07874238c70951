// One contract for every SerialPort that runs here: the two Linux backends and the class
// that picks between them, on a pseudo-terminal (libserialport through the system-call
// seam), and the simulated board.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "boardsim/simulated_board.h"
#include "platform/lib_serial_port.h"
#include "platform/linux_serial_port.h"
#include "platform/port_check.h"
#include "platform/termios_serial_port.h"
#include "link/programmer_link.h"
#include "ports/system_port_listing.h"
#include "system_call_seam.h"

namespace zav {
namespace {

// A pseudo-terminal pair: the port under test opens the slave side; the test is the far end
// of the line on the master side and watches the slave's settings through a descriptor of
// its own, opened before the port takes the line exclusively.
class PseudoTerminal {
public:
    PseudoTerminal()
    {
        master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
        slavePath_ = ptsname(master_);
        observer_ = open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;
    ~PseudoTerminal()
    {
        if (observer_ >= 0) close(observer_);
        if (master_ >= 0) close(master_);
    }

    [[nodiscard]] bool Ready() const { return observer_ >= 0; }
    [[nodiscard]] const std::string& SlavePath() const { return slavePath_; }
    [[nodiscard]] int Master() const { return master_; }
    // The slave's whole terminal state, as text, so that a difference shows in the failure.
    [[nodiscard]] std::string Settings() const
    {
        termios line{};
        if (tcgetattr(observer_, &line) != 0) return "unreadable";
        std::string text = "iflag " + std::to_string(line.c_iflag) + " oflag " + std::to_string(line.c_oflag) +
                           " cflag " + std::to_string(line.c_cflag) + " lflag " + std::to_string(line.c_lflag) +
                           " speed " + std::to_string(cfgetospeed(&line)) + "/" +
                           std::to_string(cfgetispeed(&line)) + " cc";
        for (const cc_t c : line.c_cc) {
            text += ' ';
            text += std::to_string(c);
        }
        return text;
    }

private:
    int master_ = -1;
    int observer_ = -1;
    std::string slavePath_;
};

struct SerialSubject {
    const char* name;
    // Makes the port for a line whose device is `devicePath`, and the name it opens it by.
    std::function<std::unique_ptr<SerialPort>(const std::string& devicePath, std::string& openName)> make;
    bool serialSeam = false;
    // Backed by a real terminal line: the far end and the line's own settings can be seen.
    bool realLine = true;
};

void PrintTo(const SerialSubject& subject, std::ostream* out)
{
    *out << subject.name;
}

PortsMap MapCom2To(const std::string& devicePath)
{
    PortsMap map;
    map.SetTarget("COM2", devicePath);
    return map;
}

std::unique_ptr<SerialPort> OnDevicePath(std::unique_ptr<SerialPort> port, const std::string& devicePath,
                                         std::string& openName)
{
    openName = devicePath;
    return port;
}

// The simulated PC's ports, with the board's clock and target kept alive by the port.
class SimulatedSerialSubject final : public SerialPort {
public:
    bool Open(const std::string& portName) override { return Port().Open(portName); }
    bool IsOpen() const override { return board_.Serial().IsOpen(); }
    void Close() override { Port().Close(); }
    bool GetTimeouts(SerialTimeouts& timeouts) override { return Port().GetTimeouts(timeouts); }
    bool SetTimeouts(const SerialTimeouts& timeouts) override { return Port().SetTimeouts(timeouts); }
    bool GetLineSettings(SerialLineSettings& settings) override { return Port().GetLineSettings(settings); }
    bool SetLineSettings(const SerialLineSettings& settings) override { return Port().SetLineSettings(settings); }
    bool SetDtr(bool on) override { return Port().SetDtr(on); }
    bool SetRts(bool on) override { return Port().SetRts(on); }
    bool PurgeReceive() override { return Port().PurgeReceive(); }
    bool PurgeTransmit() override { return Port().PurgeTransmit(); }
    bool WriteByte(std::uint8_t value) override { return Port().WriteByte(value); }
    SerialReadResult ReadByte(std::uint8_t& value) override { return Port().ReadByte(value); }
    std::string FailureCause() const override { return board_.Serial().FailureCause(); }

private:
    SerialPort& Port() { return board_.Serial(); }

    mutable SimulatedBoard board_{BoardSimOptions{}};
};

const std::array<SerialSubject, 5> kSerialSubjects = {{
    {"Termios",
     [](const std::string& path, std::string& name) {
         return OnDevicePath(std::make_unique<TermiosSerialPort>(), path, name);
     }},
    {"Libserialport",
     [](const std::string& path, std::string& name) {
         return OnDevicePath(std::make_unique<LibSerialPort>(), path, name);
     },
     true},
    {"LinuxOverTermios",
     [](const std::string& path, std::string& name) {
         name = "COM2";
         return std::make_unique<LinuxSerialPort>(MapCom2To(path));
     }},
    {"LinuxOverLibserialport",
     [](const std::string& path, std::string& name) {
         name = "COM2";
         return std::make_unique<LinuxSerialPort>(MapCom2To(path));
     },
     true},
    {"SimulatedBoard",
     [](const std::string&, std::string& name) {
         name = "COM1";
         return std::make_unique<SimulatedSerialSubject>();
     },
     false, false},
}};

class SerialPortContract : public testing::TestWithParam<SerialSubject> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.Ready());
        test::seam::SetSerialSeam(GetParam().serialSeam);
        port = GetParam().make(pty.SlavePath(), openName);
    }
    void TearDown() override
    {
        port.reset();
        test::seam::SetSerialSeam(false);
    }

    PseudoTerminal pty;
    std::string openName;
    std::unique_ptr<SerialPort> port;
};

TEST_P(SerialPortContract, OpensAnExistingPortOnlyAndSaysWhyNot)
{
    EXPECT_FALSE(port->Open(GetParam().realLine ? "/nonexistent/tty" : "COM9"));
    EXPECT_FALSE(port->IsOpen());
    EXPECT_NE(port->FailureCause(), "");
    SerialTimeouts timeouts;
    EXPECT_FALSE(port->GetTimeouts(timeouts));

    ASSERT_TRUE(port->Open(openName)) << port->FailureCause();
    EXPECT_TRUE(port->IsOpen());
    port->Close();
    EXPECT_FALSE(port->IsOpen());
    EXPECT_FALSE(port->WriteByte(0x55));
}

TEST_P(SerialPortContract, SettingsAndTimeoutsReadBackAsSet)
{
    ASSERT_TRUE(port->Open(openName)) << port->FailureCause();
    const SerialTimeouts timeouts{0, 0, 100, 0, 50};
    ASSERT_TRUE(port->SetTimeouts(timeouts));
    SerialTimeouts readTimeouts;
    ASSERT_TRUE(port->GetTimeouts(readTimeouts));
    EXPECT_EQ(readTimeouts, timeouts);

    // A pseudo-terminal keeps 8 data bits without parity whatever it is told, so the two
    // settings differ in speed and stop bits.
    for (const bool slow : {true, false}) {
        SerialLineSettings wanted;
        wanted.baudRate = slow ? 9600 : 19200;
        wanted.stopBits = slow ? 1 : 2;
        ASSERT_TRUE(port->SetLineSettings(wanted));
        SerialLineSettings got;
        ASSERT_TRUE(port->GetLineSettings(got));
        EXPECT_EQ(got.baudRate, wanted.baudRate);
        EXPECT_EQ(got.dataBits, wanted.dataBits);
        EXPECT_EQ(got.stopBits, wanted.stopBits);
        EXPECT_EQ(got.parity, wanted.parity);
        EXPECT_EQ(got.parityCheck, wanted.parityCheck);
        EXPECT_FALSE(got.xonXoff);
        EXPECT_FALSE(got.ctsOutputFlow);
    }
}

TEST_P(SerialPortContract, AReadWithNothingToReceiveTimesOutWithoutFailing)
{
    ASSERT_TRUE(port->Open(openName)) << port->FailureCause();
    ASSERT_TRUE(port->SetTimeouts(SerialTimeouts{0, 0, 20, 0, 50}));
    std::uint8_t value = 0;
    EXPECT_EQ(port->ReadByte(value), SerialReadResult::TimedOut);
    EXPECT_TRUE(port->PurgeReceive());
    EXPECT_TRUE(port->PurgeTransmit());
}

// Binary bytes both ways, flow-control and line-end characters included.
TEST_P(SerialPortContract, EveryByteValueCrossesTheLineUnchanged)
{
    if (!GetParam().realLine) GTEST_SKIP() << "no terminal line behind this port";
    ASSERT_TRUE(port->Open(openName)) << port->FailureCause();
    SerialLineSettings binary;
    ASSERT_TRUE(port->SetLineSettings(binary));
    ASSERT_TRUE(port->SetTimeouts(SerialTimeouts{0, 0, 1000, 0, 1000}));
    for (int value = 0; value < 256; ++value) {
        ASSERT_TRUE(port->WriteByte(static_cast<std::uint8_t>(value)));
        std::uint8_t far = 0;
        for (int tries = 0; tries < 1000 && read(pty.Master(), &far, 1) != 1; ++tries) usleep(1000);
        EXPECT_EQ(far, value);
        const auto back = static_cast<std::uint8_t>(255 - value);
        ASSERT_EQ(write(pty.Master(), &back, 1), 1);
        std::uint8_t got = 0;
        ASSERT_EQ(port->ReadByte(got), SerialReadResult::Received) << value;
        EXPECT_EQ(got, back);
    }
}

// However the port was used, closing it gives the line back exactly as it was found: a
// terminal left raw, without echo or with hang-up-on-close set would break its next user.
TEST_P(SerialPortContract, CloseGivesTheLineBackAsFound)
{
    if (!GetParam().realLine) GTEST_SKIP() << "no terminal line behind this port";
    const std::string found = pty.Settings();
    ASSERT_TRUE(port->Open(openName)) << port->FailureCause();
    SerialLineSettings changed;
    changed.xonXoff = true;
    changed.parityCheck = true;
    changed.parity = SerialParity::Odd;
    ASSERT_TRUE(port->SetLineSettings(changed));
    ASSERT_TRUE(port->SetDtr(true));
    EXPECT_NE(pty.Settings(), found);
    port->Close();
    EXPECT_EQ(pty.Settings(), found);
}

INSTANTIATE_TEST_SUITE_P(EveryBackend, SerialPortContract, testing::ValuesIn(kSerialSubjects),
                         [](const testing::TestParamInfo<SerialSubject>& info) { return info.param.name; });

// Which backend a pseudo-terminal gets: libserialport refuses it (no sysfs entry, no modem
// lines), so it goes through the terminal interface; through the seam the library takes it.
// On both paths a sequence's run, a port check and a listing leave the line as found.
TEST(SerialBackends, PseudoTerminalPathAndLinesLeftAsFoundOnBothPaths)
{
    for (const bool seam : {false, true}) {
        PseudoTerminal pty;
        ASSERT_TRUE(pty.Ready());
        test::seam::SetSerialSeam(seam);
        const PortsMap map = MapCom2To(pty.SlavePath());
        const std::string found = pty.Settings();

        LinuxSerialPort serial(map);
        ASSERT_TRUE(serial.Open("COM2"));
        EXPECT_STREQ(serial.Backend(), seam ? "libserialport" : "termios");
        serial.Close();
        EXPECT_EQ(pty.Settings(), found) << serial.Backend();

        std::atomic<bool> stop{false};
        {
            ProgrammerLink link(PortAccess{nullptr, &serial, nullptr});
            link.Open("COM2", 0, stop, 1);
            ASSERT_EQ(link.LastError(), "");
            link.WriteByteAt(0x0305, 0xAB);
            EXPECT_NE(pty.Settings(), found);
        }
        EXPECT_EQ(pty.Settings(), found) << "after a run, seam " << seam;

        EXPECT_TRUE(CheckPort("COM2", map).usable);
        EXPECT_EQ(pty.Settings(), found) << "after a check, seam " << seam;
        const std::vector<std::string> listed = PresentPortNames(SystemPortListing(map).SerialPorts());
        EXPECT_NE(std::find(listed.begin(), listed.end(), "COM2"), listed.end());
        EXPECT_EQ(pty.Settings(), found) << "after a listing, seam " << seam;
        test::seam::SetSerialSeam(false);
    }
}

} // namespace
} // namespace zav
