#pragma once

#include <string>

#include "files/file_format.h"
#include "files/save_options.h"

namespace zav {

class MemoryBuffer;

// The bytes a save writes: for the X file the names, description rows, notes and data
// records; for the S file the header, data records and end record; for Intel HEX the data
// records and end record; for Binary the cells of the range. Text lines end with CR LF. Returns false, with `refusal` saying which text, when
// a text does not fit an X record's 16-bit count; nothing is cut.
[[nodiscard]] bool FormatBufferFile(const MemoryBuffer& buffer, FileFormat format, const SaveOptions& options,
                                    std::string& content, std::string& refusal);

} // namespace zav
