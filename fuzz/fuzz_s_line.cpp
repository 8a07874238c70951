// Any line: ParseSLine either rejects it or yields a record whose data re-formats to a line
// that parses to the same data (16-bit types keep their address too).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "files/s_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    zav::FileRecord record;
    if (!zav::ParseSLine(line, record)) return 0;
    if (record.type == "S2" || record.type == "S8") return 0;
    zav::FileRecord again;
    if (!zav::ParseSLine(zav::FormatSLine(record.type, record.address, record.data), again) ||
        again.type != record.type || again.address != record.address || again.data != record.data) {
        std::abort();
    }
    return 0;
}
