#include "cli/batch_backups.h"

namespace zav {

BackupStore::Outcome BoardBackups::Save(const BackupImage& image)
{
    Outcome outcome = folder_.Save(image);
    if (outcome.saved) {
        const std::lock_guard<std::mutex> lock(partMutex_);
        partBackup_ = outcome.path;
    }
    return outcome;
}

void BoardBackups::BeginPart()
{
    const std::lock_guard<std::mutex> lock(partMutex_);
    partBackup_.reset();
}

std::optional<std::string> BoardBackups::PartBackup() const
{
    const std::lock_guard<std::mutex> lock(partMutex_);
    return partBackup_;
}

} // namespace zav
