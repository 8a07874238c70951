#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zav {

// Which device stands behind each port name, from the text file `ports` in the settings
// directory: lines NAME=TARGET, NAME one of LPT1-LPT3 or COM1-COM8, TARGET a device path,
// the word `simulator` or, for LPTn, a USB FTDI adapter (`ftdi:VID:PID...`, see FtdiTarget)
// whose value must parse. Lines it cannot read are ignored (and kept, with their numbers,
// for the user to be shown); a later line for the same name wins. Names without a line use
// the system's default device.
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

    [[nodiscard]] static PortsMap Parse(std::string_view text);

    // The target given for `portName`, if any.
    [[nodiscard]] std::optional<std::string> TargetOf(const std::string& portName) const;
    [[nodiscard]] bool IsSimulated(const std::string& portName) const;
    void SetTarget(const std::string& portName, const std::string& target);
    [[nodiscard]] const std::map<std::string, std::string>& Entries() const { return entries_; }
    [[nodiscard]] const std::vector<UnreadableLine>& UnreadableLines() const { return unreadable_; }
    // Why the file as a whole was not read (a folder, a device, too large), for the user to
    // be shown; empty when it was read or is absent.
    [[nodiscard]] const std::string& FileWarning() const { return fileWarning_; }
    void SetFileWarning(std::string warning) { fileWarning_ = std::move(warning); }

    // True for LPT1-LPT3 and COM1-COM8, exactly as the settings spell them.
    [[nodiscard]] static bool IsPortName(std::string_view name);

private:
    std::map<std::string, std::string> entries_;
    std::vector<UnreadableLine> unreadable_;
    std::string fileWarning_;
};

} // namespace zav
