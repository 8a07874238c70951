#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zav {

// How many backups of one device are kept; the oldest go first.
inline constexpr int kBackupsKept = 200;

// What a program sequence read of a part before changing it: the device's name and its
// cells in the order read.
struct BackupImage {
    std::string deviceName;
    std::vector<std::pair<std::int32_t, std::uint8_t>> cells;
};

// Where a program sequence keeps the part's content before its first write. Save runs on the
// worker thread, one sequence at a time.
class BackupStore {
public:
    struct Outcome {
        bool saved = false;
        // The file written, or why none was.
        std::string path;
        std::string failure;
        // Older backups of the device removed to keep their number in bounds.
        int removed = 0;
    };

    virtual ~BackupStore() = default;
    [[nodiscard]] virtual Outcome Save(const BackupImage& image) = 0;
};

} // namespace zav
