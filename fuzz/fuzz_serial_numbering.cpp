// The --serial ADDR:BYTES:START[:STEP][:FORMAT] parser on arbitrary text: it must never
// crash, a refused text must leave the numbering untouched, and an accepted one must describe a
// field that stays inside the buffer and encodes its first number when that fits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "buffer/memory_buffer.h"
#include "operations/serial_number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const zav::SerialNumbering untouched;
    zav::SerialNumbering numbering;
    std::string error;
    if (!zav::ParseSerialNumbering(text, numbering, error)) {
        if (!(numbering == untouched) || error.empty()) std::abort();
        return 0;
    }
    if (numbering.bytes < 1 || numbering.bytes > 8 || numbering.step < 1) std::abort();
    if (numbering.address < 0 || numbering.address + numbering.bytes - 1 > zav::MemoryBuffer::kLastAddress)
        std::abort();
    const auto bytes = zav::EncodeSerial(numbering, numbering.start);
    if (bytes.has_value() != (numbering.start <= zav::LargestSerial(numbering))) std::abort();
    if (bytes && bytes->size() != static_cast<std::size_t>(numbering.bytes)) std::abort();
    if (zav::SerialText(numbering, numbering.start).empty()) std::abort();
    return 0;
}
