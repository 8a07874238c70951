#include "boardsim/board_sim_options.h"

#include <array>
#include <string>
#include <utility>

#include "buffer/numeric_helpers.h"

namespace zav {

namespace {

// Decimal, or hexadecimal after "0x"; the whole text must be the number.
std::optional<std::uint32_t> ParseNumber(std::string_view text, std::uint32_t max)
{
    const std::optional<std::uint64_t> value = ParseUnsignedNumber(text);
    if (!value || *value > max) return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

std::optional<Hc11Variant> ParseVariant(std::string_view text)
{
    constexpr std::array<std::pair<std::string_view, Hc11Variant>, 4> kVariants = {{
        {"PA8", Hc11Variant::PA8},
        {"P2", Hc11Variant::P2},
        {"KA4", Hc11Variant::KA4},
        {"none", Hc11Variant::None},
    }};
    for (const auto& [name, variant] : kVariants) {
        if (text == name) return variant;
    }
    return std::nullopt;
}

// The options given by name alone, each turning on its field.
constexpr std::array<std::pair<std::string_view, bool BoardSimOptions::*>, 8> kFlags = {{
    {"old-board", &BoardSimOptions::oldBoard},
    {"no-board", &BoardSimOptions::noBoard},
    {"wrong-id", &BoardSimOptions::wrongId},
    {"never-ready", &BoardSimOptions::neverReady},
    {"clock-readback", &BoardSimOptions::clockReadback},
    {"slow-port", &BoardSimOptions::slowPortWrites},
    {"stray-byte", &BoardSimOptions::strayByte},
    {"realtime", &BoardSimOptions::realTime},
}};

bool ApplyFlag(std::string_view name, BoardSimOptions& options)
{
    for (const auto& [flag, field] : kFlags) {
        if (name != flag) continue;
        options.*field = true;
        return true;
    }
    return false;
}

// Applies NAME=VALUE; the reason when it is refused, empty when applied.
std::string ApplySetting(std::string_view name, std::string_view value, BoardSimOptions& options)
{
    constexpr std::uint32_t kMaxCount = 1'000'000;
    const std::string item = std::string(name) + "=" + std::string(value);
    if (name == "hc11") {
        const auto variant = ParseVariant(value);
        if (!variant) return item + ": the variant is one of PA8, P2, KA4, none";
        options.hc11 = *variant;
        return {};
    }
    if (name == "stuck-cell") {
        const auto address = ParseNumber(value, 0xFFFF);
        if (!address) return item + ": the address is out of range 0 to 0xFFFF or not a number";
        options.stuckCell = static_cast<std::uint16_t>(*address);
        return {};
    }
    if (name != "loader-fails" && name != "write-ms") return "unknown simulator option: " + item;
    const auto count = ParseNumber(value, kMaxCount);
    if (!count) return item + ": not a number from 0 to 1000000";
    (name == "loader-fails" ? options.loaderFailures : options.eepromWriteMs) = static_cast<int>(*count);
    return {};
}

} // namespace

bool ParseBoardSimOptions(std::string_view text, BoardSimOptions& options, std::string& error)
{
    BoardSimOptions parsed = options;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
        if (item.empty()) continue;

        const std::size_t equals = item.find('=');
        std::string refusal;
        if (equals == std::string_view::npos) {
            if (!ApplyFlag(item, parsed)) refusal = "unknown simulator option: " + std::string(item);
        } else {
            refusal = ApplySetting(item.substr(0, equals), item.substr(equals + 1), parsed);
        }
        if (!refusal.empty()) {
            error = std::move(refusal);
            return false;
        }
    }
    options = parsed;
    error.clear();
    return true;
}

} // namespace zav
