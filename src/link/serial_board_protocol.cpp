#include "link/serial_board_protocol.h"

#include <array>

#include "link/board_commands.h"
#include "link/loader_image.h"

namespace zav {

namespace {

constexpr std::uint32_t kReadTimeoutMs = 100;
// A write waits at most this long in all, in slices short enough that a stop request ends
// a blocked write within one slice.
constexpr std::uint32_t kWriteTimeoutMs = 1000;
constexpr std::uint32_t kWriteSliceMs = 50;
// The loader needs this long after each byte, and to add up its sum after the last.
constexpr int kByteGapMs = 1;
constexpr int kReplyAfterReadCommandMs = 10;
constexpr int kLoaderSumMs = 100;
// The loader drops a command whose bytes come more than 5 ms apart and takes the late byte
// for the start of a new one. The link counts a byte late a millisecond sooner, for the
// line's own delays; resending a command the loader did hear only writes the same again.
constexpr std::int64_t kLateByteUs = 4'000;

std::uint8_t LowByte(std::uint16_t address)
{
    return static_cast<std::uint8_t>(address & 0xFF);
}

} // namespace

SerialBoardProtocol::SerialBoardProtocol(SerialPort& port, const BoardProfile& profile, LinkContext& context)
    : port_(port), profile_(profile), context_(context)
{
}

bool SerialBoardProtocol::Open(const std::string& portName, std::string& cause)
{
    if (!port_.Open(portName)) {
        cause = port_.FailureCause();
        return false;
    }
    open_ = true;

    SerialTimeouts timeouts;
    if (!port_.GetTimeouts(timeouts)) return false;
    savedTimeouts_ = timeouts;
    SerialTimeouts oneByteReads;
    oneByteReads.readTotalConstant = kReadTimeoutMs;
    oneByteReads.writeTotalConstant = kWriteSliceMs;
    if (!port_.SetTimeouts(oneByteReads)) return false;

    SerialLineSettings settings;
    if (!port_.GetLineSettings(settings)) return false;
    savedLineSettings_ = settings;
    // The line carries binary bytes: 8N1 without any flow control, whatever the port had.
    settings.baudRate = 9600;
    settings.dataBits = 8;
    settings.stopBits = 1;
    settings.parity = SerialParity::None;
    settings.parityCheck = false;
    settings.xonXoff = false;
    settings.ctsOutputFlow = false;
    settings.dsrOutputFlow = false;
    settings.dsrSensitivity = false;
    settings.dtrOn = true;
    settings.rtsOn = true;
    return port_.SetLineSettings(settings);
}

void SerialBoardProtocol::Close()
{
    if (!open_) return;
    (void)port_.PurgeReceive();
    if (savedTimeouts_) (void)port_.SetTimeouts(*savedTimeouts_);
    if (savedLineSettings_) (void)port_.SetLineSettings(*savedLineSettings_);
    port_.Close();
    open_ = false;
    savedTimeouts_.reset();
    savedLineSettings_.reset();
}

bool SerialBoardProtocol::WaitReady(std::optional<std::int64_t> deadlineUs)
{
    return context_.WaitUntilReady([] { return true; }, "", deadlineUs);
}

void SerialBoardProtocol::ResetTarget()
{
    // Modem-line changes are best effort: the wiring, not the call, decides the reset.
    context_.PlayReset(reset_waveforms::kSerial, [this](const ResetStep& step) {
        if (step.action == ResetAction::Dtr) (void)port_.SetDtr(step.value != 0);
        if (step.action == ResetAction::Rts) (void)port_.SetRts(step.value != 0);
    });
}

bool SerialBoardProtocol::Write(std::uint8_t value)
{
    for (std::uint32_t waited = 0; waited < kWriteTimeoutMs; waited += kWriteSliceMs) {
        if (port_.WriteByte(value)) return true;
        if (context_.StopRequested()) {
            context_.lastError = LinkContext::kNotReady;
            return false;
        }
    }
    context_.lastError = LinkContext::kCommunicationError;
    return false;
}

std::optional<std::uint8_t> SerialBoardProtocol::ReadReply()
{
    std::uint8_t value = 0;
    switch (port_.ReadByte(value)) {
    case SerialReadResult::Received:
        return value;
    case SerialReadResult::TimedOut:
        return std::nullopt;
    case SerialReadResult::Failed:
        break;
    }
    context_.lastError = LinkContext::kCommunicationError;
    return std::nullopt;
}

std::uint8_t SerialBoardProtocol::ReadBoardId()
{
    if (profile_.tmsCommands) return ReadByteAt(kBoardIdAddress);
    (void)WaitReady(std::nullopt);
    return 0;
}

bool SerialBoardProtocol::SendCommand(std::span<const std::uint8_t> bytes, int afterLastMs, bool forAnAnswer)
{
    for (;;) {
        // A byte left over from an earlier exchange would be taken for the answer.
        if (forAnAnswer && !port_.PurgeReceive()) {
            context_.lastError = LinkContext::kCommunicationError;
            return false;
        }
        bool late = false;
        std::int64_t previousStartUs = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            // The byte went out between these two readings: measured from the start of
            // the one before, no delay between the two goes unseen.
            const std::int64_t startUs = context_.Time().NowUs();
            if (!Write(bytes[i])) return false;
            late = late || (i > 0 && context_.Time().NowUs() - previousStartUs > kLateByteUs);
            previousStartUs = startUs;
            context_.Sleep(i + 1 < bytes.size() ? kByteGapMs : afterLastMs);
        }
        // The wait after the last byte outlasts the loader's limit, so it has dropped
        // whatever it heard of a late command by now.
        if (!late) return true;
        // As the loader's upload, a command is sent until it goes through or the user stops.
        if (context_.StopRequested()) {
            context_.lastError = LinkContext::kNotReady;
            return false;
        }
    }
}

