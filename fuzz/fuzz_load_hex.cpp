// A whole file of any content loads without a crash, a leak or a write out of range.
#include "fuzz_buffer_file_load.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    zav::fuzzing::LoadWholeFile(data, size, zav::FileFormat::IntelHex);
    return 0;
}
