// Builds the user manual's PDF from its Markdown chapters and screenshots, without a
// display: manual_pdf --output FILE --title TEXT --subtitle TEXT --images FOLDER
// [--image-scale S] [--drop-missing-images] CHAPTER.md...
#include "manual_document.h"
#include "manual_pdf_writer.h"

#include <QCommandLineParser>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

namespace {

int Fail(const QString& message)
{
    std::fprintf(stderr, "manual_pdf: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    // The tool never shows a window; the offscreen platform still gives it fonts.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    const QCommandLineOption output(QStringLiteral("output"), QStringLiteral("PDF to write"), QStringLiteral("file"));
    const QCommandLineOption title(QStringLiteral("title"), QStringLiteral("title"), QStringLiteral("text"));
    const QCommandLineOption subtitle(QStringLiteral("subtitle"), QStringLiteral("subtitle"), QStringLiteral("text"));
    const QCommandLineOption images(QStringLiteral("images"), QStringLiteral("screenshot folder"), QStringLiteral("folder"));
    const QCommandLineOption scale(QStringLiteral("image-scale"), QStringLiteral("screenshot pixels to screen pixels"),
                                   QStringLiteral("factor"), QStringLiteral("0.5"));
    const QCommandLineOption dropMissing(QStringLiteral("drop-missing-images"),
                                         QStringLiteral("leave out pictures the folder lacks, with a warning"));
    parser.addOptions({output, title, subtitle, images, scale, dropMissing});
    parser.addPositionalArgument(QStringLiteral("chapters"), QStringLiteral("Markdown files, in order"));
    parser.process(app);
    if (!parser.isSet(output) || parser.positionalArguments().isEmpty())
        return Fail(QStringLiteral("usage: manual_pdf --output FILE [--title T] [--subtitle T] [--images DIR] CHAPTER.md..."));

    QString markdown;
    for (const QString& chapter : parser.positionalArguments()) {
        QFile file(chapter);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return Fail(QStringLiteral("cannot read %1: %2").arg(chapter, file.errorString()));
        markdown += QString::fromUtf8(file.readAll()) + QStringLiteral("\n\n");
    }

    bool scaleIsNumber = false;
    const double imageScale = parser.value(scale).toDouble(&scaleIsNumber);
    if (!scaleIsNumber || imageScale <= 0) return Fail(QStringLiteral("--image-scale needs a positive number"));

    ManualDocument manual(parser.value(title), parser.value(subtitle), QDir(parser.value(images)), imageScale,
                          parser.isSet(dropMissing));
    ManualPdfWriter writer(parser.value(title));
    QString error;
    if (!writer.Write(manual, markdown, parser.value(output), error)) return Fail(error);
    if (!manual.MissingImages().isEmpty() && parser.isSet(dropMissing)) {
        std::fprintf(stderr, "manual_pdf: warning: left out the pictures missing from %s: %s\n",
                     qPrintable(parser.value(images)), qPrintable(manual.MissingImages().join(QStringLiteral(", "))));
    } else if (!manual.MissingImages().isEmpty()) {
        QFile::remove(parser.value(output));
        return Fail(QStringLiteral("pictures missing from %1: %2")
                        .arg(parser.value(images), manual.MissingImages().join(QStringLiteral(", "))));
    }
    return 0;
}
