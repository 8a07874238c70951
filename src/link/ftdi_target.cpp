#include "link/ftdi_target.h"

#include <array>
#include <vector>

namespace zav {

namespace {

constexpr std::size_t kMaxSerialLength = 64;

std::optional<std::uint16_t> ParseUsbId(std::string_view text)
{
    if (text.empty() || text.size() > 4) return std::nullopt;
    unsigned value = 0;
    for (const char c : text) {
        unsigned digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else {
            return std::nullopt;
        }
        value = value * 16 + digit;
    }
    if (value == 0) return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

bool IsSerialText(std::string_view text)
{
    if (text.empty() || text.size() > kMaxSerialLength) return false;
    for (const char c : text) {
        const bool printable = c > ' ' && c < 0x7F;
        if (!printable || c == ',' || c == '=') return false;
    }
    return true;
}

} // namespace

std::string UsbIdText(std::uint16_t id)
{
    constexpr std::string_view kDigits = "0123456789abcdef";
    std::string text(4, '0');
    for (int i = 3; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = kDigits[id & 0xF];
        id = static_cast<std::uint16_t>(id >> 4);
    }
    return text;
}

std::optional<FtdiTarget> FtdiTarget::Parse(std::string_view target, std::string& error)
{
    const auto fail = [&](std::string message) -> std::optional<FtdiTarget> {
        error = std::move(message);
        return std::nullopt;
    };
    if (!IsFtdiTarget(target)) return fail("an FTDI adapter is named ftdi:VID:PID[:SERIAL][:PINMAP]");
    std::string_view rest = target.substr(kPrefix.size());
    std::vector<std::string_view> fields;
    while (true) {
        const std::size_t colon = rest.find(':');
        fields.push_back(rest.substr(0, colon));
        if (colon == std::string_view::npos) break;
        rest = rest.substr(colon + 1);
    }
    if (fields.size() < 2 || fields.size() > 4)
        return fail("an FTDI adapter is named ftdi:VID:PID[:SERIAL][:PINMAP], e.g. ftdi:0403:6001");

    FtdiTarget result;
    const auto vendor = ParseUsbId(fields[0]);
    const auto product = ParseUsbId(fields[1]);
    if (!vendor || !product)
        return fail("\"" + std::string(fields[0]) + ":" + std::string(fields[1]) +
                    "\" is not a USB id VID:PID of up to four hexadecimal digits each (e.g. 0403:6001)");
    result.vendor = *vendor;
    result.product = *product;

    std::optional<std::string_view> serial;
    std::optional<std::string_view> pinMap;
    if (fields.size() == 4) {
        serial = fields[2];
        pinMap = fields[3];
    } else if (fields.size() == 3) {
        (fields[2].find('=') != std::string_view::npos ? pinMap : serial) = fields[2];
    }
    if (serial) {
        if (!IsSerialText(*serial))
            return fail("\"" + std::string(*serial) +
                        "\" is not a serial number (up to 64 printable characters without spaces, ',' or '=')");
        result.serial = std::string(*serial);
    }
    if (pinMap) {
        std::string pinError;
        auto pins = FtdiPinMap::Parse(*pinMap, pinError);
        if (!pins) return fail(pinError);
        result.pins = *pins;
    }
    return result;
}

std::string FtdiTarget::IdText() const
{
    std::string text = UsbIdText(vendor) + ":" + UsbIdText(product);
    if (!serial.empty()) text += ":" + serial;
    return text;
}

} // namespace zav
