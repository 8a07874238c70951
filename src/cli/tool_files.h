#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "files/buffer_file_loader.h"
#include "files/file_format.h"
#include "files/load_options.h"
#include "files/safe_file_writer.h"
#include "files/save_options.h"

namespace zav {

class MemoryBuffer;
class MessageBoxes;
class ProgressBar;
class StatusSink;

// What a subcommand asks of the file it loads beyond being readable.
struct ToolLoadDemands {
    // Fail when no data byte of the file reached the buffer.
    bool someData = false;
    // Fail when data may have been lost: lines not read that could have held some, or bytes
    // that fell outside the buffer.
    bool everything = false;
    // Added to the failure, saying what was left alone ("; out.bin is as it was").
    std::string untouched{};
};

// Loads a file ("-": standard input) the way the open dialog does, reading it once: the
// format is the chosen one, else the one the extension names when detection offers it, else
// the first one detected, and a status line says which. A file that cannot be read shows
// "File not Accessible or not Exist!" with the path and the system's reason; a file that does
// not meet `demands` ends with an Error line saying what it lacks. With `progress`, a long
// load shows its bar; with `coverage`, the addresses the file gave are marked; with `crc32`,
// the input is read to its end and the CRC-32 of all its bytes stored there.
[[nodiscard]] bool LoadToolInput(const std::string& path, std::optional<FileFormat> chosen,
                                 const LoadOptions& options, MemoryBuffer& buffer, StatusSink& status,
                                 MessageBoxes& boxes, ProgressBar* progress = nullptr,
                                 LoadCoverage* coverage = nullptr, const ToolLoadDemands& demands = {},
                                 std::optional<std::uint32_t>* crc32 = nullptr);

// The display names detection offers for a file ("-": standard input); none, after the
// same box as a load, when it cannot be read.
[[nodiscard]] std::optional<std::vector<std::string>> DetectToolInput(const std::string& path,
                                                                      MessageBoxes& boxes);

// The format a file is saved in: the chosen one, else the one its extension names, else the
// ZAV Extended Format ("-" has no extension).
[[nodiscard]] FileFormat ToolOutputFormat(const std::string& path, std::optional<FileFormat> chosen);

// Saves like SaveBufferFile, "-" writing to `standardOutput`; a failed write there is an
// Error line. `rules` as WriteFileSafely takes them (its stop ends a save to a file that
// waits for a reader).
[[nodiscard]] bool SaveToolOutput(const std::string& path, FileFormat format, const SaveOptions& options,
                                  MemoryBuffer& buffer, StatusSink& status, std::ostream& standardOutput,
                                  const SaveRules& rules);

} // namespace zav
