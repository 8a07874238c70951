#include "sequences/device_operations.h"

#include <cstdio>
#include <vector>

#include "link/programmer_link.h"
#include "sequences/board_session.h"
#include "sequences/sequence_host.h"

namespace zav {

namespace {

constexpr std::uint8_t kErased = 0xFF;

std::string VerifyErrorText(std::int32_t address)
{
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04X", static_cast<unsigned>(address & 0xFFFF));
    return std::string("Verify Error at Address : 0x") + digits;
}

} // namespace

DeviceOperations::DeviceOperations(SequenceHost& host, BoardSession& session, int progressMaximum)
    : host_(host), session_(session), progressMaximum_(progressMaximum)
{
}

void DeviceOperations::StartProgress()
{
    position_ = 0;
    host_.SetProgressMaximum(progressMaximum_);
    host_.SetProgressPosition(position_);
}

void DeviceOperations::StepProgress()
{
    host_.SetProgressPosition(++position_);
}

bool DeviceOperations::Erase(AddressRange range)
{
    for (std::int32_t address = range.first; address <= range.last; ++address) {
        if (!Write(address, kErased)) return false;
        StepProgress();
    }
    return true;
}

bool DeviceOperations::Program(AddressRange range)
{
    const std::vector<std::uint8_t> values = host_.GetBytes(range.first, range.last);
    for (std::int32_t address = range.first; address <= range.last; ++address) {
        if (!Write(address, values[static_cast<std::size_t>(address - range.first)])) return false;
        StepProgress();
    }
    return true;
}

bool DeviceOperations::Verify(AddressRange range, bool expectErased)
{
    std::vector<std::uint8_t> expected(static_cast<std::size_t>(range.Size()), kErased);
    if (!expectErased) expected = host_.GetBytes(range.first, range.last);
    for (std::int32_t address = range.first; address <= range.last; ++address) {
        const std::optional<std::uint8_t> value = Read(address);
        if (!value) return false;
        if (*value != expected[static_cast<std::size_t>(address - range.first)]) {
            host_.AddStatusMessage(VerifyErrorText(address), StatusKind::Error);
        }
        StepProgress();
    }
    return true;
}

bool DeviceOperations::Write(std::int32_t address, std::uint8_t value)
{
    session_.Link().WriteByteAt(static_cast<std::uint16_t>(address), value);
    return !session_.Failed();
}

bool DeviceOperations::WriteBufferValue(std::int32_t address)
{
    return Write(address, host_.GetByte(address));
}

std::optional<std::uint8_t> DeviceOperations::Read(std::int32_t address)
{
    const std::uint8_t value = session_.Link().ReadByteAt(static_cast<std::uint16_t>(address));
    if (session_.Failed()) return std::nullopt;
    return value;
}

} // namespace zav
