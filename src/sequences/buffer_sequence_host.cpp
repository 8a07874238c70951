#include "sequences/buffer_sequence_host.h"

#include "buffer/memory_buffer.h"

namespace zav {

void BufferSequenceHost::BeginUpdate()
{
    buffer_.BeginUpdate();
}

void BufferSequenceHost::SetByte(std::int32_t address, std::uint8_t value)
{
    buffer_.SetByte(address, value);
}

void BufferSequenceHost::EndUpdate()
{
    buffer_.EndUpdate();
}

std::uint8_t BufferSequenceHost::GetByte(std::int32_t address)
{
    return buffer_.GetByte(address);
}

} // namespace zav