std::uint8_t SerialBoardProtocol::ReadByteAt(std::uint16_t address)
{
    if (!WaitReady(std::nullopt)) return 0;
    const std::array<std::uint8_t, 2> command{profile_.readCommand, LowByte(address)};
    if (!SendCommand(command, kReplyAfterReadCommandMs, true)) return 0;
    return ReadReply().value_or(0);
}

void SerialBoardProtocol::WriteByteAt(std::uint16_t address, std::uint8_t value)
{
    if (!WaitReady(std::nullopt)) return;
    const std::array<std::uint8_t, 3> command{profile_.writeCommand, LowByte(address), value};
    (void)SendCommand(command, kInitialSettleDelayMs, false);
}

bool SerialBoardProtocol::UploadLoader()
{
    const std::uint8_t sum = LoaderImageSum();
    if (!port_.PurgeTransmit()) {
        context_.lastError = LinkContext::kCommunicationError;
        return false;
    }
    // The bootstrap ROM takes a length byte first: the image and the length byte itself.
    if (!Write(static_cast<std::uint8_t>(LoaderImage.size() + 1))) return false;
    context_.Sleep(kByteGapMs);
    for (const std::uint8_t byte : LoaderImage) {
        if (!Write(byte)) return false;
        context_.Sleep(kByteGapMs);
        if (!WaitReady(std::nullopt)) return false;
    }
    context_.Sleep(kLoaderSumMs);
    if (!WaitReady(std::nullopt)) return false;
    const std::optional<std::uint8_t> reply = ReadReply();
    return reply && *reply == sum;
}

void SerialBoardProtocol::SendEraseCommand()
{
    (void)SendCommand(kSerialEraseCommand, kInitialSettleDelayMs, false);
}

void SerialBoardProtocol::SendUnlockCommand()
{
    context_.Sleep(kEraseSettleMs);
}

} // namespace zav
