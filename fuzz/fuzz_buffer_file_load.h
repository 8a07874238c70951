#pragma once

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "buffer/memory_buffer.h"
#include "files/buffer_file_loader.h"
#include "messages/status_sink.h"

namespace zav::fuzzing {

class DiscardingStatus : public StatusSink {
public:
    void AddStatusMessage(const std::string&, StatusKind) override {}
};

// Loads the input as a whole file. The input's length picks one of a few option sets, so
// ranges, offsets and clearing are exercised without spending input bytes. One buffer serves
// every run: a load starts by emptying the description, and building a buffer (with its undo
// stack) for each run would cost more than the load.
inline void LoadWholeFile(const std::uint8_t* data, std::size_t size, FileFormat format)
{
    static constexpr LoadOptions kOptionSets[] = {
        {0x000000, 0xFFFFFF, 0, ClearMode::None},
        {0x000100, 0x0001FF, -0x100, ClearMode::None},
        {0x000000, 0xFFFFFF, 0xFFF0, ClearMode::None},
        {0x010000, 0xFFFFFF, -0x10000, ClearMode::Ones},
    };
    static MemoryBuffer buffer;
    buffer.SetUnimplemented(0x0010, true);
    buffer.SetReadOnly(0x0020, true);
    DiscardingStatus status;
    std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
    const LoadOptions& options = kOptionSets[size % std::size(kOptionSets)];
    (void)LoadBufferStream(input, "fuzz", format, options, buffer, status);
}

} // namespace zav::fuzzing
