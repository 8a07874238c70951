#include "shell/user_manual.h"

#include <system_error>

namespace zav {

std::optional<std::filesystem::path> FindUserManual(const std::vector<std::filesystem::path>& folders)
{
    for (const auto& folder : folders) {
        const std::filesystem::path candidate = folder / kManualFileName;
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) return candidate;
    }
    return std::nullopt;
}

} // namespace zav
