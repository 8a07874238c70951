#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zav {

// One parsed line of an X or S file.
struct FileRecord {
    // The two type characters, upper-cased ("X7", "S1").
    std::string type;
    std::uint32_t address = 0;
    std::vector<std::uint8_t> data;
};

} // namespace zav
