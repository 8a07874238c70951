#pragma once

#include <chrono>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "sequences/backup_store.h"

namespace zav {

// Where the program sequences keep their backups: $XDG_DATA_HOME/zav/backups, or
// ~/.local/share/zav/backups without it (a relative XDG_DATA_HOME is ignored); empty when
// there is no home folder either, and a save then fails saying so.
[[nodiscard]] std::filesystem::path DefaultBackupFolder();

// "<device>-<yyyymmdd-hhmmss>.zef" for the local time `when`. The device's name is cut to
// letters and digits, its other characters joined into single '_', so "TMS370Cx5x (256)"
// gives "TMS370Cx5x_256".
[[nodiscard]] std::string BackupFileName(std::string_view deviceName, const std::tm& when);

// Removes the oldest backups of the device until `keep` are left, oldest by the time in their
// names and then by their same-second counter; other files are not touched. Returns how many
// were removed.
int PruneBackups(const std::filesystem::path& folder, std::string_view deviceName, int keep);

// Backups as ZAV Extended Format files in a folder, written by the safe writer: a file
// appears only complete. Two backups of a device in the same second get "-2", "-3" ... after
// the time rather than replacing each other, also when other runs save into the folder at
// the same time.
class BackupFolder final : public BackupStore {
public:
    using Clock = std::function<std::chrono::system_clock::time_point()>;

    explicit BackupFolder(std::filesystem::path folder, Clock clock = [] { return std::chrono::system_clock::now(); });

    [[nodiscard]] Outcome Save(const BackupImage& image) override;
    [[nodiscard]] const std::filesystem::path& Folder() const { return folder_; }

private:
    std::filesystem::path folder_;
    Clock clock_;
};

} // namespace zav
