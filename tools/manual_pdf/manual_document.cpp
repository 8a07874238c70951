#include "manual_document.h"

#include <QFont>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>
#include <utility>

namespace {

constexpr int kContentsLevels = 2;
const QString kPagePlaceholder = QStringLiteral("000");

// Lengths in the document are screen pixels (1/96 inch); the layout scales them to the
// paint device.
qreal Points(qreal points)
{
    return points * 96.0 / 72.0;
}

QFont BodyFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(10);
    // Without shaping there are no ligatures, so "fi" stays two letters a reader can search.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// The importer gives headings a relative size; the manual wants fixed sizes per level.
qreal HeadingPointSize(int level)
{
    switch (level) {
    case 1: return 20;
    case 2: return 14;
    default: return 11.5;
    }
}

void StyleHeading(QTextBlock block)
{
    const bool firstBlock = !block.previous().isValid();
    const int level = block.blockFormat().headingLevel();
    QTextCursor cursor(block);
    QTextBlockFormat format = block.blockFormat();
    format.setTopMargin(Points(level == 1 ? 0 : 14));
    format.setBottomMargin(Points(level == 1 ? 14 : 6));
    // A chapter starts on a new page (the first one already does); a heading never ends a
    // page alone.
    format.setPageBreakPolicy(level == 1 && !firstBlock ? QTextFormat::PageBreak_AlwaysBefore
                                                        : QTextFormat::PageBreak_Auto);
    format.setNonBreakableLines(true);
    cursor.setBlockFormat(format);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    QTextCharFormat text;
    text.setFontPointSize(HeadingPointSize(level));
    text.setFontWeight(QFont::Bold);
    text.setForeground(QColor(0x1f, 0x3a, 0x5f));
    cursor.mergeCharFormat(text);
}

// The importer marks the lines of indented and fenced code blocks with a code language
// (empty for indented ones); a paragraph that merely starts with inline code has none. The
// first cell of a table right after a code block inherits the mark, so cells never count.
bool IsCodeLine(const QTextBlock& block)
{
    return block.isValid() &&
           (block.blockFormat().hasProperty(QTextFormat::BlockCodeLanguage) ||
            block.blockFormat().hasProperty(QTextFormat::BlockCodeFence)) &&
           QTextCursor(block).currentTable() == nullptr;
}

// Each line of a code block is a block of its own: together they form one shaded box.
void StyleCodeLine(const QTextBlock& block)
{
    QTextBlockFormat format = block.blockFormat();
    format.setBackground(QColor(0xf2, 0xf2, 0xf2));
    format.setLeftMargin(Points(8));
    format.setTopMargin(IsCodeLine(block.previous()) ? 0 : Points(2));
    format.setBottomMargin(IsCodeLine(block.next()) ? 0 : Points(8));
    QTextCursor(block).setBlockFormat(format);
}

void StyleTable(QTextTable* table)
{
    QTextTableFormat format = table->format();
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderBrush(QColor(0x99, 0x99, 0x99));
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(Points(3));
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    format.setTopMargin(Points(4));
    format.setBottomMargin(Points(8));
    format.setHeaderRowCount(1);
    table->setFormat(format);
    for (int column = 0; column < table->columns(); ++column) {
        QTextTableCell cell = table->cellAt(0, column);
        QTextCharFormat header = cell.format();
        header.setBackground(QColor(0xe8, 0xee, 0xf4));
        cell.setFormat(header);
    }
}

} // namespace

ManualDocument::ManualDocument(QString title, QString subtitle, QDir imageFolder, qreal imageScale,
                               bool dropMissingImages)
    : title_(std::move(title)), subtitle_(std::move(subtitle)), imageFolder_(std::move(imageFolder)),
      imageScale_(imageScale), dropMissingImages_(dropMissingImages)
{
}

void ManualDocument::Build(const QString& markdown, qreal textWidth)
{
    body_.setDefaultFont(BodyFont());
    body_.setDocumentMargin(0);
    body_.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    StyleBody();
    PlaceImages(textWidth);
    CollectHeadings();
    BuildFrontMatter(textWidth);
}

void ManualDocument::StyleBody()
{
    for (QTextBlock block = body_.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0) {
            StyleHeading(block);
        } else if (IsCodeLine(block)) {
            StyleCodeLine(block);
        } else if (!block.textList() && !QTextCursor(block).currentTable()) {
            QTextCursor cursor(block);
            QTextBlockFormat format = block.blockFormat();
            format.setBottomMargin(Points(6));
            cursor.setBlockFormat(format);
        }
    }
    for (QTextFrame* frame : body_.rootFrame()->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(frame)) StyleTable(table);
    }
}

