#pragma once

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTextDocument>

#include <vector>

// The user manual as two rich-text documents: the front matter (title and table of
// contents) and the body built from the Markdown chapters, with a page break before every
// chapter, screenshots scaled to the text width and a caption under each picture.
// ManualPdfWriter pages both and fills in the contents' page numbers.
class ManualDocument {
public:
    struct Heading {
        int level = 0;
        QString text;
        int bodyBlock = 0;     // the heading's block in the body
        int contentsBlock = 0; // its line in the front matter's table of contents
    };

    // With `dropMissingImages` a picture the folder lacks is left out of the manual (and
    // listed in MissingImages()); otherwise its place stays empty.
    ManualDocument(QString title, QString subtitle, QDir imageFolder, qreal imageScale, bool dropMissingImages);
    ManualDocument(const ManualDocument&) = delete;
    ManualDocument& operator=(const ManualDocument&) = delete;

    // Builds both documents for a text area `textWidth` screen pixels (1/96 inch) wide.
    void Build(const QString& markdown, qreal textWidth);

    [[nodiscard]] QTextDocument& FrontMatter() { return frontMatter_; }
    [[nodiscard]] QTextDocument& Body() { return body_; }
    [[nodiscard]] const std::vector<Heading>& Headings() const { return headings_; }
    // Pictures the Markdown names but the image folder lacks.
    [[nodiscard]] const QStringList& MissingImages() const { return missingImages_; }

    // Writes `pageNumber` at the end of heading `index`'s line in the table of contents.
    void SetContentsPageNumber(std::size_t index, int pageNumber);

private:
    void StyleBody();
    void PlaceImages(qreal textWidth);
    void CollectHeadings();
    void BuildFrontMatter(qreal textWidth);

    QString title_;
    QString subtitle_;
    QDir imageFolder_;
    qreal imageScale_;
    bool dropMissingImages_;
    QTextDocument frontMatter_;
    QTextDocument body_;
    std::vector<Heading> headings_;
    QStringList missingImages_;
};
