#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace zav {

inline constexpr std::string_view kManualFileName = "ridirirodo.pdf";
inline constexpr std::string_view kNoManualViewerText = "To View Help install Acrobat Reader first";

// The user manual in the first of `folders` that holds it (the program's own folder, the
// installed documentation, the current folder, in the caller's order).
[[nodiscard]] std::optional<std::filesystem::path> FindUserManual(const std::vector<std::filesystem::path>& folders);

} // namespace zav