void ManualDocument::PlaceImages(qreal textWidth)
{
    // Screenshots are taken at twice the screen's density; at `imageScale_` they show at
    // their on-screen size, unless that is wider than the text.
    for (QTextBlock block = body_.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat()) continue;
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const QString name = format.name();
            const QImage image(imageFolder_.filePath(name));
            if (image.isNull()) {
                missingImages_.append(name);
                if (dropMissingImages_) {
                    QTextCursor picture(&body_);
                    picture.setPosition(fragment.position());
                    picture.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
                    picture.removeSelectedText();
                    break;
                }
                continue;
            }
            body_.addResource(QTextDocument::ImageResource, QUrl(name), image);
            const qreal width = std::min(image.width() * imageScale_, textWidth);
            format.setWidth(width);
            format.setHeight(width * image.height() / image.width());
            QTextCursor cursor(&body_);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);

            // The picture stands centred in its own paragraph, its alternative text under it.
            QTextBlockFormat pictureFormat = block.blockFormat();
            pictureFormat.setAlignment(Qt::AlignHCenter);
            pictureFormat.setTopMargin(Points(6));
            pictureFormat.setBottomMargin(Points(2));
            QTextCursor(block).setBlockFormat(pictureFormat);
            const QString caption = format.property(QTextFormat::ImageAltText).toString();
            if (!caption.isEmpty()) {
                QTextCursor end(block);
                end.movePosition(QTextCursor::EndOfBlock);
                QTextBlockFormat captionFormat = pictureFormat;
                captionFormat.setTopMargin(0);
                captionFormat.setBottomMargin(Points(10));
                QTextCharFormat captionText;
                captionText.setFontItalic(true);
                captionText.setFontPointSize(9);
                captionText.setForeground(QColor(0x44, 0x44, 0x44));
                end.insertBlock(captionFormat, captionText);
                end.insertText(caption, captionText);
                block = end.block();
            }
            break;
        }
    }
}

void ManualDocument::CollectHeadings()
{
    for (QTextBlock block = body_.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level == 0 || level > kContentsLevels) continue;
        headings_.push_back({level, block.text(), block.blockNumber(), 0});
    }
}

void ManualDocument::BuildFrontMatter(qreal textWidth)
{
    frontMatter_.setDefaultFont(BodyFont());
    frontMatter_.setDocumentMargin(0);
    QTextCursor cursor(&frontMatter_);
    // An empty first line puts the title a third down the title page.
    QTextBlockFormat spacer;
    spacer.setLineHeight(Points(220), QTextBlockFormat::FixedHeight);
    cursor.setBlockFormat(spacer);

    QTextBlockFormat titleBlock;
    titleBlock.setAlignment(Qt::AlignHCenter);
    QTextCharFormat titleText;
    titleText.setFontPointSize(26);
    titleText.setFontWeight(QFont::Bold);
    titleText.setForeground(QColor(0x1f, 0x3a, 0x5f));
    cursor.insertBlock(titleBlock, titleText);
    cursor.insertText(title_);

    QTextBlockFormat subtitleBlock;
    subtitleBlock.setAlignment(Qt::AlignHCenter);
    subtitleBlock.setTopMargin(Points(18));
    subtitleBlock.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysAfter);
    QTextCharFormat subtitleText;
    subtitleText.setFontPointSize(14);
    cursor.insertBlock(subtitleBlock, subtitleText);
    cursor.insertText(subtitle_);

    QTextBlockFormat contentsTitle;
    contentsTitle.setBottomMargin(Points(14));
    QTextCharFormat contentsTitleText;
    contentsTitleText.setFontPointSize(HeadingPointSize(1));
    contentsTitleText.setFontWeight(QFont::Bold);
    contentsTitleText.setForeground(QColor(0x1f, 0x3a, 0x5f));
    cursor.insertBlock(contentsTitle, contentsTitleText);
    cursor.insertText(QStringLiteral("Contents"));

    for (Heading& heading : headings_) {
        // A right tab stop at the text's edge puts every page number flush right; sections are
        // indented with em spaces, since a block margin would shift the tab stop too.
        QTextBlockFormat line;
        line.setTabPositions({QTextOption::Tab(textWidth - 1, QTextOption::RightTab)});
        line.setTopMargin(heading.level == 1 ? Points(4) : 0);
        QTextCharFormat text;
        text.setFontPointSize(9.5);
        text.setFontWeight(heading.level == 1 ? QFont::Bold : QFont::Normal);
        cursor.insertBlock(line, text);
        const QString indent = heading.level == 1 ? QString() : QStringLiteral("\u2003\u2003");
        cursor.insertText(indent + heading.text + QLatin1Char('\t') + kPagePlaceholder);
        heading.contentsBlock = cursor.block().blockNumber();
    }
}

void ManualDocument::SetContentsPageNumber(std::size_t index, int pageNumber)
{
    const QTextBlock line = frontMatter_.findBlockByNumber(headings_.at(index).contentsBlock);
    QTextCursor cursor(line);
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor,
                        static_cast<int>(kPagePlaceholder.size()));
    cursor.insertText(QString::number(pageNumber));
}
