#include "cli/batch_serial_state.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <sstream>
#include <system_error>
#include <utility>

#include <fcntl.h>

#include "files/exclusive_lock.h"
#include "files/safe_file_writer.h"
#include "files/user_folders.h"

namespace zav {

namespace {

namespace fs = std::filesystem;

std::optional<std::uint64_t> ParseDecimal(const std::string& text)
{
    if (text.empty() || text.size() > 20) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

} // namespace

SerialStateFile::SerialStateFile(fs::path file, SerialNumbering numbering)
    : file_(std::move(file)), numbering_(numbering)
{
}

template <typename Change> bool SerialStateFile::Locked(Change change, std::string& failure)
{
    std::error_code ignored;
    if (file_.has_parent_path()) fs::create_directories(file_.parent_path(), ignored);
    const fs::path lockPath(file_.string() + ".lock");
    const ExclusiveLock lock(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
    if (!lock.Locked()) {
        failure = lockPath.string() + ": " + std::generic_category().message(lock.Error());
        return false;
    }
    State state;
    if (!Load(state, failure)) return false;
    bool write = false;
    if (!change(state, write)) return false;
    return !write || Store(state, failure);
}

bool SerialStateFile::Load(State& state, std::string& failure) const
{
    state = State{numbering_.start, {}};
    std::ifstream stream(file_, std::ios::binary);
    if (!stream) {
        std::error_code error;
        if (!fs::exists(file_, error) && !error) return true;
        failure = file_.string() + ": cannot be read";
        return false;
    }
    std::string line;
    int lineNumber = 0;
    while (std::getline(stream, line)) {
        ++lineNumber;
        if (line.empty() || line.front() == '#') continue;
        const std::size_t equals = line.find('=');
        const std::string key = line.substr(0, equals);
        const std::string value = equals == std::string::npos ? std::string() : line.substr(equals + 1);
        bool understood = equals != std::string::npos;
        if (understood && key == "next") {
            const auto next = ParseDecimal(value);
            understood = next.has_value();
            // A new START above the file's numbers starts the new range.
            if (next) state.next = std::max(*next, numbering_.start);
        } else if (understood && key == "returned") {
            std::istringstream numbers(value);
            std::string item;
            while (understood && std::getline(numbers, item, ',')) {
                const auto number = ParseDecimal(item);
                understood = number.has_value();
                if (number && *number >= numbering_.start) state.returned.push_back(*number);
            }
        } else {
            understood = false;
        }
        if (!understood) {
            // A damaged file could hand out numbers twice; it is for a person to mend.
            failure = file_.string() + ": line " + std::to_string(lineNumber) + " is not understood: " + line;
            return false;
        }
    }
    std::sort(state.returned.begin(), state.returned.end());
    state.returned.erase(std::unique(state.returned.begin(), state.returned.end()), state.returned.end());
    return true;
}

bool SerialStateFile::Store(const State& state, std::string& failure) const
{
    std::string text = "# zavtool serial numbers: the next fresh one, and those failed parts gave back\n";
    text += "next=" + std::to_string(state.next) + "\n";
    if (!state.returned.empty()) {
        text += "returned=";
        for (std::size_t i = 0; i < state.returned.size(); ++i) {
            if (i > 0) text += ',';
            text += std::to_string(state.returned[i]);
        }
        text += "\n";
    }
    std::string reason;
    if (WriteFileSafely(file_, text, reason)) return true;
    failure = file_.string() + ": " + reason;
    return false;
}

bool SerialStateFile::Take(State& state, std::size_t count, std::vector<std::uint64_t>& numbers,
                           std::string& failure) const
{
    std::vector<std::uint64_t> taken;
    while (taken.size() < count) {
        std::uint64_t number = 0;
        if (!state.returned.empty()) {
            number = state.returned.front();
            state.returned.erase(state.returned.begin());
        } else {
            number = state.next;
            if (number > std::numeric_limits<std::uint64_t>::max() - numbering_.step) {
                failure = "the serial numbers after " + std::to_string(number) + " run out";
                return false;
            }
            state.next += numbering_.step;
        }
        if (number > LargestSerial(numbering_)) {
            failure = "the serial number " + std::to_string(number) + " does not fit in " +
                      std::to_string(numbering_.bytes) + " byte(s) (the largest is " +
                      std::to_string(LargestSerial(numbering_)) + ")";
            return false;
        }
        taken.push_back(number);
    }
    numbers = std::move(taken);
    return true;
}

bool SerialStateFile::Reserve(std::size_t count, std::vector<std::uint64_t>& numbers, std::string& failure)
{
    return Locked(
        [&](State& state, bool& write) {
            write = true;
            return Take(state, count, numbers, failure);
        },
        failure);
}

bool SerialStateFile::GiveBack(std::uint64_t number, std::string& failure)
{
    return Locked(
        [&](State& state, bool& write) {
            write = true;
            state.returned.insert(std::lower_bound(state.returned.begin(), state.returned.end(), number),
                                  number);
            return true;
        },
        failure);
}

bool SerialStateFile::Peek(std::uint64_t& number, std::string& failure)
{
    return Locked(
        [&](State& state, bool& write) {
            write = false;
            std::vector<std::uint64_t> numbers;
            if (!Take(state, 1, numbers, failure)) return false;
            number = numbers.front();
            return true;
        },
        failure);
}

fs::path DefaultSerialStatePath(const std::string& deviceName)
{
    // Without any home the state stays with the working folder: numbers are still never
    // given out twice from one place.
    const std::optional<fs::path> base = XdgBaseFolder("XDG_STATE_HOME", ".local/state");
    const fs::path folder = base ? *base : fs::path(".");
    std::string name;
    for (const char c : deviceName) {
        const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (kept) {
            name += c;
        } else if (!name.empty() && name.back() != '-') {
            name += '-';
        }
    }
    while (!name.empty() && name.back() == '-') name.pop_back();
    return folder / "zav" / ("serial-" + name + ".state");
}

} // namespace zav
