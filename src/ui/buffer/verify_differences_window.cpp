#include "ui/buffer/verify_differences_window.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "buffer/cell_difference.h"
#include "buffer/numeric_helpers.h"
#include "ui/buffer/hex_edit_window.h"
#include "widgets/latin1_text.h"
#include "widgets/reader_name.h"
#include "widgets/system_text.h"

namespace zav {

TVerifyDifferences::TVerifyDifferences(THexEdit& editor, QWidget* parent)
    : QWidget(parent, Qt::Window), editor_(editor)
{
    setObjectName(QStringLiteral("VerifyDifferences"));
    setWindowTitle(QStringLiteral("Verify Differences"));

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("Summary"));
    // A compared file's name may be long: the line wraps rather than widening the window.
    summary_->setWordWrap(true);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("DifferenceList"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAlternatingRowColors(true);
    list_->setHeaderLabels({QStringLiteral("Address"), QStringLiteral("Buffer"), QStringLiteral("Device")});
    list_->header()->setStretchLastSection(false);
    list_->setToolTip(QStringLiteral("Double-click a cell to show it in the hex editor"));
    SetReaderName(*list_, QStringLiteral("Differences"));
    copy_ = new QPushButton(QStringLiteral("Copy"), this);
    copy_->setObjectName(QStringLiteral("CopyButton"));
    copy_->setToolTip(QStringLiteral("Put the list on the clipboard as text, one cell a line"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(summary_, 1);
    buttons->addWidget(copy_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    connect(copy_, &QPushButton::clicked, this, &TVerifyDifferences::CopyList);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { OpenItem(item); });
    connect(&editor_, &THexEdit::DifferencesChanged, this, &TVerifyDifferences::Refresh);
    resize(360, 420);
    Refresh();
}

void TVerifyDifferences::Refresh()
{
    const std::vector<CellDifference>& differences = editor_.Differences().Marks().All();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(differences.size()));
    for (const CellDifference& difference : differences) {
        auto* item = new QTreeWidgetItem({FromLatin1(AddressText(difference.address)),
                                          FromLatin1(ByteText(difference.expected)),
                                          FromLatin1(ByteText(difference.device))});
        item->setData(0, Qt::UserRole, difference.address);
        items.append(item);
    }
    list_->clear();
    list_->addTopLevelItems(items);
    for (int column = 0; column < list_->columnCount(); ++column) list_->resizeColumnToContents(column);
    const bool fromFile = editor_.Differences().Marks().Source() == DifferenceSource::File;
    list_->headerItem()->setText(2, fromFile ? QStringLiteral("File") : QStringLiteral("Device"));
    const QString summary = FromLatin1(editor_.Differences().Marks().Summary());
    const QString fileName = QFileInfo(FromSystemPath(editor_.Differences().Marks().FileName())).fileName();
    summary_->setText(fromFile ? QStringLiteral("Compared with %1: %2").arg(fileName, summary) : summary);
    copy_->setEnabled(!differences.empty());
}

void TVerifyDifferences::CopyList()
{
    const DifferenceMarks& marks = editor_.Differences().Marks();
    QApplication::clipboard()->setText(FromLatin1(DifferencesText(marks.All(), marks.OtherSide())));
}

void TVerifyDifferences::OpenItem(QTreeWidgetItem* item)
{
    if (item == nullptr) return;
    if (!editor_.isVisible()) editor_.show();
    editor_.raise();
    editor_.activateWindow();
    editor_.SelectAddress(item->data(0, Qt::UserRole).toInt());
}

} // namespace zav
