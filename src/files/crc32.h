#pragma once

#include <cstdint>
#include <string_view>

namespace zav {

// The buffer checksum's CRC-32 (that of zip, PNG and cksum -a crc32b) over file or text
// bytes, so a logged checksum can be compared with what common tools print. Feed a long input
// piece by piece by passing the previous result as `crc`.
[[nodiscard]] std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc = 0);

} // namespace zav
