#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "link/board_profile.h"
#include "link/board_protocol.h"
#include "link/link_context.h"
#include "link/serial_port.h"

namespace zav {

// The protocol of the board on a serial port (the MC68HC05L28's): the line set to 9600 8N1
// at open and given back as found at close, the reset through DTR and RTS, the loader
// upload and byte commands as single serial bytes. Used through ProgrammerLink.
class SerialBoardProtocol final : public BoardProtocol {
public:
    SerialBoardProtocol(SerialPort& port, const BoardProfile& profile, LinkContext& context);

    // Opens the port by its COM name and sets the line up. False when the port cannot be
    // opened (`cause` then says why when the port knows) or configured. The port may have
    // been opened even then: Close releases it.
    bool Open(const std::string& portName, std::string& cause);
    // Purges the receive side, gives back the timeouts and line settings found at open and
    // closes the port.
    void Close() override;
    [[nodiscard]] bool IsOpen() const { return open_; }

    // No ready line on this board: only a stop request ends the wait.
    bool WaitReady(std::optional<std::int64_t> deadlineUs) override;
    void ResetTarget() override;
    std::uint8_t ReadByteAt(std::uint16_t address) override;
    void WriteByteAt(std::uint16_t address, std::uint8_t value) override;
    // The loader answers no identification: this waits as a receive would and gives 0
    // (a TMS board's is read as a byte command, as on the parallel port).
    std::uint8_t ReadBoardId() override;
    // No MC68HC11 sits on this board: the empty text, the line untouched.
    std::string IdentifyHc11() override { return {}; }
    bool UploadLoader() override;
    void SendEraseCommand() override;
    // This board has no unlock command; only the wait that follows one is kept.
    void SendUnlockCommand() override;
    // The loader paces its own writes, so the settle delay stays as it is.
    void CalibrateSettleDelay(std::uint16_t /*address*/) override {}

private:
    // One byte out. A byte that cannot go out within a second is "Communication Error.";
    // a stop request ends the wait as "Programmer Not Ready.".
    bool Write(std::uint8_t value);
    // One byte in within the read timeout; nullopt when none came, with "Communication
    // Error." when the port failed rather than the board stayed silent.
    std::optional<std::uint8_t> ReadReply();

    SerialPort& port_;
    const BoardProfile& profile_;
    LinkContext& context_;
    bool open_ = false;
    std::optional<SerialTimeouts> savedTimeouts_;
    std::optional<SerialLineSettings> savedLineSettings_;
};

} // namespace zav
