#pragma once

#include <termios.h>

#include "link/serial_port.h"

namespace zav {

// Sets a terminal line up to carry binary bytes unchanged: no flow control of any kind
// (a 0x11 or 0x13 from the board would otherwise be taken as XON/XOFF and stall the line),
// no CR/NL translation, no stripping of the eighth bit, no canonical mode, no echo, no
// signals, no output processing, and reads that return whatever has arrived. Parity
// checking and XON/XOFF come back only when asked for (restoring what a port had before).
void MakeBinaryLine(termios& line, bool parityCheck, bool xonXoff);

// The same on an open terminal; false when the system refuses.
[[nodiscard]] bool MakeBinaryLine(int fd, bool parityCheck, bool xonXoff);

// The parity scheme a line's settings send, and whether received parity is checked.
[[nodiscard]] SerialParity ParityOf(const termios& line);
[[nodiscard]] bool ChecksParity(const termios& line);

} // namespace zav
