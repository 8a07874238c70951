#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "files/file_dialog_fields.h"
#include "files/load_options.h"

namespace zav {

class MemoryBuffer;
class MessageBoxes;
class StatusSink;

// How OK of the open dialog ended.
enum class OpenResult {
    Refused, // an option was refused (its message shown): nothing loaded, the dialog stays open
    Failed,  // the file could not be read now: the dialog stays open with OK disabled
    Loaded   // loaded: the main window records the file among its recent files, the dialog closes
};

// The "Load File Into Buffer" dialog: the file, the formats it can be read as, the file range,
// the offset and the clear mode. The fields keep their values from one load to the next.
class OpenFileDialog : public FileDialogFields {
public:
    OpenFileDialog() : FileDialogFields("0xFFFFFF") {}

    // The recent-file menu: entry i reads "i path".
    [[nodiscard]] static std::vector<std::string>
    RecentEntryCaptions(const std::vector<std::string>& recentFiles);
    // The path of such an entry: its caption without the number and the blank.
    [[nodiscard]] static std::string PathOfRecentEntry(std::string_view caption);

    // The path field changed: OK is disabled, then enabled once the file opened, with the
    // formats it can be read as, the likeliest chosen. A file that does not open shows
    // "File not Accessible or not Exist!" and keeps the earlier format list; false then.
    bool ChoosePath(std::string path, MessageBoxes& boxes);
    [[nodiscard]] bool OkEnabled() const { return okEnabled_; }

    [[nodiscard]] const std::vector<std::string>& Formats() const { return formats_; }
    [[nodiscard]] int FormatIndex() const { return formatIndex_; }
    void SetFormatIndex(int index) { formatIndex_ = index; }

    [[nodiscard]] bool LoadEntireFile() const { return Whole(); }
    void SetLoadEntireFile(bool entire) { SetWhole(entire); }
    [[nodiscard]] bool AddressFieldsEnabled() const { return !Whole(); }
    [[nodiscard]] const std::string& OffsetText() const { return offsetText_; }
    void SetOffsetText(std::string text) { offsetText_ = std::move(text); }
    [[nodiscard]] ClearMode Clear() const { return clearMode_; }
    void SetClear(ClearMode mode) { clearMode_ = mode; }

    // The load's options from the fields: the whole file, or the typed file range (turned
    // round when reversed) with a signed offset. Empty after a refused field's message.
    [[nodiscard]] std::optional<LoadOptions> Options(MessageBoxes& boxes) const;
    // Loads the file in the chosen format and adds "Read file complete".
    OpenResult Ok(MemoryBuffer& buffer, StatusSink& status, MessageBoxes& boxes);

private:
    std::vector<std::string> formats_;
    int formatIndex_ = -1;
    bool okEnabled_ = false;
    std::string offsetText_ = "0";
    ClearMode clearMode_ = ClearMode::None;
};

} // namespace zav
