#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "buffer/cell_difference.h"
#include "devices/sequence_option.h"
#include "sequences/program_settings.h"
#include "messages/message_boxes.h"
#include "messages/status_sink.h"

namespace zav {

enum class SequenceKind { Read, Program };

// Everything a sequence may reach of the program around it: the message list, the port
// interlock, the progress bar, its Start button, the option buttons, the device field, the
// port settings, the memory buffer, the beep and the modal boxes. The main window, a
// command-line front end and test fakes implement it; their methods run on the user-interface
// thread only, because a worker reaches its host through a HandOverHost.
class SequenceHost : public StatusSink, public MessageBoxes {
public:
    [[nodiscard]] virtual bool PortIdle() = 0;
    virtual void SetPortIdle(bool idle) = 0;

    virtual void SetProgressMaximum(int maximum) = 0;
    virtual void SetProgressPosition(int position) = 0;
    [[nodiscard]] virtual int ProgressPosition() = 0;

    // Releases the sequence's Start button without that counting as the user's click.
    virtual void PutStartButtonUp(SequenceKind kind) = 0;
    [[nodiscard]] virtual bool IsOptionDown(SequenceOption option) = 0;
    // The text of the device field.
    [[nodiscard]] virtual std::string DeviceIdText() = 0;
    [[nodiscard]] virtual ProgramSettings GetProgramSettings() = 0;

    virtual void BeginUpdate() = 0;
    virtual void SetByte(std::int32_t address, std::uint8_t value) = 0;
    virtual void EndUpdate() = 0;
    [[nodiscard]] virtual std::uint8_t GetByte(std::int32_t address) = 0;
    // GetByte for first..last in order, so a worker fetches a whole pass in one hand-over.
    [[nodiscard]] virtual std::vector<std::uint8_t> GetBytes(std::int32_t first, std::int32_t last)
    {
        std::vector<std::uint8_t> bytes;
        for (std::int32_t address = first; address <= last; ++address) bytes.push_back(GetByte(address));
        return bytes;
    }

    virtual void Beep() = 0;

    // The cells the verify found different, with the device's values; a read or program
    // sequence starts by setting none, a blank check leaves them. Only the window and zavtool
    // keep them.
    virtual void SetVerifyDifferences(const std::vector<CellDifference>& /*differences*/) {}
};

} // namespace zav
