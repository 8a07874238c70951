#include "operations/serial_number.h"

#include <algorithm>
#include <limits>

#include "buffer/memory_buffer.h"
#include "buffer/numeric_helpers.h"

namespace zav {

namespace {

constexpr int kMaxBytes = 8;

std::optional<SerialFormat> FormatNamed(std::string_view name)
{
    if (name == "be") return SerialFormat::BigEndian;
    if (name == "le") return SerialFormat::LittleEndian;
    if (name == "bcd") return SerialFormat::Bcd;
    if (name == "ascii") return SerialFormat::Ascii;
    return std::nullopt;
}

std::vector<std::string_view> Fields(std::string_view text)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t colon = text.find(':', start);
        fields.push_back(
            text.substr(start, colon == std::string_view::npos ? std::string_view::npos : colon - start));
        if (colon == std::string_view::npos) return fields;
        start = colon + 1;
    }
}

std::uint64_t PowerOfTen(int exponent)
{
    std::uint64_t value = 1;
    for (int i = 0; i < exponent; ++i) value *= 10;
    return value;
}

int DecimalDigits(std::uint64_t value)
{
    int digits = 1;
    while (value >= 10) {
        value /= 10;
        ++digits;
    }
    return digits;
}

} // namespace

bool ParseSerialNumbering(std::string_view text, SerialNumbering& numbering, std::string& error)
{
    const std::vector<std::string_view> fields = Fields(text);
    if (fields.size() < 3 || fields.size() > 5) {
        error = "expected ADDR:BYTES:START[:STEP][:FORMAT]";
        return false;
    }
    SerialNumbering parsed;
    const auto address = ParseUnsignedNumber(fields[0]);
    if (!address || *address > static_cast<std::uint64_t>(MemoryBuffer::kLastAddress)) {
        error = "ADDR is not an address from 0 to 0xFFFF";
        return false;
    }
    parsed.address = static_cast<std::int32_t>(*address);
    const auto bytes = ParseUnsignedNumber(fields[1]);
    if (!bytes || *bytes < 1 || *bytes > kMaxBytes) {
        error = "BYTES is not a count from 1 to 8";
        return false;
    }
    parsed.bytes = static_cast<int>(*bytes);
    const auto start = ParseUnsignedNumber(fields[2]);
    if (!start) {
        error = "START is not a whole number (decimal, or hexadecimal after 0x)";
        return false;
    }
    parsed.start = *start;
    std::size_t next = 3;
    // The fourth field is the format when it names one, so STEP can be left out.
    if (next < fields.size() && !FormatNamed(fields[next])) {
        const auto step = ParseUnsignedNumber(fields[next]);
        if (!step || *step < 1) {
            error = "STEP is not a whole number from 1 up";
            return false;
        }
        parsed.step = *step;
        ++next;
    }
    if (next < fields.size()) {
        const auto format = FormatNamed(fields[next]);
        if (!format) {
            error = "FORMAT is not one of be, le, bcd, ascii";
            return false;
        }
        parsed.format = *format;
        ++next;
    }
    if (next != fields.size()) {
        error = "expected ADDR:BYTES:START[:STEP][:FORMAT]";
        return false;
    }
    if (parsed.address + parsed.bytes - 1 > MemoryBuffer::kLastAddress) {
        error = "the number's " + std::to_string(parsed.bytes) + " bytes at " + AddressText(parsed.address) +
                " run past 0xFFFF";
        return false;
    }
    numbering = parsed;
    return true;
}

std::uint64_t LargestSerial(const SerialNumbering& numbering)
{
    switch (numbering.format) {
    case SerialFormat::Bcd:
        return PowerOfTen(2 * numbering.bytes) - 1;
    case SerialFormat::Ascii:
        return PowerOfTen(numbering.bytes) - 1;
    case SerialFormat::BigEndian:
    case SerialFormat::LittleEndian:
        break;
    }
    if (numbering.bytes >= kMaxBytes) return std::numeric_limits<std::uint64_t>::max();
    return (std::uint64_t{1} << (8 * numbering.bytes)) - 1;
}

std::optional<std::vector<std::uint8_t>> EncodeSerial(const SerialNumbering& numbering, std::uint64_t value)
{
    if (value > LargestSerial(numbering)) return std::nullopt;
    const auto count = static_cast<std::size_t>(numbering.bytes);
    std::vector<std::uint8_t> bytes(count);
    // Filled from the last byte, which holds the least significant part, except for le.
    for (std::size_t i = count; i-- > 0;) {
        switch (numbering.format) {
        case SerialFormat::BigEndian:
        case SerialFormat::LittleEndian:
            bytes[i] = static_cast<std::uint8_t>(value & 0xFF);
            value >>= 8;
            break;
        case SerialFormat::Bcd:
            bytes[i] = static_cast<std::uint8_t>((value % 10) | ((value / 10 % 10) << 4));
            value /= 100;
            break;
        case SerialFormat::Ascii:
            bytes[i] = static_cast<std::uint8_t>('0' + value % 10);
            value /= 10;
            break;
        }
    }
    if (numbering.format == SerialFormat::LittleEndian) std::reverse(bytes.begin(), bytes.end());
    return bytes;
}

std::string SerialText(const SerialNumbering& numbering, std::uint64_t value)
{
    std::string digits = std::to_string(value);
    const int width = DecimalDigits(LargestSerial(numbering));
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return digits;
}

std::string SerialPlacementProblem(const SerialNumbering& numbering, const AddressRange& eeprom,
                                   const MemoryBuffer& buffer)
{
    const std::int32_t last = numbering.address + numbering.bytes - 1;
    if (!eeprom.Contains(numbering.address) || !eeprom.Contains(last)) {
        return "the serial number at " + AddressText(numbering.address) + "-" + AddressText(last) +
               " leaves the device's EEPROM " + AddressText(eeprom.first) + "-" + AddressText(eeprom.last);
    }
    for (std::int32_t address = numbering.address; address <= last; ++address) {
        if (buffer.IsReadOnly(address))
            return "the serial number would overwrite the read-only cell " + AddressText(address);
    }
    return {};
}

bool WriteSerial(const SerialNumbering& numbering, std::uint64_t value, MemoryBuffer& buffer)
{
    const auto bytes = EncodeSerial(numbering, value);
    if (!bytes) return false;
    for (std::size_t i = 0; i < bytes->size(); ++i)
        buffer.SetByte(numbering.address + static_cast<std::int32_t>(i), (*bytes)[i]);
    return true;
}

} // namespace zav
