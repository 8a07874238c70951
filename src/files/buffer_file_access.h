#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files/file_format.h"
#include "files/load_options.h"

namespace zav {

class MemoryBuffer;
class MessageBoxes;
class StatusSink;

// A fresh buffer as the main window holds it once `device` is chosen: 0x00 everywhere, only
// the device's cells implemented; every cell implemented without a device. Null (after the
// memory box) when it cannot be allocated.
[[nodiscard]] std::unique_ptr<MemoryBuffer> CreateToolBuffer(const std::optional<std::string>& device,
                                                             MessageBoxes& boxes);

// The display names the open dialog offers for the file, the likeliest first; none, after
// "File not Accessible or not Exist!", when the file cannot be read.
[[nodiscard]] std::optional<std::vector<std::string>> DetectFormatsOfFile(const std::string& path,
                                                                          MessageBoxes& boxes);

// Loads the file the way the open dialog does: in the given format or the first one
// detected, then "Read file complete". False when the file could not be read.
[[nodiscard]] bool LoadFileAsOpenDialog(const std::string& path, std::optional<FileFormat> format,
                                        const LoadOptions& options, MemoryBuffer& buffer, StatusSink& status,
                                        MessageBoxes& boxes);

// The format a file is saved in: the chosen one, else the one its extension names (.zef,
// .s19, .bin in any case), else the ZAV Extended Format.
[[nodiscard]] FileFormat OutputFormatFor(const std::string& path, std::optional<FileFormat> chosen);

} // namespace zav
