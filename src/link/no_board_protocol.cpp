#include "link/no_board_protocol.h"

#include "link/board_commands.h"

namespace zav {

bool NoBoardProtocol::WaitReady(std::optional<std::int64_t> deadlineUs)
{
    return context_.WaitUntilReady([] { return true; }, "", deadlineUs);
}

void NoBoardProtocol::FailAfterWait()
{
    if (WaitReady(std::nullopt)) context_.lastError = LinkContext::kCommunicationError;
}

std::uint8_t NoBoardProtocol::ReadByteAt(std::uint16_t /*address*/)
{
    FailAfterWait();
    return 0;
}

void NoBoardProtocol::WriteByteAt(std::uint16_t /*address*/, std::uint8_t /*value*/)
{
    FailAfterWait();
}

std::uint8_t NoBoardProtocol::ReadBoardId()
{
    // The TMS boards read their identification as a byte command; the others receive it.
    if (profile_->tmsCommands) return ReadByteAt(kBoardIdAddress);
    (void)WaitReady(std::nullopt);
    return 0;
}

std::string NoBoardProtocol::IdentifyHc11()
{
    context_.Sleep(kHc11RomStartMs);
    FailAfterWait();
    return {};
}

bool NoBoardProtocol::UploadLoader()
{
    context_.lastError = LinkContext::kCommunicationError;
    return false;
}

void NoBoardProtocol::SendUnlockCommand()
{
    context_.Sleep(kEraseSettleMs);
}

void NoBoardProtocol::CalibrateSettleDelay(std::uint16_t /*address*/)
{
    FailAfterWait();
}

} // namespace zav
