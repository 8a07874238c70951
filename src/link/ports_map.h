#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace zav {

// Which device stands behind each port name, from the text file `ports` in the settings
// directory: lines NAME=TARGET, NAME one of LPT1-LPT3 or COM1-COM8, TARGET a device path
// or the word `simulator`. Lines it cannot read are ignored; a later line for the same
// name wins. Names without a line use the system's default device.
class PortsMap {
public:
    static constexpr std::string_view kSimulatorTarget = "simulator";

    [[nodiscard]] static PortsMap Parse(std::string_view text);

    // The target given for `portName`, if any.
    [[nodiscard]] std::optional<std::string> TargetOf(const std::string& portName) const;
    [[nodiscard]] bool IsSimulated(const std::string& portName) const;
    void SetTarget(const std::string& portName, const std::string& target);
    [[nodiscard]] const std::map<std::string, std::string>& Entries() const { return entries_; }

    // True for LPT1-LPT3 and COM1-COM8, exactly as the settings spell them.
    [[nodiscard]] static bool IsPortName(std::string_view name);

private:
    std::map<std::string, std::string> entries_;
};

} // namespace zav
