#include "platform/lib_serial_port.h"

#include <cerrno>
#include <filesystem>
#include <libserialport.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include "platform/binary_line.h"
#include "platform/device_failure.h"
#include "platform/terminal_device.h"

namespace zav {

namespace {

// Frees a libserialport configuration at the end of a scope.
class ScopedConfig {
public:
    ScopedConfig() { sp_new_config(&config_); }
    ScopedConfig(const ScopedConfig&) = delete;
    ScopedConfig& operator=(const ScopedConfig&) = delete;
    ~ScopedConfig() { sp_free_config(config_); }
    [[nodiscard]] sp_port_config* Get() const { return config_; }
    // One setting of the configuration; `fallback` where the library leaves it unset.
    template <typename T>
    [[nodiscard]] T Value(sp_return (*read)(const sp_port_config*, T*), T fallback) const
    {
        T value = fallback;
        (void)read(config_, &value);
        return value;
    }

private:
    sp_port_config* config_ = nullptr;
};

SerialParity ParityFrom(sp_parity parity)
{
    switch (parity) {
    case SP_PARITY_ODD:
        return SerialParity::Odd;
    case SP_PARITY_EVEN:
        return SerialParity::Even;
    case SP_PARITY_MARK:
        return SerialParity::Mark;
    case SP_PARITY_SPACE:
        return SerialParity::Space;
    default:
        return SerialParity::None;
    }
}

sp_parity ParityTo(SerialParity parity, bool checked)
{
    // libserialport has no "parity bit sent but not checked"; unchecked parity is none.
    if (!checked) return SP_PARITY_NONE;
    switch (parity) {
    case SerialParity::Odd:
        return SP_PARITY_ODD;
    case SerialParity::Even:
        return SP_PARITY_EVEN;
    case SerialParity::Mark:
        return SP_PARITY_MARK;
    case SerialParity::Space:
        return SP_PARITY_SPACE;
    case SerialParity::None:
        break;
    }
    return SP_PARITY_NONE;
}

} // namespace

LibSerialPort::~LibSerialPort()
{
    Close();
}

bool LibSerialPort::Open(const std::string& devicePath)
{
    Close();
    SetFailureCause({});
    sp_port* port = nullptr;
    if (sp_get_port_by_name(devicePath.c_str(), &port) != SP_OK) {
        std::error_code ignored;
        const int error = std::filesystem::exists(devicePath, ignored) ? ENOTTY : ENOENT;
        SetFailureCause(DescribeDeviceFailure(devicePath, error));
        return false;
    }
    keeperFd_ = OpenTerminalDevice(devicePath);
    if (keeperFd_ < 0 || tcgetattr(keeperFd_, &original_) != 0) {
        SetFailureCause(DescribeDeviceFailure(devicePath, errno));
        CloseKeeper();
        sp_free_port(port);
        return false;
    }
    if (sp_open(port, SP_MODE_READ_WRITE) != SP_OK) {
        SetFailureCause(DescribeDeviceFailure(devicePath, sp_last_error_code()));
        // The library may have changed the line before it gave up.
        tcsetattr(keeperFd_, TCSANOW, &original_);
        CloseKeeper();
        sp_free_port(port);
        return false;
    }
    int fd = -1;
    sp_get_port_handle(port, &fd);
    // Nobody else may open the line while the board is driven.
    if (fd < 0 || !TakeLineForOneUser(fd)) {
        SetFailureCause(DescribeDeviceFailure(devicePath, EBUSY));
        tcsetattr(keeperFd_, TCSANOW, &original_);
        sp_close(port);
        sp_free_port(port);
        CloseKeeper();
        return false;
    }
    port_ = port;
    ClearTimeouts();
    return true;
}

void LibSerialPort::Close()
{
    if (port_ == nullptr) return;
    int fd = -1;
    if (sp_get_port_handle(port_, &fd) == SP_OK && fd >= 0) ioctl(fd, TIOCNXCL);
    tcsetattr(keeperFd_, TCSANOW, &original_);
    sp_close(port_);
    sp_free_port(port_);
    port_ = nullptr;
    CloseKeeper();
}

void LibSerialPort::CloseKeeper()
{
    if (keeperFd_ >= 0) close(keeperFd_);
    keeperFd_ = -1;
}

bool LibSerialPort::GetLineSettings(SerialLineSettings& settings)
{
    if (port_ == nullptr) return false;
    ScopedConfig config;
    if (config.Get() == nullptr || sp_get_config(port_, config.Get()) != SP_OK) return false;
    const int baudRate = config.Value(sp_get_config_baudrate, 0);
    const int bits = config.Value(sp_get_config_bits, 0);
    const int stopBits = config.Value(sp_get_config_stopbits, 0);
    const sp_parity parity = config.Value(sp_get_config_parity, SP_PARITY_NONE);
    const sp_cts cts = config.Value(sp_get_config_cts, SP_CTS_IGNORE);
    const sp_dsr dsr = config.Value(sp_get_config_dsr, SP_DSR_IGNORE);
    const sp_dtr dtr = config.Value(sp_get_config_dtr, SP_DTR_OFF);
    const sp_rts rts = config.Value(sp_get_config_rts, SP_RTS_OFF);
    const sp_xonxoff xonXoff = config.Value(sp_get_config_xon_xoff, SP_XONXOFF_DISABLED);
    settings.baudRate = baudRate > 0 ? static_cast<std::uint32_t>(baudRate) : 0;
    settings.dataBits = static_cast<std::uint8_t>(bits);
    settings.stopBits = static_cast<std::uint8_t>(stopBits);
    // The library cannot name the parity of a line whose parity errors are neither ignored
    // nor checked (as a binary line is): the line's own settings tell.
    termios line{};
    int fd = -1;
    if (parity == SP_PARITY_INVALID && sp_get_port_handle(port_, &fd) == SP_OK && fd >= 0 &&
        tcgetattr(fd, &line) == 0) {
        settings.parity = ParityOf(line);
        settings.parityCheck = ChecksParity(line);
    } else {
        settings.parity = ParityFrom(parity);
        settings.parityCheck = parity != SP_PARITY_NONE;
    }
    settings.ctsOutputFlow = cts == SP_CTS_FLOW_CONTROL;
    settings.dsrOutputFlow = dsr == SP_DSR_FLOW_CONTROL;
    settings.dsrSensitivity = false;
    settings.xonXoff = xonXoff != SP_XONXOFF_DISABLED;
    settings.dtrOn = dtr != SP_DTR_OFF;
    settings.rtsOn = rts != SP_RTS_OFF;
    return true;
}

bool LibSerialPort::SetLineSettings(const SerialLineSettings& settings)
{
    if (port_ == nullptr) return false;
    ScopedConfig config;
    if (config.Get() == nullptr) return false;
    sp_set_config_baudrate(config.Get(), static_cast<int>(settings.baudRate));
    sp_set_config_bits(config.Get(), settings.dataBits);
    sp_set_config_stopbits(config.Get(), settings.stopBits);
    sp_set_config_parity(config.Get(), ParityTo(settings.parity, settings.parityCheck));
    sp_set_config_cts(config.Get(), settings.ctsOutputFlow ? SP_CTS_FLOW_CONTROL : SP_CTS_IGNORE);
    sp_set_config_dsr(config.Get(), settings.dsrOutputFlow ? SP_DSR_FLOW_CONTROL : SP_DSR_IGNORE);
    sp_set_config_xon_xoff(config.Get(), settings.xonXoff ? SP_XONXOFF_INOUT : SP_XONXOFF_DISABLED);
    // The modem lines go separately, so that a device refusing them keeps the rest.
    sp_set_config_dtr(config.Get(), SP_DTR_INVALID);
    sp_set_config_rts(config.Get(), SP_RTS_INVALID);
    if (sp_set_config(port_, config.Get()) != SP_OK) return false;
    // The library leaves some of the line's character services as it found them.
    int fd = -1;
    if (sp_get_port_handle(port_, &fd) != SP_OK || fd < 0) return false;
    if (!MakeBinaryLine(fd, settings.parityCheck, settings.xonXoff)) return false;
    return SetDtr(settings.dtrOn) && SetRts(settings.rtsOn);
}

bool LibSerialPort::SetDtr(bool on)
{
    if (port_ == nullptr) return false;
    // A device without modem lines refuses the change; that is no failure of the link.
    sp_set_dtr(port_, on ? SP_DTR_ON : SP_DTR_OFF);
    return true;
}

bool LibSerialPort::SetRts(bool on)
{
    if (port_ == nullptr) return false;
    sp_set_rts(port_, on ? SP_RTS_ON : SP_RTS_OFF);
    return true;
}

bool LibSerialPort::PurgeReceive()
{
    return port_ != nullptr && sp_flush(port_, SP_BUF_INPUT) == SP_OK;
}

bool LibSerialPort::PurgeTransmit()
{
    return port_ != nullptr && sp_flush(port_, SP_BUF_OUTPUT) == SP_OK;
}

bool LibSerialPort::WriteByte(std::uint8_t value)
{
    if (port_ == nullptr) return false;
    // 0 means no limit for libserialport as for the timeouts.
    return sp_blocking_write(port_, &value, 1, Timeouts().OneByteWriteMs()) == 1;
}

SerialReadResult LibSerialPort::ReadByte(std::uint8_t& value)
{
    if (port_ == nullptr) return SerialReadResult::Failed;
    const int result = sp_blocking_read(port_, &value, 1, Timeouts().OneByteReadMs());
    if (result == 1) return SerialReadResult::Received;
    return result == 0 ? SerialReadResult::TimedOut : SerialReadResult::Failed;
}

} // namespace zav
