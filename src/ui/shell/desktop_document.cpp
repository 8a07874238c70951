#include "ui/shell/desktop_document.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace zav {

namespace {

// xdg-mime is a small shell script; it answers at once or not at all.
constexpr int kQueryTimeoutMs = 5000;

bool HasDesktopApplicationFor(const QString& mimeType)
{
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForFinished(kQueryTimeoutMs)) {
        query.kill();
        query.waitForFinished();
        return false;
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0) return false;
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace

bool OpenWithDesktopApplication(const std::filesystem::path& document, const QString& mimeType)
{
    if (!HasDesktopApplicationFor(mimeType)) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(document.string())));
}

} // namespace zav
