#include "link/ftdi_pin_map.h"

#include <algorithm>
#include <cctype>

#include "link/parallel_port_io.h"

namespace zav {

namespace {

using enum ConnectorLine;

constexpr std::array<ConnectorLineInfo, kConnectorLineCount> kLines = {{
    {Data0, "data0", 2, true, false, kDataOffset, 0x01, true},
    {Strobe, "strobe", 1, true, true, kControlOffset, 0x01, true},
    {Autofeed, "autofeed", 14, true, true, kControlOffset, 0x02, true},
    {Init, "init", 16, true, false, kControlOffset, 0x04, false},
    {SelectIn, "select-in", 17, true, true, kControlOffset, 0x08, false},
    {Ack, "ack", 10, false, false, kStatusOffset, 0x40, false},
    {Busy, "busy", 11, false, true, kStatusOffset, 0x80, false},
    {PaperOut, "paper-out", 12, false, false, kStatusOffset, 0x20, true},
    {Select, "select", 13, false, false, kStatusOffset, 0x10, false},
    {Error, "error", 15, false, false, kStatusOffset, 0x08, true},
}};

// The FT232R's pin names in bit order; the other chips call the same bits D0 to D7 (ADBUS).
constexpr std::array<std::string_view, 8> kUartPinNames = {"TXD", "RXD", "RTS", "CTS", "DTR", "DSR", "DCD", "RI"};

// What each line does for the boards, for a refusal that names a missing one.
std::string_view RoleOf(ConnectorLine line)
{
    switch (line) {
    case Data0:
        return "the data line to the board";
    case Strobe:
        return "the clock line";
    case Autofeed:
        return "the reset line";
    case PaperOut:
        return "the data line from the board";
    case Error:
        return "the board's ready line";
    default:
        return "";
    }
}

std::string Upper(std::string_view text)
{
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::optional<int> ParsePin(std::string_view text)
{
    const std::string upper = Upper(text);
    if (upper.size() == 2 && upper[0] == 'D' && upper[1] >= '0' && upper[1] <= '7') return upper[1] - '0';
    for (std::size_t bit = 0; bit < kUartPinNames.size(); ++bit) {
        if (upper == kUartPinNames[bit]) return static_cast<int>(bit);
    }
    return std::nullopt;
}

std::optional<ConnectorLine> ParseLine(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const ConnectorLineInfo& info : kLines) {
        if (lower == info.name) return info.line;
    }
    return std::nullopt;
}

std::string PinName(int pin)
{
    return "D" + std::to_string(pin) + " (" + std::string(kUartPinNames[static_cast<std::size_t>(pin)]) + ")";
}

} // namespace

const std::array<ConnectorLineInfo, kConnectorLineCount>& ConnectorLines()
{
    return kLines;
}

const ConnectorLineInfo& InfoOf(ConnectorLine line)
{
    return kLines[static_cast<std::size_t>(line)];
}

FtdiPinMap FtdiPinMap::Default()
{
    FtdiPinMap map;
    map.pins_[static_cast<std::size_t>(Data0)] = 0;
    map.pins_[static_cast<std::size_t>(PaperOut)] = 1;
    map.pins_[static_cast<std::size_t>(Strobe)] = 2;
    map.pins_[static_cast<std::size_t>(Error)] = 3;
    map.pins_[static_cast<std::size_t>(Autofeed)] = 4;
    return map;
}

std::optional<FtdiPinMap> FtdiPinMap::Parse(std::string_view text, std::string& error)
{
    FtdiPinMap map;
    std::array<std::optional<ConnectorLine>, 8> lineOnPin{};
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view entry = Trim(text.substr(0, comma));
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
        const std::size_t equals = entry.find('=');
        if (equals == std::string_view::npos) {
            error = "pin map entry \"" + std::string(entry) + "\" is not LINE=PIN";
            return std::nullopt;
        }
        const std::string_view lineText = Trim(entry.substr(0, equals));
        const std::string_view pinText = Trim(entry.substr(equals + 1));
        const std::optional<ConnectorLine> line = ParseLine(lineText);
        if (!line) {
            error = "\"" + std::string(lineText) +
                    "\" is not a connector line (data0, strobe, autofeed, init, select-in, ack, busy, paper-out, "
                    "select, error)";
            return std::nullopt;
        }
        const std::optional<int> pin = ParsePin(pinText);
        if (!pin) {
            error = "\"" + std::string(pinText) +
                    "\" is not an FTDI pin (D0 to D7, or TXD, RXD, RTS, CTS, DTR, DSR, DCD, RI)";
            return std::nullopt;
        }
        const std::string lineName(InfoOf(*line).name);
        auto& slot = map.pins_[static_cast<std::size_t>(*line)];
        if (slot) {
            error = "the pin map names " + lineName + " twice";
            return std::nullopt;
        }
        auto& taken = lineOnPin[static_cast<std::size_t>(*pin)];
        if (taken) {
            error = "the pin map puts both " + std::string(InfoOf(*taken).name) + " and " + lineName + " on " +
                    PinName(*pin);
            return std::nullopt;
        }
        slot = static_cast<std::uint8_t>(*pin);
        taken = line;
    }
    for (const ConnectorLineInfo& info : kLines) {
        if (info.required && !map.PinOf(info.line)) {
            error = "the pin map has no pin for " + std::string(info.name) + " (connector pin " +
                    std::to_string(info.connectorPin) + ", " + std::string(RoleOf(info.line)) + ")";
            return std::nullopt;
        }
    }
    return map;
}

std::optional<int> FtdiPinMap::PinOf(ConnectorLine line) const
{
    const auto& pin = pins_[static_cast<std::size_t>(line)];
    if (!pin) return std::nullopt;
    return *pin;
}

std::uint8_t FtdiPinMap::OutputMask() const
{
    std::uint8_t mask = 0;
    for (const ConnectorLineInfo& info : kLines) {
        if (const auto pin = PinOf(info.line); pin && info.output) mask |= static_cast<std::uint8_t>(1U << *pin);
    }
    return mask;
}

std::string FtdiPinMap::Text() const
{
    std::string text;
    for (const ConnectorLineInfo& info : kLines) {
        const auto pin = PinOf(info.line);
        if (!pin) continue;
        if (!text.empty()) text += ',';
        text += std::string(info.name) + "=D" + std::to_string(*pin);
    }
    return text;
}

} // namespace zav
