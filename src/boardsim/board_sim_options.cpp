#include "boardsim/board_sim_options.h"

#include <charconv>
#include <string>
#include <utility>

namespace zav {

namespace {

// Decimal, or hexadecimal after "0x"; the whole text must be the number.
std::optional<std::uint32_t> ParseNumber(std::string_view text, std::uint32_t max)
{
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return std::nullopt;
    std::uint32_t value = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (failure != std::errc{} || end != text.data() + text.size() || value > max) return std::nullopt;
    return value;
}

std::optional<Hc11Variant> ParseVariant(std::string_view text)
{
    if (text == "PA8") return Hc11Variant::PA8;
    if (text == "P2") return Hc11Variant::P2;
    if (text == "KA4") return Hc11Variant::KA4;
    if (text == "none") return Hc11Variant::None;
    return std::nullopt;
}

bool ApplyFlag(std::string_view name, BoardSimOptions& options)
{
    if (name == "old-board")
        options.oldBoard = true;
    else if (name == "no-board")
        options.noBoard = true;
    else if (name == "wrong-id")
        options.wrongId = true;
    else if (name == "never-ready")
        options.neverReady = true;
    else if (name == "clock-readback")
        options.clockReadback = true;
    else if (name == "slow-port")
        options.slowPortWrites = true;
    else if (name == "stray-byte")
        options.strayByte = true;
    else if (name == "realtime")
        options.realTime = true;
    else
        return false;
    return true;
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
