#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "buffer/address_range.h"
#include "buffer/cell_difference.h"
#include "files/buffer_file_loader.h"

namespace zav {

class MemoryBuffer;
class MessageBoxes;
class StatusSink;

// One side of a comparison: a buffer and the cells it gives (a loaded file gives only the
// cells it held).
struct ComparedImage {
    const MemoryBuffer& buffer;
    const LoadCoverage& given;
};

// The cells of `ranges` where the two sides differ, in address order, each with the first
// side's value as `expected` and the second's as `device`. A cell only one side gives
// differs whatever the buffers hold there; a cell neither gives is not compared.
[[nodiscard]] std::vector<CellDifference> CompareImages(const ComparedImage& first,
                                                        const ComparedImage& second,
                                                        const std::vector<AddressRange>& ranges);

// The cells a comparison looks at: the device's implemented cells, or the whole buffer
// without a device (an unknown name included).
[[nodiscard]] std::vector<AddressRange> ComparedRanges(const std::optional<std::string>& device);

// A file loaded to be compared rather than into the editor: a fresh buffer laid out for the
// device, and the cells the file gave.
struct ComparedFile {
    std::unique_ptr<MemoryBuffer> buffer;
    LoadCoverage given;
};

// Loads the whole file in the format its extension names when detection offers it, else the
// likeliest detected one, and says which in a status line. Only regular files are opened, as
// for every load in the windows. Nothing, after the load's message, when it cannot be read.
[[nodiscard]] std::optional<ComparedFile> LoadFileToCompare(const std::string& path,
                                                            const std::optional<std::string>& device,
                                                            StatusSink& status, MessageBoxes& boxes);

} // namespace zav
