#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zav {

// Which device stands behind each port name, from the text file `ports` in the settings
// directory: lines NAME=TARGET, NAME one of LPT1-LPT3 or COM1-COM8, TARGET a device path
// or the word `simulator`; CR LF, LF and a lone CR each end a line. Lines it cannot read are
// ignored (and kept, with their numbers, for the user to be shown); a later line for the same
// name wins, and the earlier one is noted. Names without a line use the system's default
// device, unless the file could not be read at all (FileError): then no port may be opened.
class PortsMap {
public:
    static constexpr std::string_view kSimulatorTarget = "simulator";

    // A line that is neither blank, nor a # comment, nor NAME=TARGET with a port name.
    struct UnreadableLine {
        int number = 0;
        std::string text;
        std::string reason;
        bool operator==(const UnreadableLine&) const = default;
    };

    // A name given on more than one line: the last line's target is the one used.
    struct RepeatedName {
        std::string name;
        int earlierLine = 0;
        int line = 0;
        bool operator==(const RepeatedName&) const = default;
    };

    [[nodiscard]] static PortsMap Parse(std::string_view text);

    // The target given for `portName`, if any.
    [[nodiscard]] std::optional<std::string> TargetOf(const std::string& portName) const;
    [[nodiscard]] bool IsSimulated(const std::string& portName) const;
    void SetTarget(const std::string& portName, const std::string& target);
    [[nodiscard]] const std::map<std::string, std::string>& Entries() const { return entries_; }
    [[nodiscard]] const std::vector<UnreadableLine>& UnreadableLines() const { return unreadable_; }
    [[nodiscard]] const std::vector<RepeatedName>& RepeatedNames() const { return repeated_; }
    // Why a file that exists was not read (a folder, a device, too large, a link loop), for
    // the user to be shown; empty when it was read or is absent. While it is set the map says
    // nothing of where a name leads, so no port may be opened: a port mapped to the simulator
    // or to another adapter must not fall back to a real one.
    [[nodiscard]] const std::string& FileError() const { return fileError_; }
    void SetFileError(std::string error) { fileError_ = std::move(error); }

    // True for LPT1-LPT3 and COM1-COM8, exactly as the settings spell them.
    [[nodiscard]] static bool IsPortName(std::string_view name);

private:
    std::map<std::string, std::string> entries_;
    std::vector<UnreadableLine> unreadable_;
    std::vector<RepeatedName> repeated_;
    std::string fileError_;
};

} // namespace zav
