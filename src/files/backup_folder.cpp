#include "files/backup_folder.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <mutex>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include <fcntl.h>

#include "buffer/memory_buffer.h"
#include "files/buffer_file_content.h"
#include "files/exclusive_lock.h"
#include "files/safe_file_writer.h"
#include "files/user_folders.h"

namespace zav {

namespace {

constexpr std::string_view kExtension = ".zef";

std::string FileNameDevice(std::string_view deviceName)
{
    std::string name;
    bool gap = false;
    for (const char c : deviceName) {
        if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
            if (gap && !name.empty()) name += '_';
            name += c;
            gap = false;
        } else {
            gap = true;
        }
    }
    return name;
}

// The file's content: only the backed-up cells are implemented, so nothing else is written.
bool FormatBackup(const BackupImage& image, std::string& content, std::string& failure)
{
    if (image.cells.empty()) {
        failure = "no cells were read";
        return false;
    }
    MemoryBuffer buffer;
    for (std::int32_t address = 0; address <= buffer.LastAddress(); ++address) buffer.SetUnimplemented(address, true);
    SaveOptions options{buffer.LastAddress(), 0, false};
    {
        const MemoryBuffer::BulkUpdate update(buffer);
        for (const auto& [address, value] : image.cells) {
            buffer.SetUnimplemented(address, false);
            buffer.SetByte(address, value);
            options.lowAddress = std::min(options.lowAddress, address);
            options.highAddress = std::max(options.highAddress, address);
        }
    }
    return FormatBufferFile(buffer, FileFormat::ExtendedFormat, options, content, failure);
}

} // namespace

std::filesystem::path DefaultBackupFolder()
{
    const std::optional<std::filesystem::path> base = XdgBaseFolder("XDG_DATA_HOME", ".local/share");
    return base ? *base / "zav" / "backups" : std::filesystem::path();
}

std::string BackupFileName(std::string_view deviceName, const std::tm& when)
{
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &when);
    return FileNameDevice(deviceName) + "-" + stamp + std::string(kExtension);
}

namespace {

bool AllDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// When a backup was taken, from its name: the stamp's fourteen digits, which sort as the
// times do, then the same-second counter as a number (a name without one is the first).
struct BackupOrder {
    std::string stamp;
    std::string counter;

    bool operator<(const BackupOrder& other) const
    {
        if (stamp != other.stamp) return stamp < other.stamp;
        // Digits without leading zeros: the shorter is the smaller number, so "-10" comes
        // after "-9" without converting a counter of any length.
        if (counter.size() != other.counter.size()) return counter.size() < other.counter.size();
        return counter < other.counter;
    }
};

// "<device>-yyyymmdd-hhmmss.zef", or with "-N" before the extension for a later save within
// the same second; nothing for another file.
std::optional<BackupOrder> BackupOrderOf(std::string_view name, std::string_view prefix)
{
    if (name.size() < prefix.size() + 20 || name.substr(0, prefix.size()) != prefix) return std::nullopt;
    if (!name.ends_with(kExtension)) return std::nullopt;
    std::string_view stamp = name.substr(prefix.size(), name.size() - prefix.size() - kExtension.size());
    if (stamp[0] != '-' || stamp[9] != '-' || !AllDigits(stamp.substr(1, 8)) || !AllDigits(stamp.substr(10, 6))) {
        return std::nullopt;
    }
    BackupOrder order{std::string(stamp.substr(1, 8)) + std::string(stamp.substr(10, 6)), "1"};
    stamp.remove_prefix(16);
    if (stamp.empty()) return order;
    if (stamp[0] != '-' || !AllDigits(stamp.substr(1))) return std::nullopt;
    std::string_view counter = stamp.substr(1);
    while (counter.size() > 1 && counter.front() == '0') counter.remove_prefix(1);
    order.counter = std::string(counter);
    return order;
}

} // namespace

int PruneBackups(const std::filesystem::path& folder, std::string_view deviceName, int keep)
{
    const std::string prefix = FileNameDevice(deviceName);
    std::vector<std::pair<BackupOrder, std::filesystem::path>> backups;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (auto order = BackupOrderOf(entry.path().filename().string(), prefix))
            backups.emplace_back(std::move(*order), entry.path());
    }
    if (static_cast<int>(backups.size()) <= keep) return 0;
    std::sort(backups.begin(), backups.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    int removed = 0;
    for (std::size_t i = 0; i + static_cast<std::size_t>(keep) < backups.size(); ++i) {
        if (std::filesystem::remove(backups[i].second, error)) ++removed;
    }
    return removed;
}

BackupFolder::BackupFolder(std::filesystem::path folder, Clock clock)
    : folder_(std::move(folder)), clock_(std::move(clock))
{
}

BackupStore::Outcome BackupFolder::Save(const BackupImage& image)
{
    Outcome outcome;
    if (folder_.empty()) {
        outcome.failure = "no folder for backups: set HOME or XDG_DATA_HOME to an absolute path";
        return outcome;
    }
    std::string content;
    if (!FormatBackup(image, content, outcome.failure)) return outcome;
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    if (error) {
        outcome.failure = folder_.string() + ": " + error.message();
        return outcome;
    }
    // Held while a backup finds a free name and takes it. The boards of one run, and runs on
    // other benches sharing the folder, save at the same time; without it two of them find the
    // same name free and one backup fails. A lock on the folder itself, so no lock file lies
    // among the backups.
    const ExclusiveLock lock(::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!lock.Locked()) {
        outcome.failure = folder_.string() + ": " + std::strerror(lock.Error());
        return outcome;
    }
    const std::time_t now = std::chrono::system_clock::to_time_t(clock_());
    // localtime_r reads the time zone on its first call without a lock that threads (several
    // boards backing up at once) could see; reading it once first makes that call read-only.
    static std::once_flag timeZoneRead;
    std::call_once(timeZoneRead, [] { tzset(); });
    std::tm local{};
    localtime_r(&now, &local);
    std::string name = BackupFileName(image.deviceName, local);
    const std::string stem = name.substr(0, name.size() - kExtension.size());
    for (int same = 2; std::filesystem::exists(folder_ / name, error); ++same)
        name = stem + "-" + std::to_string(same) + std::string(kExtension);
    const std::filesystem::path path = folder_ / name;
    if (!WriteFileSafely(path, content, outcome.failure)) {
        outcome.failure = path.string() + ": " + outcome.failure;
        return outcome;
    }
    outcome.saved = true;
    outcome.path = path.string();
    outcome.removed = PruneBackups(folder_, image.deviceName, kBackupsKept);
    return outcome;
}

} // namespace zav
