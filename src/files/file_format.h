#pragma once

#include <optional>
#include <string_view>

namespace zav {

// The formats a buffer is stored in. Intel HEX comes last so the windows' lists and filter
// entries keep the places they had before it was added.
enum class FileFormat { ExtendedFormat, MotorolaS, Binary, IntelHex };

// The filter of the open and save dialogs; its entries are numbered from 1. Intel HEX follows
// "All" so the first four keep the numbers the save dialog's format preset counts by.
inline constexpr std::string_view kBufferFileFilter =
    "ZAV Extended Format (*.zef)|*.ZEF|Motorola (*.s19)|*.S19|Binary (*.bin)|*.BIN|All (*.*)|*.*|"
    "Intel HEX (*.hex)|*.HEX";
inline constexpr std::string_view kDefaultBufferFileExtension = "zef";

// "ZAV Extended Format", "Motorola S", "Binary" or "Intel HEX": the names the dialogs list.
[[nodiscard]] std::string_view FileFormatDisplayName(FileFormat format);
// "zef", "s19", "bin" or "hex".
[[nodiscard]] std::string_view FileFormatExtension(FileFormat format);
// The format listed under an exact display name.
[[nodiscard]] std::optional<FileFormat> FileFormatFromDisplayName(std::string_view name);
// The format a save preselects for the dialog's filter entry (1-5); "All" means the X file.
[[nodiscard]] FileFormat FileFormatFromFilterIndex(int filterIndex);

} // namespace zav
