#pragma once

#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

#include "files/backup_folder.h"
#include "sequences/backup_store.h"

namespace zav {

// One board's backups during a run of many parts: saved into the backups folder as a single
// part's are (the folder keeps boards saving at the same time apart), with the file of the
// board's current part kept for the part's log line.
class BoardBackups final : public BackupStore {
public:
    explicit BoardBackups(std::filesystem::path folder) : folder_(std::move(folder)) {}

    // On the board's worker thread.
    [[nodiscard]] Outcome Save(const BackupImage& image) override;

    // A new part: it has no backup yet.
    void BeginPart();
    // The file the current part was backed up to; none when no backup was saved.
    [[nodiscard]] std::optional<std::string> PartBackup() const;

private:
    BackupFolder folder_;
    mutable std::mutex partMutex_;
    std::optional<std::string> partBackup_;
};

} // namespace zav
