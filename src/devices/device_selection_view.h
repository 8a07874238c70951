#pragma once

#include <cstdint>

#include "devices/sequence_option.h"

namespace zav {

// What a device selection changes outside the buffer: whether each sequence option may be
// used (never whether it is pressed), and which address the hex editor shows at its top.
class DeviceSelectionView {
public:
    virtual ~DeviceSelectionView() = default;
    virtual void SetOptionEnabled(SequenceOption option, bool enabled) = 0;
    virtual void ShowAddressAtTop(std::int32_t address) = 0;
};

} // namespace zav
