#include "files/save_file_dialog.h"

#include "buffer/memory_buffer.h"
#include "buffer/numeric_helpers.h"
#include "files/buffer_file_saver.h"
#include "messages/message_boxes.h"
#include "operations/address_field.h"

namespace zav {

SaveFileDialog::SaveFileDialog(std::int32_t lastAddress) : FileDialogFields(AddressText(lastAddress)) {}

const std::vector<FileFormat>& SaveFileDialog::Formats()
{
    static const std::vector<FileFormat> formats{FileFormat::ExtendedFormat, FileFormat::MotorolaS,
                                                 FileFormat::Binary, FileFormat::IntelHex};
    return formats;
}

void SaveFileDialog::FileChosen(std::string path, int filterIndex)
{
    SetPath(std::move(path));
    format_ = FileFormatFromFilterIndex(filterIndex);
}

bool SaveFileDialog::Ok(MemoryBuffer& buffer, StatusSink& status, MessageBoxes& boxes) const
{
    if (Path().empty()) return false;
    SaveOptions options;
    options.saveUnimplemented = saveUnimplemented_;
    options.lowAddress = 0;
    options.highAddress = buffer.LastAddress();
    if (!Whole()) {
        const auto range = ParseAddressRange(LowText(), HighText(), buffer.LastAddress(), boxes);
        if (!range) return false;
        options.lowAddress = range->first;
        options.highAddress = range->last;
    }
    // Root may write anything: a file made read-only is replaced only when the user says so.
    ReadOnlyFiles readOnly = ReadOnlyFiles::Refuse;
    if (IsReadOnlyButReplaceable(Path())) {
        if (!boxes.AskYesNo(Path() + " is read-only.\nReplace it anyway?", "Confirm", BoxKind::Confirmation)) {
            return false;
        }
        readOnly = ReadOnlyFiles::Replace;
    }
    // The window's thread must never hang on a FIFO or a device chosen as the target.
    return SaveBufferFile(Path(), format_, options, buffer, status, {.readOnly = readOnly, .waiting = Waiting::Never});
}

} // namespace zav
