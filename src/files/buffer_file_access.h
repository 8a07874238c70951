#pragma once

#include <memory>
#include <optional>
#include <string>

namespace zav {

class MemoryBuffer;
class MessageBoxes;

// A fresh buffer as the main window holds it once `device` is chosen: 0x00 everywhere, only
// the device's cells implemented; every cell implemented without a device. Null (after the
// memory box) when it cannot be allocated.
[[nodiscard]] std::unique_ptr<MemoryBuffer> CreateToolBuffer(const std::optional<std::string>& device,
                                                             MessageBoxes& boxes);

} // namespace zav
