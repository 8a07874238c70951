#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zav {

// How the link speaks to the board on one kind of port. The link opens the protocol its
// port needs and forwards every operation to it; each protocol keeps what only its board
// has (the parallel lines and the settle delay, the serial line's saved settings).
//
// Every operation reports through the link's context: its error text is empty on success
// or holds the failure. The byte commands wait for the board to be ready first.
class BoardProtocol {
public:
    BoardProtocol() = default;
    BoardProtocol(const BoardProtocol&) = delete;
    BoardProtocol& operator=(const BoardProtocol&) = delete;
    virtual ~BoardProtocol() = default;

    // Gives the port back as it was found. Safe to call twice.
    virtual void Close() = 0;

    // Polls the board's ready signal (a board without one is ready at once) until it is
    // ready, the stop request is set or the deadline passes.
    virtual bool WaitReady(std::optional<std::int64_t> deadlineUs) = 0;
    virtual void ResetTarget() = 0;

    virtual std::uint8_t ReadByteAt(std::uint16_t address) = 0;
    virtual void WriteByteAt(std::uint16_t address, std::uint8_t value) = 0;
    virtual std::uint8_t ReadBoardId() = 0;
    // The MC68HC11 variant the bootstrap ROM names, or the empty text.
    virtual std::string IdentifyHc11() = 0;
    // True when the board took the loader and answered with its sum.
    virtual bool UploadLoader() = 0;
    virtual void SendEraseCommand() = 0;
    virtual void SendUnlockCommand() = 0;
    // Lengthens the wait after a write until a write to `address` reads back.
    virtual void CalibrateSettleDelay(std::uint16_t address) = 0;
};

} // namespace zav
