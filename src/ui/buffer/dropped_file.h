#pragma once

#include <QString>

#include <optional>

class QMimeData;

namespace zav {

// The local file a drag carries, the first where it carries several; nothing for anything
// else (text, remote addresses), which the windows then refuse.
[[nodiscard]] std::optional<QString> DroppedFile(const QMimeData* data);

} // namespace zav
