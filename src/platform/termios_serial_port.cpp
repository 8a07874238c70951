#include "platform/termios_serial_port.h"

#include <array>
#include <cerrno>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <utility>

#include "platform/binary_line.h"
#include "platform/device_failure.h"
#include "platform/terminal_device.h"

namespace zav {

namespace {

constexpr std::array<std::pair<std::uint32_t, speed_t>, 12> kSpeeds = {{
    {300, B300},
    {600, B600},
    {1200, B1200},
    {2400, B2400},
    {4800, B4800},
    {9600, B9600},
    {19200, B19200},
    {38400, B38400},
    {57600, B57600},
    {115200, B115200},
    {230400, B230400},
    {460800, B460800},
}};

std::uint32_t BaudOf(speed_t speed)
{
    for (const auto& [baud, code] : kSpeeds) {
        if (code == speed) return baud;
    }
    return 0;
}

bool SpeedOf(std::uint32_t baudRate, speed_t& speed)
{
    for (const auto& [baud, code] : kSpeeds) {
        if (baud == baudRate) {
            speed = code;
            return true;
        }
    }
    return false;
}

tcflag_t SizeFlag(std::uint8_t dataBits)
{
    switch (dataBits) {
    case 5:
        return CS5;
    case 6:
        return CS6;
    case 7:
        return CS7;
    default:
        return CS8;
    }
}

std::uint8_t DataBitsOf(tcflag_t flags)
{
    switch (flags & CSIZE) {
    case CS5:
        return 5;
    case CS6:
        return 6;
    case CS7:
        return 7;
    default:
        return 8;
    }
}

// -1 means wait without a limit, as a zero timeout does for the settings.
int PollTimeout(std::uint32_t totalMs)
{
    return totalMs == 0 ? -1 : static_cast<int>(totalMs);
}

} // namespace

TermiosSerialPort::~TermiosSerialPort()
{
    Close();
}

bool TermiosSerialPort::Open(const std::string& devicePath)
{
    Close();
    SetFailureCause({});
    const int fd = OpenTerminalDevice(devicePath);
    if (fd < 0) {
        SetFailureCause(DescribeDeviceFailure(devicePath, errno));
        return false;
    }
    int failure = 0;
    if (!isatty(fd)) {
        failure = ENOTTY;
    } else if (!TakeLineForOneUser(fd)) {
        failure = EBUSY;
    } else if (tcgetattr(fd, &original_) != 0) {
        failure = errno;
    }
    if (failure != 0) {
        SetFailureCause(failure == ENOTTY ? devicePath + " is not a serial device"
                                          : DescribeDeviceFailure(devicePath, failure));
        close(fd);
        return false;
    }
    fd_ = fd;
    ClearTimeouts();
    return true;
}

void TermiosSerialPort::Close()
{
    if (fd_ < 0) return;
    tcsetattr(fd_, TCSANOW, &original_);
    ioctl(fd_, TIOCNXCL);
    close(fd_);
    fd_ = -1;
}

bool TermiosSerialPort::GetLineSettings(SerialLineSettings& settings)
{
    termios current{};
    if (fd_ < 0 || tcgetattr(fd_, &current) != 0) return false;
    settings.baudRate = BaudOf(cfgetospeed(&current));
    settings.dataBits = DataBitsOf(current.c_cflag);
    settings.stopBits = (current.c_cflag & CSTOPB) != 0 ? 2 : 1;
    settings.parity = ParityOf(current);
    settings.parityCheck = ChecksParity(current);
    settings.ctsOutputFlow = (current.c_cflag & CRTSCTS) != 0;
    settings.dsrOutputFlow = false;
    settings.dsrSensitivity = false;
    settings.xonXoff = (current.c_iflag & (IXON | IXOFF)) != 0;
    int lines = 0;
    const bool haveLines = ioctl(fd_, TIOCMGET, &lines) == 0;
    settings.dtrOn = haveLines && (lines & TIOCM_DTR) != 0;
    settings.rtsOn = haveLines && (lines & TIOCM_RTS) != 0;
    return true;
}

bool TermiosSerialPort::SetLineSettings(const SerialLineSettings& settings)
{
    termios wanted{};
    if (fd_ < 0 || tcgetattr(fd_, &wanted) != 0) return false;
    speed_t speed = B9600;
    if (!SpeedOf(settings.baudRate, speed)) return false;
    MakeBinaryLine(wanted, settings.parityCheck, settings.xonXoff);
    cfsetispeed(&wanted, speed);
    cfsetospeed(&wanted, speed);
    wanted.c_cflag =
        (wanted.c_cflag & ~(CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS)) | CREAD | CLOCAL;
    wanted.c_cflag |= SizeFlag(settings.dataBits);
    if (settings.stopBits == 2) wanted.c_cflag |= CSTOPB;
    switch (settings.parity) {
    case SerialParity::Odd:
        wanted.c_cflag |= PARENB | PARODD;
        break;
    case SerialParity::Even:
        wanted.c_cflag |= PARENB;
        break;
    case SerialParity::Mark:
        wanted.c_cflag |= PARENB | PARODD | CMSPAR;
        break;
    case SerialParity::Space:
        wanted.c_cflag |= PARENB | CMSPAR;
        break;
    case SerialParity::None:
        break;
    }
    if (settings.ctsOutputFlow) wanted.c_cflag |= CRTSCTS;
    if (tcsetattr(fd_, TCSANOW, &wanted) != 0) return false;
    return SetDtr(settings.dtrOn) && SetRts(settings.rtsOn);
}

bool TermiosSerialPort::SetModemLine(int line, bool on)
{
    if (fd_ < 0) return false;
    // Refused on devices without modem lines; the link does not depend on it there.
    ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &line);
    return true;
}

bool TermiosSerialPort::SetDtr(bool on)
{
    return SetModemLine(TIOCM_DTR, on);
}

bool TermiosSerialPort::SetRts(bool on)
{
    return SetModemLine(TIOCM_RTS, on);
}

bool TermiosSerialPort::PurgeReceive()
{
    return fd_ >= 0 && tcflush(fd_, TCIFLUSH) == 0;
}

bool TermiosSerialPort::PurgeTransmit()
{
    return fd_ >= 0 && tcflush(fd_, TCOFLUSH) == 0;
}

bool TermiosSerialPort::WriteByte(std::uint8_t value)
{
    if (fd_ < 0) return false;
    const int timeout = PollTimeout(Timeouts().OneByteWriteMs());
    for (;;) {
        const ssize_t written = write(fd_, &value, 1);
        if (written == 1) return true;
        if (written < 0 && errno != EAGAIN && errno != EINTR) return false;
        pollfd wait{fd_, POLLOUT, 0};
        const int ready = poll(&wait, 1, timeout);
        if (ready == 0) return false;
        if (ready < 0 && errno != EINTR) return false;
    }
}

SerialReadResult TermiosSerialPort::ReadByte(std::uint8_t& value)
{
    if (fd_ < 0) return SerialReadResult::Failed;
    const int timeout = PollTimeout(Timeouts().OneByteReadMs());
    pollfd wait{fd_, POLLIN, 0};
    int ready = 0;
    do {
        ready = poll(&wait, 1, timeout);
    } while (ready < 0 && errno == EINTR);
    if (ready == 0) return SerialReadResult::TimedOut;
    if (ready < 0 || (wait.revents & POLLIN) == 0) return SerialReadResult::Failed;
    const ssize_t got = read(fd_, &value, 1);
    if (got == 1) return SerialReadResult::Received;
    return got == 0 || errno == EAGAIN ? SerialReadResult::TimedOut : SerialReadResult::Failed;
}

} // namespace zav
