#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QObject>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "ui/shell/desktop_document.h"

namespace zav {

// Stands in for the desktop: records what QDesktopServices was asked to open.
class OpenedUrls : public QObject {
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void Open(const QUrl& url) { urls.append(url); }
};

class DesktopDocumentTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(bin_.isValid());
        savedPath_ = qgetenv("PATH");
        // Only our xdg-mime stand-in (or none) is found.
        qputenv("PATH", bin_.path().toLocal8Bit());
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened_, "Open");
        opened_.urls.clear();
    }

    void cleanup()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        qputenv("PATH", savedPath_);
        QFile::remove(bin_.filePath(QStringLiteral("xdg-mime")));
    }

    void OpensWithTheAssociatedApplication()
    {
        WriteXdgMime(QStringLiteral("echo org.gnome.Evince.desktop"));
        QVERIFY(OpenWithDesktopApplication("/usr/share/doc/zav/ridirirodo.pdf"));
        QCOMPARE(opened_.urls, QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/usr/share/doc/zav/ridirirodo.pdf"))});
    }

    void NoAssociationOpensNothing()
    {
        WriteXdgMime(QStringLiteral("exit 0"));
        QVERIFY(!OpenWithDesktopApplication("/tmp/ridirirodo.pdf"));
        WriteXdgMime(QStringLiteral("echo 'xdg-mime: no method available' >&2; exit 3"));
        QVERIFY(!OpenWithDesktopApplication("/tmp/ridirirodo.pdf"));
        QVERIFY(opened_.urls.isEmpty());
    }

    void MissingXdgMimeOpensNothing()
    {
        QVERIFY(!OpenWithDesktopApplication("/tmp/ridirirodo.pdf"));
        QVERIFY(opened_.urls.isEmpty());
    }

    void AsksAboutTheDocumentsType()
    {
        WriteXdgMime(QStringLiteral("[ \"$1 $2 $3\" = 'query default text/html' ] && echo firefox.desktop"));
        QVERIFY(OpenWithDesktopApplication("/tmp/page.html", QStringLiteral("text/html")));
        QVERIFY(!OpenWithDesktopApplication("/tmp/ridirirodo.pdf"));
    }

private:
    void WriteXdgMime(const QString& body)
    {
        QFile script(bin_.filePath(QStringLiteral("xdg-mime")));
        QVERIFY(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
        script.write(("#!/bin/sh\n" + body + "\n").toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QTemporaryDir bin_;
    QByteArray savedPath_;
    OpenedUrls opened_;
};

} // namespace zav

QTEST_MAIN(zav::DesktopDocumentTest)
#include "desktop_document_test.moc"
