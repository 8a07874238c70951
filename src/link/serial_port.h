#pragma once

#include <cstdint>
#include <string>

namespace zav {

// Read and write timeouts of a serial port, in the Windows comm model the link was
// designed around: a read of n bytes returns after at most
// readTotalMultiplier * n + readTotalConstant milliseconds (0 and 0: no limit).
struct SerialTimeouts {
    std::uint32_t readInterval = 0;
    std::uint32_t readTotalMultiplier = 0;
    std::uint32_t readTotalConstant = 0;
    std::uint32_t writeTotalMultiplier = 0;
    std::uint32_t writeTotalConstant = 0;

    // The longest a one-byte read or write may take; 0 means no limit.
    [[nodiscard]] std::uint32_t OneByteReadMs() const { return readTotalMultiplier + readTotalConstant; }
    [[nodiscard]] std::uint32_t OneByteWriteMs() const { return writeTotalMultiplier + writeTotalConstant; }

    friend bool operator==(const SerialTimeouts&, const SerialTimeouts&) = default;
};

enum class SerialParity : std::uint8_t { None, Odd, Even, Mark, Space };

// The line settings the link saves at open, changes and restores at close.
struct SerialLineSettings {
    std::uint32_t baudRate = 9600;
    std::uint8_t dataBits = 8;
    std::uint8_t stopBits = 1;
    SerialParity parity = SerialParity::None;
    bool parityCheck = false;
    bool ctsOutputFlow = false;
    bool dsrOutputFlow = false;
    bool dsrSensitivity = false;
    bool xonXoff = false;
    bool dtrOn = false;
    bool rtsOn = false;

    friend bool operator==(const SerialLineSettings&, const SerialLineSettings&) = default;
};

enum class SerialReadResult : std::uint8_t {
    Received, // one byte arrived
    TimedOut, // nothing arrived within the read timeout; not a failure
    Failed,   // the port call failed
};

// One serial port, opened by its COM name. Implemented over libserialport / termios,
// by the simulated board and by recording fakes in tests. Every call but Open and
// Close reports failure with false (or SerialReadResult::Failed).
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens an existing port for reading and writing, not shared with anyone else.
    // False when that is not possible; FailureCause then says why.
    [[nodiscard]] virtual bool Open(const std::string& portName) = 0;
    [[nodiscard]] virtual bool IsOpen() const = 0;
    virtual void Close() = 0;

    [[nodiscard]] virtual bool GetTimeouts(SerialTimeouts& timeouts) = 0;
    [[nodiscard]] virtual bool SetTimeouts(const SerialTimeouts& timeouts) = 0;
    [[nodiscard]] virtual bool GetLineSettings(SerialLineSettings& settings) = 0;
    // Applies every field. A device without modem lines (a pseudo-terminal, some USB
    // adapters) that refuses the DTR/RTS part is not a failure.
    [[nodiscard]] virtual bool SetLineSettings(const SerialLineSettings& settings) = 0;

    // Same rule as SetLineSettings for devices without modem lines.
    [[nodiscard]] virtual bool SetDtr(bool on) = 0;
    [[nodiscard]] virtual bool SetRts(bool on) = 0;

    // Discards bytes received but not yet read.
    [[nodiscard]] virtual bool PurgeReceive() = 0;
    // Discards bytes written but not yet sent.
    [[nodiscard]] virtual bool PurgeTransmit() = 0;

    [[nodiscard]] virtual bool WriteByte(std::uint8_t value) = 0;
    // Waits for one byte as long as the current timeouts allow.
    [[nodiscard]] virtual SerialReadResult ReadByte(std::uint8_t& value) = 0;

    // Why the last Open failed, for a warning line or a port check; empty when unknown.
    [[nodiscard]] virtual std::string FailureCause() const = 0;
};

} // namespace zav
