#include "ui/shell/about_w.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

#include "shell/about_texts.h"
#include "ui/shell/themed_icon.h"
#include "ui/shell/zav_version.h"
#include "widgets/guarded_command.h"
#include "widgets/latin1_text.h"
#include "widgets/reader_name.h"

namespace zav {

TAboutW::TAboutW(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      linkButton_(new QPushButton(FromLatin1(AboutTexts::kWebAddress), this)),
      boardList_(new QPlainTextEdit(this))
{
    setWindowTitle(FromLatin1(AboutTexts::kCaption));

    // Drawn from the SVG at the screen's pixel ratio, so it stays sharp when scaled.
    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("Logo"));
    logo->setPixmap(OwnIcon("zav-logo.svg").pixmap(QSize(176, 88), devicePixelRatioF()));

    linkButton_->setObjectName(QStringLiteral("LinkButton"));
    linkButton_->setFlat(true);
    linkButton_->setCursor(Qt::PointingHandCursor);
    linkButton_->setAutoDefault(false);
    linkButton_->setStyleSheet(QStringLiteral("color: palette(link); text-decoration: underline;"));
    connect(linkButton_, &QPushButton::clicked, this, Guarded(this, [this] { LinkButtonClick(); }));

    boardList_->setReadOnly(true);
    SetReaderName(*boardList_, QStringLiteral("Programmer boards"));
    boardList_->setLineWrapMode(QPlainTextEdit::NoWrap);
    boardList_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    boardList_->setFocusPolicy(Qt::ClickFocus);
    QStringList boards;
    for (const std::string_view line : AboutTexts::BoardLines()) boards << FromLatin1(line);
    boardList_->setPlainText(boards.join(QLatin1Char('\n')));
    // Tall enough for every line, so none shows cut in half; the box still scrolls.
    const int frame = boardList_->frameWidth() * 2 + static_cast<int>(boardList_->document()->documentMargin() * 2);
    boardList_->setFixedHeight(boardList_->fontMetrics().lineSpacing() * (boards.size() + 1) + frame);

    auto* okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("Button1"));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* makerRow = new QHBoxLayout;
    makerRow->addWidget(new QLabel(FromLatin1(AboutTexts::kMakerLine), this));
    makerRow->addWidget(linkButton_);
    makerRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(logo, 0, Qt::AlignHCenter);
    layout->addWidget(new QLabel(FromLatin1(AboutTexts::kProductLine), this));
    layout->addWidget(new QLabel(FromLatin1(AboutTexts::kVersionLine), this));
    // The release of this program, as --version and the package give it; the line above is
    // the board software's.
    auto* release = new QLabel(QStringLiteral("zavprog %1").arg(ZavVersion()), this);
    release->setObjectName(QStringLiteral("ProgramVersion"));
    layout->addWidget(release);
    layout->addLayout(makerRow);
    layout->addWidget(new QLabel(FromLatin1(AboutTexts::kBoardsCaption), this));
    layout->addWidget(boardList_);
    layout->addWidget(okButton, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    okButton->setFocus();
}

void TAboutW::LinkButtonClick()
{
    QDesktopServices::openUrl(QUrl(FromLatin1(AboutTexts::kWebAddress)));
}

} // namespace zav
