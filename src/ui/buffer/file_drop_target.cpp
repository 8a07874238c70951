#include "ui/buffer/file_drop_target.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace zav {

std::optional<QString> DroppedFile(const QMimeData* data)
{
    if (data == nullptr || !data->hasUrls()) return std::nullopt;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) return url.toLocalFile();
    }
    return std::nullopt;
}

FileDropTarget::FileDropTarget(QWidget& window) : QObject(&window)
{
    window.setAcceptDrops(true);
    window.installEventFilter(this);
}

bool FileDropTarget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::DragEnter) {
        auto* enter = static_cast<QDragEnterEvent*>(event);
        if (DroppedFile(enter->mimeData())) enter->acceptProposedAction();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const auto path = DroppedFile(drop->mimeData());
        if (!path) return true;
        drop->acceptProposedAction();
        emit FileDropped(*path);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zav
