#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_format.h"

namespace zav {

// The format a file's name says it holds: .zef, .s19, .bin, .hex or .ihex, in any case.
[[nodiscard]] std::optional<FileFormat> FileFormatFromExtension(std::string_view path);

// How the format of a file to load was settled, for the line that tells the user.
enum class FormatReason { Chosen, Extension, Detected };

struct InputFormatChoice {
    FileFormat format = FileFormat::Binary;
    FormatReason reason = FormatReason::Detected;
};

// The format a file is loaded in when the user names none: the one its extension names when
// detection offers it (a binary that happens to hold "S1" stays binary as .bin), otherwise
// the first one offered, as the open dialog preselects it. `offered` is what
// DetectFileFormats gave, never empty.
[[nodiscard]] InputFormatChoice ChooseInputFormat(std::string_view path,
                                                  const std::vector<std::string>& offered);

// "Format : Motorola S (by the extension .s19)" and the like.
[[nodiscard]] std::string DescribeInputFormat(const InputFormatChoice& choice, std::string_view path);

} // namespace zav
