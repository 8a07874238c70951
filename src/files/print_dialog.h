#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "buffer/address_range.h"
#include "files/printer_th.h"

namespace zav {

class MessageBoxes;

// The "Print" dialog's fields: the range and the row width of the dump.
class PrintDialog {
public:
    // The To field shows the last address of the buffer from the start.
    explicit PrintDialog(std::int32_t lastAddress);

    [[nodiscard]] const std::string& FromText() const { return fromText_; }
    void SetFromText(std::string text) { fromText_ = std::move(text); }
    [[nodiscard]] const std::string& ToText() const { return toText_; }
    void SetToText(std::string text) { toText_ = std::move(text); }
    // 16 or 32.
    [[nodiscard]] int BytesPerRow() const { return bytesPerRow_; }
    void SetBytesPerRow(int bytesPerRow) { bytesPerRow_ = bytesPerRow == 32 ? 32 : 16; }

    // The job to start; empty when an address was refused (its message shown) and the
    // dialog stays open.
    [[nodiscard]] std::optional<PrintJobSettings> Ok(MessageBoxes& boxes) const;

private:
    std::int32_t lastAddress_;
    std::string fromText_ = "0x0000";
    std::string toText_;
    int bytesPerRow_ = 16;
};

// Where Print sends the job: to the printer, to the file Setup named, or to a file asked for
// now. A file named in Setup is the user's answer already; without a printer, or after a file
// was asked for, each job asks (offering the last file).
enum class PrintOutput { Printer, FileFromSetup, AskForFile };
[[nodiscard]] PrintOutput ChoosePrintOutput(bool printersInstalled, bool toFile, bool fileNamedInSetup);

// "Printing buffer : 0x0100-0x01FF -> " and the printer's name.
[[nodiscard]] std::string PrintStartLine(AddressRange range, const std::string& printerName);

} // namespace zav
