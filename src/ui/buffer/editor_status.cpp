#include "ui/buffer/editor_status.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QStatusBar>

#include <algorithm>

#include "buffer/checksum.h"
#include "operations/selection_panel.h"
#include "widgets/latin1_text.h"

namespace zav {

namespace {

// The status bar's first four panels at the design size, and the widest text each can show;
// the fifth, the character set, takes the rest of the bar.
constexpr std::array<int, 4> kPanelDesignWidths{45, 70, 95, 170};
const std::array<const char*, 4> kPanelWidestTexts{" FFFF", "Dec: 255", "Bin: 00000000", "Unimplemented"};

// The selection's cells as one range per row, in selection order.
std::vector<AddressRange> SelectionRows(const Selection& selection)
{
    std::vector<AddressRange> rows;
    for (int row = selection.Top(); row <= selection.Bottom(); ++row)
        rows.push_back({HexCellAddress(selection.Left(), row), HexCellAddress(selection.Right(), row)});
    return rows;
}

} // namespace

EditorStatus::EditorStatus(QWidget& window)
{
    bar_ = new QStatusBar(&window);
    bar_->setObjectName(QStringLiteral("StatusBar1"));
    bar_->setSizeGripEnabled(false);
    bar_->setToolTip(QStringLiteral("Memory cell numerical representation and properties"));
    for (std::size_t panel = 0; panel < panels_.size(); ++panel) {
        auto* label = new QLabel(bar_);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(panel));
        label->setFrameShape(QFrame::NoFrame);
        bar_->addWidget(label, panel + 1 == panels_.size() ? 1 : 0);
        panels_[panel] = label;
    }
    CreateSelectionLine(window);
}

// The status bar's panels fill the window's width, so the selection takes a line of its own
// below them, kept while empty so the rows do not jump when a selection starts.
void EditorStatus::CreateSelectionLine(QWidget& window)
{
    selectionLine_ = new QWidget(&window);
    selectionLine_->setObjectName(QStringLiteral("SelectionLine"));
    auto* grid = new QGridLayout(selectionLine_);
    // The checksums keep the indent's distance from the right edge.
    grid->setContentsMargins(0, 0, 4, 0);
    grid->setSpacing(0);
    grid->setColumnStretch(0, 1);
    selectionPanel_ = new QLabel(selectionLine_);
    selectionPanel_->setObjectName(QStringLiteral("SelectionPanel"));
    selectionPanel_->setIndent(4);
    selectionPanel_->setMinimumHeight(selectionPanel_->fontMetrics().height() + 2);
    selectionPanel_->setToolTip(QStringLiteral("Selection: first and last address, length"));
    grid->addWidget(selectionPanel_, 0, 0);
    checksumPanel_ = new QLabel(selectionLine_);
    checksumPanel_->setObjectName(QStringLiteral("SelectionChecksumPanel"));
    checksumPanel_->setIndent(4);
    checksumPanel_->setToolTip(QStringLiteral("CRC-32 (IEEE 802.3) and 16-bit sum of the selected cells"));
    checksumPanel_->hide();
    LayOutSelectionLine();
}

void EditorStatus::ShowCell(const CellInfo& info)
{
    for (std::size_t panel = 0; panel + 1 < panels_.size(); ++panel) {
        panels_[panel]->setText(QString::fromLatin1(info.panels[panel].c_str()));
    }
}

void EditorStatus::ShowCharSet(const std::string& fontName)
{
    panels_[4]->setText(QString::fromLatin1(CharSetPanelText(fontName).c_str()));
}

void EditorStatus::ShowSelection(const Selection& selection)
{
    selectionPanel_->setText(QString::fromLatin1(SelectionPanelText(selection).c_str()));
    LayOutSelectionLine();
}

void EditorStatus::ShowChecksums(const MemoryBuffer& buffer, const Selection& selection)
{
    if (!selection.HasSelection()) {
        checksumPanel_->clear();
        checksumPanel_->setVisible(false);
    } else {
        checksumPanel_->setText(
            FromLatin1(ChecksumsCaption(BufferChecksums(buffer, SelectionRows(selection)))));
        checksumPanel_->setVisible(true);
    }
    LayOutSelectionLine();
}

void EditorStatus::LayOutSelectionLine()
{
    auto* grid = static_cast<QGridLayout*>(selectionLine_->layout());
    const int gap = 3 * selectionPanel_->fontMetrics().horizontalAdvance(QLatin1Char(' '));
    const int needed = selectionPanel_->sizeHint().width() + gap + checksumPanel_->sizeHint().width();
    const bool oneLine = checksumPanel_->isHidden() || needed <= selectionLine_->window()->width();
    const int row = oneLine ? 0 : 1;
    int shownRow = -1;
    int column = 0;
    int rowSpan = 0;
    int columnSpan = 0;
    if (const int at = grid->indexOf(checksumPanel_); at >= 0) {
        grid->getItemPosition(at, &shownRow, &column, &rowSpan, &columnSpan);
    }
    if (shownRow == row) return;
    grid->removeWidget(checksumPanel_);
    grid->addWidget(checksumPanel_, row, oneLine ? 1 : 0, oneLine ? Qt::AlignRight : Qt::AlignLeft);
}

void EditorStatus::FitPanels()
{
    const QFontMetrics metrics(bar_->font());
    const double scale = metrics.height() / 16.0;
    for (std::size_t panel = 0; panel < kPanelDesignWidths.size(); ++panel) {
        const int textWidth = metrics.horizontalAdvance(QString::fromLatin1(kPanelWidestTexts[panel])) + 8;
        panels_[panel]->setMinimumWidth(
            std::max(textWidth, static_cast<int>(kPanelDesignWidths[panel] * scale)));
    }
}

void EditorStatus::ShowPassingNote(const QString& text)
{
    constexpr int kNoteMilliseconds = 5000;
    bar_->showMessage(text, kNoteMilliseconds);
}

QString EditorStatus::PassingNote() const
{
    return bar_->currentMessage();
}

} // namespace zav
