// Any text typed into a number field: the conversion must never crash, wrap or disagree with
// the reference reading of the same text, and a parsed number must read back unchanged.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "buffer/numeric_helpers.h"
#include "fuzz_support.h"

namespace {

using zav::fuzzing::CountingBoxes;

// The same grammar read the slow way: blanks, sign, prefix, then every remaining character a
// digit of the base; the value is accumulated without limit and compared at the end.
std::optional<std::int64_t> ReferenceValue(std::string_view text)
{
    std::size_t pos = text.find_first_not_of(" \t");
    if (pos == std::string_view::npos) return std::nullopt;
    bool negative = false;
    if (text[pos] == '+' || text[pos] == '-') negative = text[pos++] == '-';
    std::string_view rest = text.substr(pos);
    int base = 10;
    if (rest.starts_with('$')) {
        base = 16;
        rest.remove_prefix(1);
    } else if (rest.starts_with("0x") || rest.starts_with("0X")) {
        base = 16;
        rest.remove_prefix(2);
    }
    if (rest.empty()) return std::nullopt;
    const std::string digits(rest);
    for (char c : digits) {
        const bool decimal = c >= '0' && c <= '9';
        const bool hex = (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!decimal && !(base == 16 && hex)) return std::nullopt;
    }
    const std::string trimmed = digits.substr(std::min(digits.find_first_not_of('0'), digits.size()));
    if (trimmed.size() > 10) return std::nullopt;
    const std::int64_t magnitude = trimmed.empty() ? 0 : std::strtoll(trimmed.c_str(), nullptr, base);
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<std::int32_t> value = zav::StringToInt(text);
    if (value != ReferenceValue(text)) std::abort();

    CountingBoxes boxes;
    const std::int32_t parsed = zav::ParseNumberText(text, boxes);
    if ((boxes.shown == 1) == value.has_value()) std::abort();
    if (parsed != (value && *value >= 0 ? *value : -1)) std::abort();

    if (value && zav::StringToInt(zav::AddressText(*value)) != value) std::abort();
    return 0;
}
