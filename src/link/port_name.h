#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

// A programmer port's name: "LPT1" to "LPT3" for the parallel ports, "COM1" to "COM8" for
// the serial ones, exact and case-sensitive. Every place that reads or writes such a name
// goes through this type, so the rule lives here only.
class PortName {
public:
    enum class Kind : std::uint8_t { Parallel, Serial };

    static constexpr int kParallelCount = 3;
    static constexpr int kSerialCount = 8;

    // `number` must lie in 1..Count(kind).
    PortName(Kind kind, int number) : kind_(kind), number_(number) {}

    [[nodiscard]] static PortName Parallel(int number) { return {Kind::Parallel, number}; }
    [[nodiscard]] static PortName Serial(int number) { return {Kind::Serial, number}; }

    // nullopt for anything but an exact port name.
    [[nodiscard]] static std::optional<PortName> Parse(std::string_view text);
    [[nodiscard]] static bool IsValid(std::string_view text) { return Parse(text).has_value(); }
    // Whether `text` is a port name of this kind.
    [[nodiscard]] static bool IsOfKind(std::string_view text, Kind kind);
    // Every port of the kind, from number 1 up.
    [[nodiscard]] static std::vector<PortName> All(Kind kind);
    [[nodiscard]] static int Count(Kind kind) { return kind == Kind::Parallel ? kParallelCount : kSerialCount; }
    [[nodiscard]] static bool HasNumber(Kind kind, int number) { return number >= 1 && number <= Count(kind); }
    // "LPT" or "COM".
    [[nodiscard]] static std::string_view Prefix(Kind kind) { return kind == Kind::Parallel ? "LPT" : "COM"; }
    // The kind's names for a message: "LPT1 to LPT3", "COM1 to COM8".
    [[nodiscard]] static std::string RangeText(Kind kind);
    // Both kinds': "LPT1 to LPT3, COM1 to COM8".
    [[nodiscard]] static std::string EveryRangeText();

    [[nodiscard]] Kind PortKind() const { return kind_; }
    [[nodiscard]] bool IsParallel() const { return kind_ == Kind::Parallel; }
    [[nodiscard]] int Number() const { return number_; }
    [[nodiscard]] std::string Text() const;

    bool operator==(const PortName&) const = default;

private:
    Kind kind_;
    int number_;
};

} // namespace zav
