#pragma once

#include <QString>

#include <filesystem>

namespace zav {

// Opens a document with the application the desktop associates with its type, as
// `xdg-mime query default <type>` names it. False, and nothing opened, when no application
// is associated (or xdg-mime is missing), so the caller can say what to install.
bool OpenWithDesktopApplication(const std::filesystem::path& document,
                                const QString& mimeType = QStringLiteral("application/pdf"));

} // namespace zav
