// Any line: ParseXLine either rejects it or yields a record that formats back to a line
// which parses to the same record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "files/x_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    zav::FileRecord record;
    if (!zav::ParseXLine(line, record)) return 0;
    zav::FileRecord again;
    if (!zav::ParseXLine(zav::FormatXLine(record.type, record.address, record.data), again) ||
        again.type != record.type || again.address != record.address || again.data != record.data) {
        std::abort();
    }
    return 0;
}
