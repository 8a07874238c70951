#pragma once

namespace zav {

// The main window's six option toggles that decide what a sequence does.
enum class SequenceOption { Erase, Program, Verify, Read, Lock, Unlock };

} // namespace zav
