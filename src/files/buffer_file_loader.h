#pragma once

#include <filesystem>
#include <istream>
#include <string>
#include <vector>

#include "files/file_format.h"
#include "files/load_options.h"
#include "files/load_report.h"

namespace zav {

class MemoryBuffer;
class MessageBoxes;
class StatusSink;

// Reads a buffer file into the buffer and its description, inside one bulk update: the
// description is emptied, the buffer cleared if asked, then every data byte whose file
// address lies in the options' range is stored at that address plus the offset (bytes that
// land outside the buffer or on unimplemented cells are dropped, the former counted). Unrecognised lines are
// reported one warning each and skipped; one more Warning then sums up what was not read or
// not loaded (nothing at all, lines of each kind, bytes beyond the buffer), so a file that
// was not taken shows at once. The caller reports "Read file complete".
//
// A file that cannot be opened shows "File not Accessible or not Exist!" and leaves the
// buffer, its description and its undo history untouched; so does anything but a regular
// file (a FIFO, a device), refused without waiting on it. Returns true when the file was read
// to its end; false when it could not be opened or a read error cut the load short (an Error
// line then names the path, and the buffer keeps what was read before).
[[nodiscard]] bool LoadBufferFile(const std::filesystem::path& path, FileFormat format,
                                  const LoadOptions& options, MemoryBuffer& buffer, StatusSink& status,
                                  MessageBoxes& boxes);

// Which buffer addresses a load gave a byte from the file, one flag per address.
using LoadCoverage = std::vector<bool>;

// The same load from an already opened stream; `name` is the path the status lines show.
// With `coverage`, it is sized to the buffer and marks every address a file byte was stored
// at (or would have been, on an unimplemented cell). With `report`, it says what the load
// took and left out; its summary is posted as one Warning after the per-line warnings either way.
[[nodiscard]] bool LoadBufferStream(std::istream& input, const std::string& name, FileFormat format,
                                    const LoadOptions& options, MemoryBuffer& buffer, StatusSink& status,
                                    LoadCoverage* coverage = nullptr, LoadReport* report = nullptr);

} // namespace zav
