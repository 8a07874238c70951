#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "operations/serial_number.h"

namespace zav {

// The serial numbers of a bench, kept in a small text file that every run on the same
// device shares: the next fresh number and the numbers failed parts gave back.
//
//     next=145
//     returned=142
//
// Each change happens under an exclusive lock (a ".lock" file beside it, since the state
// file itself is replaced whole on every write), so two runs never hand out one number. A
// number leaves the file when it is reserved; a part that did not verify gives it back. A
// run killed during a part loses its number, which is never handed out again: a gap, never
// a repeat.
class SerialStateFile {
public:
    SerialStateFile(std::filesystem::path file, SerialNumbering numbering);

    // The numbers for the next `count` parts, taken at once (given-back numbers first,
    // smallest first, then fresh ones). False, with the reason, when the file cannot be
    // read or written or a number would not fit the field; nothing is taken then.
    [[nodiscard]] bool Reserve(std::size_t count, std::vector<std::uint64_t>& numbers, std::string& failure);
    // Puts a reserved number back for a later part.
    [[nodiscard]] bool GiveBack(std::uint64_t number, std::string& failure);
    // The number the next Reserve would hand out first, without taking it.
    [[nodiscard]] bool Peek(std::uint64_t& number, std::string& failure);

    [[nodiscard]] const std::filesystem::path& Path() const { return file_; }

private:
    struct State {
        std::uint64_t next = 0;
        std::vector<std::uint64_t> returned;
    };
    // Runs `change` on the state under the lock and writes it back when it says so.
    template <typename Change> bool Locked(Change change, std::string& failure);
    bool Load(State& state, std::string& failure) const;
    bool Store(const State& state, std::string& failure) const;
    bool Take(State& state, std::size_t count, std::vector<std::uint64_t>& numbers,
              std::string& failure) const;

    std::filesystem::path file_;
    SerialNumbering numbering_;
};

// $XDG_STATE_HOME/zav/serial-<device>.state (~/.local/state when the variable is unset,
// empty or relative), the device name reduced to letters, digits and dashes.
[[nodiscard]] std::filesystem::path DefaultSerialStatePath(const std::string& deviceName);

} // namespace zav
