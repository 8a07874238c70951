#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "link/clock.h"
#include "link/parallel_port_io.h"
#include "link/serial_port.h"

namespace zav::test {

struct PortEvent {
    bool write = false;
    std::uint16_t address = 0;
    std::uint8_t value = 0;
    // When it happened, in milliseconds of the recording's clock (0 without one).
    double atMs = 0;
};

inline double NowMs(const Clock* clock)
{
    return clock != nullptr ? static_cast<double>(clock->NowUs()) / 1000.0 : 0.0;
}

// A parallel port that records every register access and answers reads from a function.
class RecordingParallelPort final : public ParallelPortIo {
public:
    std::array<std::uint16_t, 3> bases = {0x378, 0x278, 0x3BC};
    int slowClock = 0;
    bool claimSucceeds = true;
    bool controlLinesReadable = true;
    std::function<std::uint8_t(std::uint16_t address)> answer = [](std::uint16_t) { return std::uint8_t{0}; };
    const Clock* clock = nullptr;

    std::vector<PortEvent> events;
    int calls = 0;
    int claims = 0;
    int releases = 0;

    std::uint16_t BaseAddress(int portNumber) override
    {
        ++calls;
        return portNumber >= 1 && portNumber <= 3 ? bases[static_cast<std::size_t>(portNumber - 1)] : 0;
    }
    bool Claim(int) override
    {
        ++calls;
        if (claimSucceeds) ++claims;
        return claimSucceeds;
    }
    void Release(int) override
    {
        ++calls;
        ++releases;
    }
    std::uint8_t Read(std::uint16_t address) override
    {
        ++calls;
        const std::uint8_t value = answer(address);
        events.push_back({false, address, value, NowMs(clock)});
        return value;
    }
    void Write(std::uint16_t address, std::uint8_t value) override
    {
        ++calls;
        events.push_back({true, address, value, NowMs(clock)});
    }
    bool ReadsControlLines(int) override { return controlLinesReadable; }
    int SlowClockTest() override
    {
        ++calls;
        return slowClock;
    }
    std::string FailureCause() const override { return "recorded cause"; }

    [[nodiscard]] std::vector<std::uint8_t> WritesTo(std::uint16_t address) const
    {
        std::vector<std::uint8_t> values;
        for (const PortEvent& event : events) {
            if (event.write && event.address == address) values.push_back(event.value);
        }
        return values;
    }
};

// A serial port that records the calls a link makes and replies from a queue.
class RecordingSerialPort final : public SerialPort {
public:
    bool openSucceeds = true;
    bool writesSucceed = true;
    SerialTimeouts timeouts{1, 2, 3, 4, 5};
    SerialLineSettings settings{19200, 7, 2, SerialParity::Odd, true, true, true, true, true, false, false};
    std::vector<std::uint8_t> replies;
    bool readFails = false;

    std::vector<std::string> log;
    // Every call the board would notice, with its time: "write C0", "read", "purge rx", ...
    std::vector<std::pair<std::string, double>> timeline;
    const Clock* clock = nullptr;
    std::vector<std::uint8_t> written;
    std::vector<SerialTimeouts> timeoutsSet;
    std::vector<SerialLineSettings> settingsSet;
    bool open = false;

    bool Open(const std::string& portName) override
    {
        log.push_back("open " + portName);
        open = openSucceeds;
        return open;
    }
    bool IsOpen() const override { return open; }
    void Close() override
    {
        log.emplace_back("close");
        open = false;
    }
    bool GetTimeouts(SerialTimeouts& value) override
    {
        value = timeouts;
        return true;
    }
    bool SetTimeouts(const SerialTimeouts& value) override
    {
        timeoutsSet.push_back(value);
        return true;
    }
    bool GetLineSettings(SerialLineSettings& value) override
    {
        value = settings;
        return true;
    }
    bool SetLineSettings(const SerialLineSettings& value) override
    {
        settingsSet.push_back(value);
        return true;
    }
    bool SetDtr(bool on) override
    {
        log.push_back(on ? "dtr on" : "dtr off");
        Note(log.back());
        return true;
    }
    bool SetRts(bool on) override
    {
        log.push_back(on ? "rts on" : "rts off");
        Note(log.back());
        return true;
    }
    bool PurgeReceive() override
    {
        log.emplace_back("purge rx");
        Note(log.back());
        return true;
    }
    bool PurgeTransmit() override
    {
        log.emplace_back("purge tx");
        Note(log.back());
        return true;
    }
    bool WriteByte(std::uint8_t value) override
    {
        if (!writesSucceed) return false;
        written.push_back(value);
        char text[9];
        std::snprintf(text, sizeof text, "write %02X", value);
        Note(text);
        return true;
    }
    SerialReadResult ReadByte(std::uint8_t& value) override
    {
        Note("read");
        if (readFails) return SerialReadResult::Failed;
        if (replies.empty()) return SerialReadResult::TimedOut;
        value = replies.front();
        replies.erase(replies.begin());
        return SerialReadResult::Received;
    }
    std::string FailureCause() const override { return {}; }

private:
    void Note(const std::string& what) { timeline.emplace_back(what, NowMs(clock)); }
};

// The data bit on the line at the end of each clock pulse (when the clock returns to its
// idle level), from a recorded trace of the port at `base`.
inline std::vector<int> DataBitsPerPulse(const std::vector<PortEvent>& events, std::uint16_t base,
                                         std::uint8_t idleClock)
{
    std::vector<int> bits;
    std::uint8_t data = 0;
    std::uint8_t control = idleClock;
    for (const PortEvent& event : events) {
        if (!event.write) continue;
        if (event.address == base) data = event.value;
        if (event.address != base + 2) continue;
        const bool returnsToIdle = (event.value & 1) == idleClock && (control & 1) != idleClock;
        control = event.value;
        if (returnsToIdle) bits.push_back(data & 1);
    }
    return bits;
}

// Bytes from per-pulse bits: eight bits least significant first, or most significant
// first, or framed as start, eight bits least significant first, stop.
inline std::vector<std::uint8_t> BytesFromBits(const std::vector<int>& bits, bool msbFirst, bool framed)
{
    std::vector<std::uint8_t> bytes;
    const std::size_t width = framed ? 10 : 8;
    for (std::size_t start = 0; start + width <= bits.size(); start += width) {
        std::uint8_t byte = 0;
        for (std::size_t i = 0; i < 8; ++i) {
            const int bit = bits[start + (framed ? 1 : 0) + i];
            if (msbFirst)
                byte = static_cast<std::uint8_t>((byte << 1) | bit);
            else
                byte = static_cast<std::uint8_t>(byte | (bit << i));
        }
        bytes.push_back(byte);
    }
    return bytes;
}

} // namespace zav::test
