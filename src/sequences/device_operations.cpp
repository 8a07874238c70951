#include "sequences/device_operations.h"

#include <vector>

#include "link/programmer_link.h"
#include "sequences/board_session.h"
#include "sequences/sequence_host.h"
#include "sequences/verify_report.h"

namespace zav {

namespace {

constexpr std::uint8_t kErased = 0xFF;

} // namespace

DeviceOperations::DeviceOperations(SequenceHost& host, BoardSession& session, int progressMaximum,
                                   VerifyReport& verifyReport)
    : host_(host), session_(session), progressMaximum_(progressMaximum), verifyReport_(verifyReport)
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
        const std::uint8_t wanted = expected[static_cast<std::size_t>(address - range.first)];
        if (*value != wanted) {
            if (const auto line = verifyReport_.Add({address, wanted, *value}))
                host_.AddStatusMessage(*line, StatusKind::Error);
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
