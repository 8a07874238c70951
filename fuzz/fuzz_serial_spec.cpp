// The --serial ADDR:BYTES:START[:STEP][:FORMAT] parser on arbitrary text: it must never
// crash, a refused text must leave the spec untouched, and an accepted one must describe a
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
    const zav::SerialSpec untouched;
    zav::SerialSpec spec;
    std::string error;
    if (!zav::ParseSerialSpec(text, spec, error)) {
        if (!(spec == untouched) || error.empty()) std::abort();
        return 0;
    }
    if (spec.bytes < 1 || spec.bytes > 8 || spec.step < 1) std::abort();
    if (spec.address < 0 || spec.address + spec.bytes - 1 > zav::MemoryBuffer::kLastAddress) std::abort();
    const auto bytes = zav::EncodeSerial(spec, spec.start);
    if (bytes.has_value() != (spec.start <= zav::LargestSerial(spec))) std::abort();
    if (bytes && bytes->size() != static_cast<std::size_t>(spec.bytes)) std::abort();
    if (zav::SerialText(spec, spec.start).empty()) std::abort();
    return 0;
}
