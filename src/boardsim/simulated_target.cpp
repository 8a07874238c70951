#include "boardsim/simulated_target.h"

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "files/safe_file_writer.h"

namespace zav {

SimulatedTarget::SimulatedTarget(const Clock& clock, int writeTimeMs, std::optional<std::uint16_t> stuckCell)
    : clock_(clock), writeTimeUs_(std::int64_t{writeTimeMs} * 1000), stuckCell_(stuckCell)
{
    // Erased EEPROM reads as 0xFF.
    memory_.fill(0xFF);
}

void SimulatedTarget::SetProgramming(std::uint16_t first, std::uint16_t last, CellProgramming programming)
{
    regions_.push_back({first, last, programming});
}

CellProgramming SimulatedTarget::ProgrammingAt(std::uint16_t address) const
{
    for (const Region& region : regions_) {
        if (address >= region.first && address <= region.last) return region.programming;
    }
    return CellProgramming::Replace;
}

void SimulatedTarget::CompleteDueWrite()
{
    if (!pending_) return;
    const std::int64_t now = clock_.NowUs();
    if (!pendingErase_ && !onesWritten_ && ProgrammingAt(pendingFirst_) == CellProgramming::OnesThenZeros &&
        now >= pendingDoneUs_ - writeTimeUs_ / 2) {
        onesWritten_ = true;
        if (!stuckCell_ || *stuckCell_ != pendingFirst_) memory_[pendingFirst_] |= pendingValue_;
    }
    if (now >= pendingDoneUs_) FinishPending();
}

void SimulatedTarget::FinishPending()
{
    pending_ = false;
    for (std::uint32_t address = pendingFirst_; address <= pendingLast_; ++address) {
        if (stuckCell_ && *stuckCell_ == address) continue;
        std::uint8_t& cell = memory_[address];
        if (pendingErase_) {
            cell = 0xFF;
            continue;
        }
        switch (ProgrammingAt(static_cast<std::uint16_t>(address))) {
        case CellProgramming::Replace:
            cell = pendingValue_;
            break;
        case CellProgramming::ClearBitsOnly:
            cell &= pendingValue_;
            break;
        case CellProgramming::OnesThenZeros:
            // Both steps, the first one too when nobody looked half-way.
            cell = static_cast<std::uint8_t>((cell | pendingValue_) & pendingValue_);
            break;
        }
    }
}

void SimulatedTarget::Start(std::uint16_t first, std::uint16_t last, std::uint8_t value, bool erase)
{
    CompleteDueWrite();
    if (pending_) {
        // The EEPROM is still programming: like the real part, it ignores the new write.
        ++lostWrites_;
        return;
    }
    pending_ = true;
    pendingErase_ = erase;
    onesWritten_ = false;
    pendingFirst_ = first;
    pendingLast_ = last;
    pendingValue_ = value;
    pendingDoneUs_ = clock_.NowUs() + writeTimeUs_;
    ++writeCount_;
    CompleteDueWrite();
}

std::uint8_t SimulatedTarget::Read(std::uint16_t address)
{
    CompleteDueWrite();
    return memory_[address];
}

void SimulatedTarget::Write(std::uint16_t address, std::uint8_t value)
{
    anyWrite_ = true;
    lastWriteAddress_ = address;
    lastWriteValue_ = value;
    Start(address, address, value, false);
}

std::optional<std::uint8_t> SimulatedTarget::LastWriteTo(std::uint16_t address) const
{
    if (!anyWrite_ || lastWriteAddress_ != address) return std::nullopt;
    return lastWriteValue_;
}

void SimulatedTarget::Erase(std::uint16_t first, std::uint16_t last)
{
    if (first <= last) Start(first, last, 0xFF, true);
}

void SimulatedTarget::CompleteStartedWrite()
{
    if (pending_) FinishPending();
}

bool SimulatedTarget::Busy() const
{
    return pending_ && clock_.NowUs() < pendingDoneUs_;
}

bool SimulatedTarget::LoadImage(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::array<std::uint8_t, kSize> image{};
    image.fill(0xFF);
    file.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(image.size()));
    const std::streamsize got = file.gcount();
    if ((got != 0 && got != static_cast<std::streamsize>(kSize)) ||
        file.peek() != std::ifstream::traits_type::eof()) {
        return false;
    }
    pending_ = false;
    memory_ = image;
    return true;
}

bool SimulatedTarget::SaveImage(const std::filesystem::path& path)
{
    CompleteStartedWrite();
    std::string failure;
    return WriteFileSafely(
        path, std::string_view(reinterpret_cast<const char*>(memory_.data()), memory_.size()), failure);
}

} // namespace zav
