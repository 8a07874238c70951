#pragma once

#include "link/board_profile.h"
#include "link/board_protocol.h"
#include "link/link_context.h"

namespace zav {

// The link's protocol while no port is open (before Open, after Close or a failed Open):
// it touches no port. Waits honour only the stop request, reads and writes fail with
// "Communication Error.", so a caller that goes on after a failed open stops at its next
// byte command as it would on a board that vanished.
class NoBoardProtocol final : public BoardProtocol {
public:
    explicit NoBoardProtocol(LinkContext& context) : context_(context) {}
    // The board the next port is opened for; it decides how its identification is asked.
    void SetProfile(const BoardProfile& profile) { profile_ = &profile; }

    void Close() override {}
    bool WaitReady(std::optional<std::int64_t> deadlineUs) override;
    void ResetTarget() override {}
    std::uint8_t ReadByteAt(std::uint16_t address) override;
    void WriteByteAt(std::uint16_t address, std::uint8_t value) override;
    std::uint8_t ReadBoardId() override;
    std::string IdentifyHc11() override;
    bool UploadLoader() override;
    void SendEraseCommand() override {}
    void SendUnlockCommand() override;
    void CalibrateSettleDelay(std::uint16_t address) override;

private:
    // The wait every command starts with, then the failure of a port that is not there.
    void FailAfterWait();

    const BoardProfile* profile_ = &BoardProfileFor(0);
    LinkContext& context_;
};

} // namespace zav
