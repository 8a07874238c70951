#pragma once

#include <cstdint>

namespace zav {

// The buffer range a save writes.
struct SaveOptions {
    // Inclusive buffer range; never reversed, highAddress never above the last address.
    std::int32_t lowAddress = 0;
    std::int32_t highAddress = 0xFFFF;
    // Also write unimplemented cells (the text formats; a binary save writes every cell).
    bool saveUnimplemented = false;
};

} // namespace zav
