#include "files/crc32.h"

#include <span>

#include "buffer/checksum.h"

namespace zav {

std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc)
{
    // The same checksum the editor shows, so one table serves the buffer and the files.
    const auto* first = reinterpret_cast<const std::uint8_t*>(bytes.data());
    return Crc32(std::span<const std::uint8_t>(first, bytes.size()), crc);
}

} // namespace zav
