#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zav {

// The lines of the parallel connector an FTDI adapter can stand in for.
enum class ConnectorLine : std::uint8_t {
    Data0,
    Strobe,
    Autofeed,
    Init,
    SelectIn,
    Ack,
    Busy,
    PaperOut,
    Select,
    Error,
};
inline constexpr std::size_t kConnectorLineCount = 10;

// Where a connector line sits on a PC parallel port: its name in a pin map, its pin on the
// 25-pin connector, the register bit it shows in and whether the port inverts it between
// register and pin.
struct ConnectorLineInfo {
    ConnectorLine line;
    std::string_view name;
    int connectorPin;
    bool output;
    bool inverted;
    // kDataOffset, kStatusOffset or kControlOffset.
    std::uint16_t registerOffset;
    std::uint8_t bit;
    // Every programmer board uses it: the data line out and in, the clock, the reset and
    // the ready (or busy) input.
    bool required;
};

[[nodiscard]] const std::array<ConnectorLineInfo, kConnectorLineCount>& ConnectorLines();
[[nodiscard]] const ConnectorLineInfo& InfoOf(ConnectorLine line);

// Which of the adapter's eight bit-bang pins (D0 to D7) carries which connector line. Every
// line the boards need has a pin and no pin carries two lines; the other lines may be left
// unwired.
//
// Written LINE=PIN,LINE=PIN,... with the lines by name (data0, strobe, autofeed, init,
// select-in, ack, busy, paper-out, select, error) and the pins as D0 to D7 or by the
// FT232R's names (TXD, RXD, RTS, CTS, DTR, DSR, DCD, RI), case not minding.
class FtdiPinMap {
public:
    // The wiring used when a ports map line gives none: data0=TXD, paper-out=RXD,
    // strobe=RTS, error=CTS, autofeed=DTR.
    [[nodiscard]] static FtdiPinMap Default();
    // Nullopt with `error` saying which entry or line is wrong.
    [[nodiscard]] static std::optional<FtdiPinMap> Parse(std::string_view text, std::string& error);

    // The adapter pin (0 to 7) carrying `line`, nullopt when it is not wired.
    [[nodiscard]] std::optional<int> PinOf(ConnectorLine line) const;
    // The adapter pins the adapter drives (the connector's outputs); the others it reads.
    [[nodiscard]] std::uint8_t OutputMask() const;
    // The map in the form Parse reads, lines in connector order.
    [[nodiscard]] std::string Text() const;

    bool operator==(const FtdiPinMap&) const = default;

private:
    std::array<std::optional<std::uint8_t>, kConnectorLineCount> pins_{};
};

} // namespace zav
