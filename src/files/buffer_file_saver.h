#pragma once

#include <filesystem>

#include "files/file_format.h"
#include "files/safe_file_writer.h"
#include "files/save_options.h"

namespace zav {

class MemoryBuffer;
class StatusSink;

// Writes the options' range of the buffer (and, for the text formats, its description) to
// `path`, replacing the file only once the new one is complete. On success it reports
// "Write file complete" and ends with an empty bulk update, which clears the edit colouring
// and the undo history. On failure an Error line names the path and the reason, any earlier
// file stays as it was and the buffer is not touched. A file that can only be written over
// in place gets a Warning line naming where its old content was copied, before it is touched.
// Returns whether a file was written.
// `rules` as WriteFileSafely takes them.
[[nodiscard]] bool SaveBufferFile(const std::filesystem::path& path, FileFormat format,
                                  const SaveOptions& options, MemoryBuffer& buffer, StatusSink& status,
                                  const SaveRules& rules = {});

} // namespace zav
