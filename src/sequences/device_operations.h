#pragma once

#include <cstdint>
#include <optional>

#include "devices/device_info.h"

namespace zav {

class BoardSession;
class SequenceHost;
class VerifyReport;

// The program sequence's passes over device cells, with the progress bar they move: each
// pass starts the bar at 0 of the plan's maximum and moves it once per cell. Every link
// operation is checked; a failure is posted and the pass returns false.
class DeviceOperations {
public:
    DeviceOperations(SequenceHost& host, BoardSession& session, int progressMaximum, VerifyReport& verifyReport);

    void StartProgress();
    void StepProgress();

    // Writes 0xFF to every cell.
    bool Erase(AddressRange range);
    // Writes every cell's buffer value, as the buffer held them when the pass began.
    bool Program(AddressRange range);
    // Compares every cell with 0xFF (expectErased) or with its buffer value and adds each
    // difference to the report, which posts its line; differences do not fail the pass.
    bool Verify(AddressRange range, bool expectErased);

    bool Write(std::int32_t address, std::uint8_t value);
    // The buffer's value of the cell, written to the device.
    bool WriteBufferValue(std::int32_t address);
    [[nodiscard]] std::optional<std::uint8_t> Read(std::int32_t address);

private:
    SequenceHost& host_;
    BoardSession& session_;
    int progressMaximum_;
    VerifyReport& verifyReport_;
    int position_ = 0;
};

} // namespace zav
