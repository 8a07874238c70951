// Any line: ParseIntelHexLine either rejects it or yields a record that re-formats to a line
// that parses to the same record.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "files/intel_hex_record.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    zav::IntelHexRecord record;
    if (!zav::ParseIntelHexLine(line, record)) return 0;
    zav::IntelHexRecord again;
    const auto type = static_cast<zav::IntelHexType>(record.type);
    zav::fuzzing::Check(
        zav::ParseIntelHexLine(zav::FormatIntelHexLine(type, record.address, record.data), again));
    zav::fuzzing::Check(again.type == record.type && again.address == record.address &&
                        again.data == record.data);
    return 0;
}
