#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "buffer/address_range.h"

namespace zav {

class MemoryBuffer;

// How a serial number is laid out in the part's memory: big- or little-endian binary,
// packed BCD (two decimal digits a byte, most significant first), or ASCII decimal digits
// padded with zeros.
enum class SerialFormat { BigEndian, LittleEndian, Bcd, Ascii };

// Where each part's number goes and how the numbers run: ADDR:BYTES:START[:STEP][:FORMAT].
struct SerialNumbering {
    std::int32_t address = 0;
    int bytes = 1;
    std::uint64_t start = 0;
    std::uint64_t step = 1;
    SerialFormat format = SerialFormat::BigEndian;

    bool operator==(const SerialNumbering&) const = default;
};

// Reads ADDR:BYTES:START[:STEP][:FORMAT] (numbers decimal, or hexadecimal after 0x; BYTES
// 1 to 8; STEP from 1; FORMAT be, le, bcd or ascii, default be). Returns false with `error`
// naming the faulty field; `numbering` is then untouched.
[[nodiscard]] bool ParseSerialNumbering(std::string_view text, SerialNumbering& numbering,
                                        std::string& error);

// The largest number BYTES bytes of the format hold.
[[nodiscard]] std::uint64_t LargestSerial(const SerialNumbering& numbering);

// The bytes written at numbering.address for `value`, first address first; none when the value
// does not fit.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> EncodeSerial(const SerialNumbering& numbering,
                                                                    std::uint64_t value);

// The number as people read it on a label and in the tally: decimal, padded with zeros to
// the width of the largest number the field holds ("000140" for three BCD bytes).
[[nodiscard]] std::string SerialText(const SerialNumbering& numbering, std::uint64_t value);

// Why the field cannot go into this part, or empty when it can: it must lie inside the
// device's EEPROM and touch no read-only cell of the buffer.
[[nodiscard]] std::string SerialPlacementProblem(const SerialNumbering& numbering, const AddressRange& eeprom,
                                                 const MemoryBuffer& buffer);

// Writes the encoded number into the buffer (the cells were checked by
// SerialPlacementProblem). False when the value does not fit.
[[nodiscard]] bool WriteSerial(const SerialNumbering& numbering, std::uint64_t value, MemoryBuffer& buffer);

} // namespace zav
