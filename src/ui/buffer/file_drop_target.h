#pragma once

#include <QObject>
#include <QString>

#include <optional>

class QEvent;
class QMimeData;
class QWidget;

namespace zav {

// The local file a drag carries, the first where it carries several; nothing for anything
// else (text, remote addresses), which the windows then refuse.
[[nodiscard]] std::optional<QString> DroppedFile(const QMimeData* data);

// Makes a window take files dropped on it: a drag that carries a local file is accepted,
// any other refused, and each drop handed on as FileDropped. A receiver that may ask a
// question connects queued, so that no box holds the desktop's drag and drop open.
class FileDropTarget : public QObject {
    Q_OBJECT
public:
    explicit FileDropTarget(QWidget& window);

signals:
    void FileDropped(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace zav
