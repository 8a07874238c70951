#pragma once

namespace zav {

class EditorCursor;
class MemoryBuffer;

// What a key press in the hex grid did, so the window knows whether to beep.
enum class HexKeyOutcome { NotADigit, FirstDigit, SecondDigit };

// Typing into the editor's grids. A byte in the hex grid takes two digits: the first sets
// its high half and leaves the cursor, the second sets the low half and moves on. Each key
// is its own undo step, also where the buffer refuses the write (read-only, unimplemented),
// so Undo always steps back one key at a time.
class KeyEntry {
public:
    // A digit 0-9, A-F or a-f changes the byte under the cursor; anything else changes nothing.
    HexKeyOutcome TypeHexKey(char key, MemoryBuffer& buffer, EditorCursor& cursor);
    // Any character, control characters included, is stored as its 8-bit code.
    void TypeCharKey(char key, MemoryBuffer& buffer, EditorCursor& cursor);

    [[nodiscard]] bool SecondDigitPending() const { return secondDigitPending_; }
    // A click into the hex grid, or either grid taking the focus: the next digit starts a
    // new byte, wherever the cursor went in between.
    void ClearPendingDigit() { secondDigitPending_ = false; }

private:
    bool secondDigitPending_ = false;
};

} // namespace zav
