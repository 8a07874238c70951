#pragma once

namespace zav {

// Which of the commands the port interlock refuses are offered. While a sequence owns the
// port, Print, Ports Options, the Device ID button and the other sequence's Start are shown
// disabled; the running sequence's Start button (down) stays, so it can stop its sequence.
struct InterlockedCommands {
    bool print = true;
    bool portsOptions = true;
    bool deviceId = true;
    bool readStart = true;
    bool programStart = true;

    bool operator==(const InterlockedCommands&) const = default;
};

[[nodiscard]] InterlockedCommands EnabledCommands(bool portIdle, bool readStartDown, bool programStartDown);

} // namespace zav
