#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "files/file_dialog_fields.h"
#include "files/file_format.h"

namespace zav {

class MemoryBuffer;
class MessageBoxes;
class StatusSink;

// The "Save File From Buffer" dialog: the target file, its format, the range and whether
// unimplemented cells are written. The fields keep their values from one save to the next.
class SaveFileDialog : public FileDialogFields {
public:
    // The last-address field shows the buffer's last address from the start.
    explicit SaveFileDialog(std::int32_t lastAddress);

    // The formats of the format list, in its order.
    [[nodiscard]] static const std::vector<FileFormat>& Formats();

    // OK stays disabled until a file was chosen.
    [[nodiscard]] bool OkEnabled() const { return !Path().empty(); }
    // The save dialog confirmed a file: its filter (numbered from 1) presets the format.
    void FileChosen(std::string path, int filterIndex);

    [[nodiscard]] FileFormat Format() const { return format_; }
    void SetFormat(FileFormat format) { format_ = format; }
    // A binary save writes every cell of the range, so the choice applies to the text formats.
    [[nodiscard]] bool SaveUnimplementedEnabled() const { return format_ != FileFormat::Binary; }
    [[nodiscard]] bool SaveUnimplemented() const { return saveUnimplemented_; }
    void SetSaveUnimplemented(bool save) { saveUnimplemented_ = save; }

    [[nodiscard]] bool SaveEntireBuffer() const { return Whole(); }
    void SetSaveEntireBuffer(bool entire) { SetWhole(entire); }
    [[nodiscard]] bool RangeFieldsEnabled() const { return !Whole(); }

    // Saves the buffer; true when a file was written. A refused address shows its message
    // and writes nothing; a failed write leaves any earlier file and an Error line saying why.
    // A read-only file the program could replace all the same (as root) is replaced only
    // after a Yes to the question.
    [[nodiscard]] bool Ok(MemoryBuffer& buffer, StatusSink& status, MessageBoxes& boxes) const;

private:
    FileFormat format_ = FileFormat::ExtendedFormat;
    bool saveUnimplemented_ = false;
};

} // namespace zav
