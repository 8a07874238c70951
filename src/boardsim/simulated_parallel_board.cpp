#include "boardsim/simulated_parallel_board.h"

#include "link/board_commands.h"
#include "link/port_name.h"

namespace zav {

namespace {

// With nothing attached the status inputs float high.
constexpr std::uint8_t kFloatingStatus = 0xF8;
constexpr std::uint8_t kWrongId = 0x5A;
constexpr std::uint16_t kHc11ConfigAddress = 0x103F;
constexpr std::uint8_t kHc11NoSecurityBit = 0x08;
constexpr std::uint16_t kHc11EepromFirst = 0xB600;
constexpr std::uint16_t kHc11EepromLast = 0xB7FF;
constexpr std::int64_t kHc11RomReadyUs = 1'600'000;

// How long the reset must be held, and how long the board then needs before it takes pulses.
std::int64_t ResetHoldUs(std::uint8_t code)
{
    if (code == 4) return 1'000;
    return code >= 5 ? 50'000 : 100'000;
}
std::int64_t StartupUs(std::uint8_t code)
{
    if (code == 4) return 1'500'000;
    return code >= 5 ? 500'000 : 800'000;
}
// The data line level the board samples through its reset.
std::uint8_t ResetDataLevel(std::uint8_t code)
{
    return code >= 5 ? 1 : 0;
}

std::uint8_t Reversed(std::uint8_t value)
{
    std::uint8_t reversed = 0;
    for (int i = 0; i < 8; ++i) reversed = static_cast<std::uint8_t>((reversed << 1) | ((value >> i) & 1));
    return reversed;
}

bool IsFramed(std::uint8_t code)
{
    return code == 7 || code == 8;
}
bool IsMsbFirst(std::uint8_t code)
{
    return code >= 4 && code <= 6;
}
bool IsTms370Commands(std::uint8_t code)
{
    return code == 5 || code == 6;
}
// Codes 2, 4, 5 and 6 put a bit out before the host's clock pulse, the others after it.
bool PresentsBeforePulse(std::uint8_t code)
{
    return code == 2 || IsMsbFirst(code);
}

std::uint8_t ProtocolCodeOf(const BoardSimOptions& options)
{
    if (options.oldBoard && options.boardCode == 6) return 5;
    if (options.oldBoard && options.boardCode == 8) return 7;
    return options.boardCode;
}

} // namespace

SimulatedParallelBoard::SimulatedParallelBoard(SimulatedTarget& target, const BoardSimOptions& options,
                                               const Clock& clock, VirtualClock* virtualClock)
    : target_(target), options_(options), clock_(clock), virtualClock_(virtualClock),
      code_(ProtocolCodeOf(options))
{
}

std::uint16_t SimulatedParallelBoard::BaseAddress(int portNumber)
{
    if (portNumber < 1 || portNumber > static_cast<int>(kBaseAddresses.size())) return 0;
    return kBaseAddresses[static_cast<std::size_t>(portNumber - 1)];
}

bool SimulatedParallelBoard::Claim(int portNumber)
{
    if (BaseAddress(portNumber) == 0) return false;
    ++claims_[static_cast<std::size_t>(portNumber - 1)];
    return true;
}

void SimulatedParallelBoard::Release(int portNumber)
{
    if (BaseAddress(portNumber) == 0) return;
    int& claims = claims_[static_cast<std::size_t>(portNumber - 1)];
    if (claims > 0) --claims;
    if (claims == 0) dataAtRelease_ = data_;
    // The link lets go of the board: the part finishes the write it has started.
    target_.CompleteStartedWrite();
}

std::string SimulatedParallelBoard::ReleaseFault() const
{
    if (dataAtRelease_.value_or(0) == 0) return {};
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const std::uint8_t data = *dataAtRelease_;
    return std::string("the port was given back with its data lines high (0x") + kDigits[data >> 4] +
           kDigits[data & 0x0F] + ")";
}

int SimulatedParallelBoard::ClaimCount(int portNumber) const
{
    if (portNumber < 1 || portNumber > static_cast<int>(claims_.size())) return 0;
    return claims_[static_cast<std::size_t>(portNumber - 1)];
}

int SimulatedParallelBoard::SlowClockTest()
{
    return options_.slowPortWrites ? 1 : 0;
}

std::string SimulatedParallelBoard::FailureCause() const
{
    return "the simulated PC has only " + PortName::RangeText(PortName::Kind::Parallel);
}

int SimulatedParallelBoard::RegisterOffset(std::uint16_t address) const
{
    for (const std::uint16_t base : kBaseAddresses) {
        if (address >= base && address <= base + kControlOffset) return address - base;
    }
    return -1;
}

std::uint8_t SimulatedParallelBoard::Read(std::uint16_t address)
{
    if (virtualClock_ != nullptr) virtualClock_->AdvanceUs(1);
    switch (RegisterOffset(address)) {
    case kDataOffset:
        return data_;
    case kStatusOffset:
        return Status();
    case kControlOffset:
        return ControlReadBack();
    default:
        return 0xFF;
    }
}

void SimulatedParallelBoard::Write(std::uint16_t address, std::uint8_t value)
{
    if (virtualClock_ != nullptr) virtualClock_->AdvanceUs(1);
    switch (RegisterOffset(address)) {
    case kDataOffset:
        if ((control_ & kControlReset) != 0 && ((data_ ^ value) & 1) != 0) dataMovedInReset_ = true;
        data_ = value;
        break;
    case kControlOffset:
        OnControlWrite(value);
        break;
    default:
        break;
    }
}

bool SimulatedParallelBoard::Busy() const
{
    return options_.neverReady || target_.Busy();
}

std::uint8_t SimulatedParallelBoard::Status() const
{
    if (options_.noBoard) return kFloatingStatus;
    // Unframed boards answer on the line the host drives too: a host holding it low wins.
    const bool lineHigh = dataOut_ != 0 && (IsFramed(code_) || (data_ & 1) != 0);
    std::uint8_t status = lineHigh ? kStatusData : 0;
    if (code_ == 2) {
        if (Busy()) status |= kStatusReady;
    } else if ((code_ == 0 || code_ == 3) && !options_.clockReadback) {
        // This board kind drives status bit 3 with the inverted clock while it is idle.
        if (!Busy() && (control_ & kControlClock) == 0) status |= kStatusReady;
    }
    return status;
}

std::uint8_t SimulatedParallelBoard::ControlReadBack() const
{
    // A busy board holds the clock line high, which the control register reads back.
    if (!options_.noBoard && (code_ == 0 || code_ == 3) && Busy()) return control_ | kControlClock;
    return control_;
}

void SimulatedParallelBoard::OnControlWrite(std::uint8_t value)
{
    const std::uint8_t previous = control_;
    control_ = value;
    if (options_.noBoard) return;
    if ((value & kControlReset) != 0) {
        if ((previous & kControlReset) == 0) OnResetStart();
        // Held in reset: the board forgets any half-done transfer.
        mode_ = Mode::Receiving;
        phase_ = Phase::Command;
        bitIndex_ = 0;
        shift_ = 0;
        dataOut_ = 1;
        return;
    }
    if ((previous & kControlReset) != 0) {
        resetEndUs_ = clock_.NowUs();
        if (!ResetWasValid()) {
            awakeFromUs_ = kNever;
            return;
        }
        awakeFromUs_ = resetEndUs_ + StartupUs(code_);
        OnReleaseFromReset();
        return;
    }
    const std::uint8_t idleClock = code_ <= 3 ? 0 : kControlClock;
    const bool clockChanged = ((previous ^ value) & kControlClock) != 0;
    // The board acts when the clock returns to its idle level, ending a pulse, once it runs.
    if (clockChanged && (value & kControlClock) == idleClock && clock_.NowUs() >= awakeFromUs_)
        OnClockPulse();
}

void SimulatedParallelBoard::OnResetStart()
{
    resetStartUs_ = clock_.NowUs();
    dataAtResetStart_ = data_ & 1;
    dataMovedInReset_ = false;
}

bool SimulatedParallelBoard::ResetWasValid() const
{
    return resetEndUs_ - resetStartUs_ >= ResetHoldUs(code_) && dataAtResetStart_ == ResetDataLevel(code_) &&
           !dataMovedInReset_;
}

void SimulatedParallelBoard::OnReleaseFromReset()
{
    switch (code_) {
    case 2:
    case 4:
        StartSending(BoardId());
        break;
    case 5:
    case 6:
        // One synchronising pulse follows every reset.
        mode_ = Mode::Skipping;
        afterSkip_ = Mode::Receiving;
        skipPulses_ = 1;
        break;
    case 7:
    case 8:
        // The identification goes out after one start pulse.
        StartSending(BoardId());
        mode_ = Mode::Skipping;
        afterSkip_ = Mode::Sending;
        skipPulses_ = 1;
        break;
    default:
        break;
    }
}

void SimulatedParallelBoard::OnClockPulse()
{
    switch (mode_) {
    case Mode::Skipping:
        if (--skipPulses_ <= 0) mode_ = afterSkip_;
        break;
    case Mode::Receiving:
        ReceiveBit(data_ & 1);
        break;
    case Mode::Sending:
        PresentNextBit();
        break;
    }
}

void SimulatedParallelBoard::ReceiveBit(std::uint8_t bit)
{
    if (IsFramed(code_)) {
        // Frame: start bit, eight data bits least significant first, stop bit.
        if (bitIndex_ >= 1 && bitIndex_ <= 8) shift_ |= static_cast<std::uint8_t>(bit << (bitIndex_ - 1));
        if (++bitIndex_ < 10) return;
    } else {
        if (IsMsbFirst(code_)) {
            shift_ = static_cast<std::uint8_t>((shift_ << 1) | bit);
        } else {
            shift_ |= static_cast<std::uint8_t>(bit << bitIndex_);
        }
        if (++bitIndex_ < 8) return;
    }
    const std::uint8_t byte = shift_;
    bitIndex_ = 0;
    shift_ = 0;
    OnByte(byte);
}

void SimulatedParallelBoard::OnByte(std::uint8_t byte)
{
    switch (phase_) {
    case Phase::Command:
        if (Busy()) {
            ++refusedCommands_;
            break;
        }
        OnCommand(byte);
        break;
    case Phase::AddressHigh:
        addressHigh_ = byte;
        phase_ = Phase::AddressLow;
        break;
    case Phase::AddressLow: {
        const std::uint8_t high = withHighByte_ ? addressHigh_ : LowAddressPage();
        address_ = static_cast<std::uint16_t>((high << 8) | byte);
        if (operation_ == Operation::Read) {
            phase_ = Phase::Command;
            StartSending(ValueAt(address_));
        } else {
            phase_ = Phase::Value;
        }
        break;
    }
    case Phase::Value:
        phase_ = Phase::Command;
        target_.Write(address_, byte);
        break;
    case Phase::EraseConfirm:
        phase_ = Phase::Command;
        if (byte == 0xAA) target_.Erase(kHc11EepromFirst, kHc11EepromLast);
        break;
    }
}

void SimulatedParallelBoard::OnCommand(std::uint8_t byte)
{
    const bool tms = IsTms370Commands(code_);
    const std::uint8_t readCommand = tms ? 0xC0 : 0xA0;
    const std::uint8_t writeCommand = tms ? 0xA0 : 0xC0;
    if (byte == readCommand) {
        operation_ = Operation::Read;
        withHighByte_ = !(code_ == 0 || code_ == 2 || code_ == 7);
    } else if (byte == writeCommand) {
        operation_ = Operation::Write;
        withHighByte_ = !(code_ == 0 || code_ == 2 || code_ == 5 || code_ == 7);
    } else if (code_ == 4 && byte == 0xC8) {
        phase_ = Phase::EraseConfirm;
        return;
    } else if (!tms && byte == 0xA8) {
        ++unlockCount_;
        if (code_ == 4) {
            const std::uint8_t config = target_.Read(kHc11ConfigAddress);
            target_.Write(kHc11ConfigAddress, config | kHc11NoSecurityBit);
        }
        return;
    } else {
        return;
    }
    phase_ = withHighByte_ ? Phase::AddressHigh : Phase::AddressLow;
}

void SimulatedParallelBoard::StartSending(std::uint8_t value)
{
    // What goes on the wire, first bit in bit 0: code 3 inverts, codes 4 to 6 send the
    // most significant bit first.
    if (code_ == 3) {
        sendWire_ = static_cast<std::uint8_t>(~value);
    } else if (IsMsbFirst(code_)) {
        sendWire_ = Reversed(value);
    } else {
        sendWire_ = value;
    }
    bitsSent_ = 0;
    mode_ = Mode::Sending;
    if (PresentsBeforePulse(code_)) dataOut_ = sendWire_ & 1;
}

void SimulatedParallelBoard::PresentNextBit()
{
    if (PresentsBeforePulse(code_)) {
        if (++bitsSent_ >= 8) {
            mode_ = Mode::Receiving;
            return;
        }
        dataOut_ = (sendWire_ >> bitsSent_) & 1;
        return;
    }
    if (bitsSent_ < 8) {
        dataOut_ = (sendWire_ >> bitsSent_) & 1;
        ++bitsSent_;
        // Framed codes still expect the stop pulse.
        if (bitsSent_ == 8 && !IsFramed(code_)) mode_ = Mode::Receiving;
        return;
    }
    mode_ = Mode::Receiving;
}

std::uint8_t SimulatedParallelBoard::ValueAt(std::uint16_t address)
{
    if (code_ == 3) {
        if (const auto rom = Hc11RomByte(address)) return *rom;
    }
    if (IsTms370Commands(code_) && address == 0x7F60) return BoardId();
    return target_.Read(address);
}

std::optional<std::uint8_t> SimulatedParallelBoard::Hc11RomByte(std::uint16_t address) const
{
    // The bootstrap program maps its ROM only once it has started.
    if (clock_.NowUs() - resetEndUs_ < kHc11RomReadyUs) return std::nullopt;
    switch (options_.hc11) {
    case Hc11Variant::PA8:
        if (address == 0xBFBE) return 0xE0;
        if (address == 0xBFBF) return 0x18;
        break;
    case Hc11Variant::P2:
        if (address == 0xBFBE) return 0x52;
        if (address == 0xBFBF) return 0x50;
        break;
    case Hc11Variant::KA4:
        if (address == 0xBFD4) return 0x54;
        if (address == 0xBFD5) return 0x4B;
        break;
    case Hc11Variant::None:
        break;
    }
    return std::nullopt;
}

std::uint8_t SimulatedParallelBoard::LowAddressPage() const
{
    // Boards that get only the low address byte serve one 256-byte page.
    if (code_ == 0 || code_ == 2) return 0x01;
    if (code_ == 5 || code_ == 7) return 0x1F;
    return 0x00;
}

std::uint8_t SimulatedParallelBoard::BoardId() const
{
    if (options_.wrongId) return kWrongId;
    switch (code_) {
    case 2:
        return 0xA1;
    case 4:
        return 0x7B;
    case 5:
        return 0x40;
    case 6:
        return 0xA7;
    case 7:
        return 0x66;
    case 8:
        return 0x3A;
    default:
        return 0xFF;
    }
}

} // namespace zav
