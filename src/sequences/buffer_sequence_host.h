#pragma once

#include "sequences/sequence_host.h"

namespace zav {

class MemoryBuffer;

// The buffer calls of a sequence host carried out on the program's MemoryBuffer, so the
// main window, the command line and the test and benchmark hosts only add what differs.
class BufferSequenceHost : public SequenceHost {
public:
    explicit BufferSequenceHost(MemoryBuffer& buffer) : buffer_(buffer) {}

    void BeginUpdate() override;
    void SetByte(std::int32_t address, std::uint8_t value) override;
    void EndUpdate() override;
    [[nodiscard]] std::uint8_t GetByte(std::int32_t address) override;

private:
    MemoryBuffer& buffer_;
};

} // namespace zav
