#include "shell/settings_text_check.h"

#include <map>

#include "buffer/numeric_helpers.h"
#include "link/port_name.h"
#include "messages/printable_text.h"
#include "shell/app_settings.h"

namespace zav {

namespace {

// How much of a line of binary data a warning quotes.
constexpr std::size_t kQuotedLength = 40;
// Repeated keys named one by one; a file of thousands gets one line for the rest.
constexpr int kRepeatsNamed = 5;

// Keys compare as the reading compares them: without regard to case.
std::string FoldedKey(std::string_view key)
{
    std::string folded(key);
    for (char& c : folded) c = LowerCaseChar(c);
    return folded;
}

void CheckBinaryLines(const std::vector<std::string>& lines, std::vector<std::string>& warnings)
{
    std::size_t first = lines.size();
    int count = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!HoldsBinaryData(lines[i])) continue;
        if (count++ == 0) first = i;
    }
    if (count == 0) return;
    const std::string& line = lines[first];
    const std::string quoted =
        PrintableText(line.substr(0, kQuotedLength)) + (line.size() > kQuotedLength ? "..." : "");
    const std::string number = std::to_string(first + 1);
    warnings.push_back(
        (count == 1 ? "line " + number + " holds binary data ("
                    : std::to_string(count) + " lines hold binary data, the first line " + number + " (") +
        quoted + "); such lines are read as they stand");
}

void CheckRepeatedKeys(const std::vector<std::string>& lines, std::vector<std::string>& warnings)
{
    std::map<std::string, int> lineOfKey;
    int repeats = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::size_t equals = lines[i].find('=');
        if (equals == std::string::npos) continue;
        const int number = static_cast<int>(i) + 1;
        const auto [earlier, first] =
            lineOfKey.try_emplace(FoldedKey(std::string_view(lines[i]).substr(0, equals)), number);
        if (first) continue;
        if (++repeats <= kRepeatsNamed) {
            warnings.push_back(
                "line " + std::to_string(number) + ": " + PrintableText(lines[i].substr(0, equals)) +
                " is given again; this line is read, not line " + std::to_string(earlier->second));
        }
        earlier->second = number;
    }
    if (repeats > kRepeatsNamed)
        warnings.push_back(std::to_string(repeats - kRepeatsNamed) + " more lines give a key again");
}

void CheckPort(const std::vector<std::string>& lines, std::string_view key, PortName::Kind kind,
               std::vector<std::string>& warnings)
{
    const std::string value = FindSettingValue(lines, key);
    if (value.empty() || PortName::IsOfKind(value, kind)) return;
    warnings.push_back(std::string(key) + "=" + PrintableText(value) + " is not one of " + PortName::RangeText(kind) +
                       "; a run on that port will not open it");
}

} // namespace

std::vector<std::string> CheckSettingsText(std::string_view text)
{
    const std::vector<std::string> lines = SplitSettingsLines(text);
    std::vector<std::string> warnings;
    CheckBinaryLines(lines, warnings);
    CheckRepeatedKeys(lines, warnings);
    CheckPort(lines, "LPT_PORT", PortName::Kind::Parallel, warnings);
    CheckPort(lines, "COM_PORT", PortName::Kind::Serial, warnings);
    return warnings;
}

} // namespace zav
