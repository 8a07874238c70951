#include "ui/buffer/dropped_file.h"

#include <QMimeData>
#include <QUrl>

namespace zav {

std::optional<QString> DroppedFile(const QMimeData* data)
{
    if (data == nullptr || !data->hasUrls()) return std::nullopt;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) return url.toLocalFile();
    }
    return std::nullopt;
}

} // namespace zav
