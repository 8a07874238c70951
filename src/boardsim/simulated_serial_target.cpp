#include "boardsim/simulated_serial_target.h"

#include "link/loader_image.h"

namespace zav {

namespace {

constexpr std::uint8_t kLoaderCountByte = static_cast<std::uint8_t>(LoaderImage.size() + 1);
constexpr std::uint16_t kEepromPage = 0x0300;
constexpr std::uint16_t kEepromLast = 0x03FF;

} // namespace

SimulatedSerialTarget::SimulatedSerialTarget(SimulatedTarget& target, const BoardSimOptions& options)
    : target_(target), options_(options)
{
}

void SimulatedSerialTarget::Reset()
{
    state_ = State::AwaitCount;
    phase_ = Phase::Command;
}

std::optional<std::uint8_t> SimulatedSerialTarget::Receive(std::uint8_t byte)
{
    if (options_.noBoard) return std::nullopt;
    switch (state_) {
    case State::AwaitCount:
        if (byte == kLoaderCountByte) {
            state_ = State::Loading;
            loaded_ = 0;
            sum_ = 0;
            imageMatches_ = true;
        }
        return std::nullopt;
    case State::Loading:
        return Load(byte);
    case State::Running:
        return RunCommand(byte);
    case State::Silent:
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::uint8_t> SimulatedSerialTarget::Load(std::uint8_t byte)
{
    sum_ = static_cast<std::uint8_t>(sum_ + byte);
    imageMatches_ = imageMatches_ && byte == LoaderImage[loaded_];
    if (++loaded_ < LoaderImage.size()) return std::nullopt;

    ++uploads_;
    if (uploads_ <= options_.loaderFailures) {
        // A failed start: the target says nothing until the next reset.
        state_ = State::Silent;
        return std::nullopt;
    }
    state_ = imageMatches_ ? State::Running : State::Silent;
    phase_ = Phase::Command;
    if (options_.wrongId) return static_cast<std::uint8_t>(~sum_);
    return sum_;
}

std::optional<std::uint8_t> SimulatedSerialTarget::RunCommand(std::uint8_t byte)
{
    switch (phase_) {
    case Phase::Command:
        if (byte == 0xC0)
            phase_ = Phase::ReadAddress;
        else if (byte == 0xA0)
            phase_ = Phase::WriteAddress;
        else if (byte == 0xE0)
            phase_ = Phase::EraseZero;
        return std::nullopt;
    case Phase::ReadAddress:
        phase_ = Phase::Command;
        return target_.Read(kEepromPage | byte);
    case Phase::WriteAddress:
        address_ = byte;
        phase_ = Phase::WriteValue;
        return std::nullopt;
    case Phase::WriteValue:
        phase_ = Phase::Command;
        target_.Write(kEepromPage | address_, byte);
        return std::nullopt;
    case Phase::EraseZero:
        phase_ = byte == 0x00 ? Phase::EraseFF : Phase::Command;
        return std::nullopt;
    case Phase::EraseFF:
        phase_ = Phase::Command;
        if (byte == 0xFF) target_.Erase(kEepromPage, kEepromLast);
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace zav
