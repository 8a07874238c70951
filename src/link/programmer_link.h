#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "link/board_profile.h"
#include "link/board_protocol.h"
#include "link/link_context.h"
#include "link/no_board_protocol.h"
#include "link/port_access.h"

namespace zav {

// One open connection to the programmer board, owned and used by one sequence worker.
//
// The board hangs on a parallel port (LPT1-LPT3), spoken to bit by bit through the data,
// clock (control bit 0), reset (control bit 1) and ready lines, or on a serial port
// (COM1-COM8) at 9600 baud for the MC68HC05L28. The board code (0 to 8, from the device
// catalogue) picks the bit order, framing, ready line, command bytes and address bytes.
// The link opens the protocol the port's kind needs (ParallelBoardProtocol or
// SerialBoardProtocol), forwards every operation to it and holds what both share; while no
// port is open it forwards to a NoBoardProtocol, which touches nothing.
//
// Nothing here throws. Every operation leaves LastError empty on success or holding the
// failure message; callers test it after every operation and stop at the first failure.
// The only state shared with another thread is the stop request, read by every wait.
class ProgrammerLink {
public:
    static constexpr std::uint8_t kBoardCodeCount = 9;

    // A closed link that will open its ports through `ports`; with no port access at all,
    // every open fails and closing touches nothing.
    explicit ProgrammerLink(const PortAccess& ports);
    ProgrammerLink(const ProgrammerLink&) = delete;
    ProgrammerLink& operator=(const ProgrammerLink&) = delete;
    // Closes the port if still open.
    ~ProgrammerLink();

    // Opens `portName` ("LPT1".."LPT3" or "COM1".."COM8", exact and case-sensitive) for
    // `boardCode`. `delayCount` (0 to 50; beyond, the nearest limit) sets the clock pulse
    // width in port writes.
    // The outcome is LastError: empty means open, otherwise "Error opening port: " and
    // the name, with the cause (when known) in ErrorCause. `stopRequest` must outlive
    // the link. A link already open is closed first. A board of code 0 or 3 that signals
    // ready through the clock line is refused where the port cannot read that line's level
    // (it could not be paced): the error then ends with ": " and how to get the levels.
    void Open(const std::string& portName, int delayCount, const std::atomic<bool>& stopRequest,
              std::uint8_t boardCode);
    // Restores and releases the port: a serial port is purged and gets back its settings
    // and timeouts, a parallel port gets 0 on the data lines. Safe to call twice.
    void Close();

    [[nodiscard]] const std::string& LastError() const { return context_.lastError; }
    // Why the port could not be opened (no such device, permission, held by another
    // driver, ...), meant as a warning beside LastError; empty when unknown.
    [[nodiscard]] const std::string& ErrorCause() const { return errorCause_; }

    // Polls the board's ready line, sleeping between polls, until it signals ready (true,
    // and LastError cleared), the stop request is set (false, "Programmer Not Ready.") or
    // `deadlineUs` on the link's clock passes (false, WaitTimedOut, a "Programmer Not
    // Ready: ..." line naming the ready line). Without a deadline the wait limit sets one.
    bool WaitReady(std::optional<std::int64_t> deadlineUs = std::nullopt) { return protocol_->WaitReady(deadlineUs); }
    // The longest a ready wait inside the operations may last; 0 (the default) waits until
    // the board is ready or the user stops.
    void SetWaitLimitMs(std::int64_t milliseconds) { context_.SetWaitLimitMs(milliseconds); }
    // Whether the last failure was a ready wait that reached its deadline.
    [[nodiscard]] bool WaitTimedOut() const { return context_.TimedOut() && !context_.lastError.empty(); }
    // The stop check of WaitReady without touching the port: false, with "Programmer Not
    // Ready.", when the stop request is set. For a sequence that waited for the user.
    bool CheckStop();
    // Puts the target into the state in which the board (or its loader) answers.
    void ResetTarget() { protocol_->ResetTarget(); }

    // Byte commands. A read returns 0 when it fails; on the serial line a read that gets
    // no answer within the 100 ms timeout also returns 0 and leaves LastError empty.
    std::uint8_t ReadByteAt(std::uint16_t address) { return protocol_->ReadByteAt(address); }
    void WriteByteAt(std::uint16_t address, std::uint8_t value) { protocol_->WriteByteAt(address, value); }
    std::uint8_t ReadBoardId() { return protocol_->ReadBoardId(); }
    // The MC68HC11 variant read from the bootstrap ROM ("MC68HC11PA8", "MC68HC11P2",
    // "MC68HC11KA4"), or the empty text.
    std::string IdentifyHc11() { return protocol_->IdentifyHc11(); }
    // Sends LoaderImage to the MC68HC05L28; true when the board answers with its sum.
    bool UploadLoader();
    void SendEraseCommand();
    void SendUnlockCommand();
    // On a parallel board, doubles the wait after each write (from 30 ms up to at most
    // 1920 ms) until a write to `address` reads back, then writes the cell's first value
    // back. The serial board's loader paces its own writes.
    void CalibrateSettleDelay(std::uint16_t address) { protocol_->CalibrateSettleDelay(address); }

private:
    // The protocol of the port that opened; on failure the error is set and nothing is held.
    std::unique_ptr<BoardProtocol> OpenParallel(const std::string& portName, int portNumber, int delayCount);
    std::unique_ptr<BoardProtocol> OpenSerial(const std::string& portName);
    void FailOpen(const std::string& portName, std::string cause);

    PortAccess ports_;
    LinkContext context_;
    const BoardProfile* profile_ = &BoardProfileFor(0);
    NoBoardProtocol noBoard_{context_};
    std::unique_ptr<BoardProtocol> opened_;
    // The open port's protocol, or noBoard_.
    BoardProtocol* protocol_ = &noBoard_;
    std::string errorCause_;
};

} // namespace zav
