// Build tool: draws each of the program's SVG icons as pictures of the sizes the windows ask
// for, so that a start-up shows its icons without the SVG plugin, SVG parsing or an image
// decoder: each picture is its pixels as they lie in a QImage of Format_ARGB32_Premultiplied.
//   render_icons OUTPUT_FOLDER SIZE,SIZE,... ICON.svg ...
// writes OUTPUT_FOLDER/<icon>-<size>.argb for every icon and size.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: render_icons OUTPUT_FOLDER SIZE,SIZE,... ICON.svg ...\n");
        return 2;
    }
    const QDir output(arguments[1]);
    if (!output.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "render_icons: cannot create %s\n", qPrintable(arguments[1]));
        return 1;
    }
    QList<int> sizes;
    for (const QString& size : arguments[2].split(QLatin1Char(','))) sizes.append(size.toInt());
    for (const QString& path : arguments.mid(3)) {
        QSvgRenderer renderer(path);
        if (!renderer.isValid()) {
            std::fprintf(stderr, "render_icons: %s is not a valid SVG file\n", qPrintable(path));
            return 1;
        }
        renderer.setAspectRatioMode(Qt::KeepAspectRatio);
        const QString stem = QFileInfo(path).completeBaseName();
        for (const int size : sizes) {
            QImage picture(size, size, QImage::Format_ARGB32_Premultiplied);
            picture.fill(Qt::transparent);
            QPainter painter(&picture);
            renderer.render(&painter);
            painter.end();
            const QString target = output.filePath(stem + QLatin1Char('-') + QString::number(size) + ".argb");
            QFile file(target);
            const auto bytes = static_cast<qint64>(picture.sizeInBytes());
            if (!file.open(QIODevice::WriteOnly) ||
                file.write(reinterpret_cast<const char*>(picture.constBits()), bytes) != bytes || !file.flush()) {
                std::fprintf(stderr, "render_icons: cannot write %s\n", qPrintable(target));
                return 1;
            }
        }
    }
    return 0;
}
