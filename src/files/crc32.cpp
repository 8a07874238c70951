#include "files/crc32.h"

#include <span>

#include "buffer/checksum.h"

namespace zav {

std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc)
{
    return Crc32(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), crc);
}

} // namespace zav
