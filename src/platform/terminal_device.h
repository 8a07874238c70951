#pragma once

#include <string>

namespace zav {

// What both serial backends do to the device file itself, whichever drives the line.

// Opens a serial device read-write, never as the controlling terminal and without waiting
// for the modem lines; -1 with errno set when it cannot be opened.
[[nodiscard]] int OpenTerminalDevice(const std::string& devicePath);

// Keeps every other user off the line while the board is driven (an advisory lock for
// programs that ask, exclusive mode for those that do not); false when someone holds it.
[[nodiscard]] bool TakeLineForOneUser(int fd);

} // namespace zav
