// The hex editor's part in showing where a verify found the part different from the buffer,
// and the checksums of its selection.

#include <QAction>
#include <QLabel>
#include <QStatusBar>

#include "buffer/checksum.h"
#include "buffer/memory_buffer.h"
#include "buffer/numeric_helpers.h"
#include "ui/buffer/hex_edit_window.h"
#include "ui/buffer/hex_grid_view.h"
#include "widgets/latin1_text.h"

namespace zav {

namespace {

// The selection's cells as one range per row, in selection order.
std::vector<AddressRange> SelectionRows(const Selection& selection)
{
    std::vector<AddressRange> rows;
    for (int row = selection.Top(); row <= selection.Bottom(); ++row)
        rows.push_back({HexCellAddress(selection.Left(), row), HexCellAddress(selection.Right(), row)});
    return rows;
}

} // namespace

void THexEdit::CreateDifferenceParts()
{
    const auto create = [this](const char* name, const char* caption, QKeyCombination key, const char* hint,
                               void (THexEdit::*handler)()) {
        auto* action = new QAction(QString::fromLatin1(caption), this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(QKeySequence(key));
        action->setToolTip(QString::fromLatin1(hint));
        action->setStatusTip(QString::fromLatin1(hint));
        action->setEnabled(false);
        connect(action, &QAction::triggered, this, handler);
        addAction(action);
        return action;
    };
    nextDifference_ =
        create("EditNextDifference", "Next Difference", QKeyCombination(Qt::Key_F8),
               "Next cell the last verify or file comparison found different", &THexEdit::NextDifference);
    previousDifference_ =
        create("EditPreviousDifference", "Previous Difference", QKeyCombination(Qt::ShiftModifier, Qt::Key_F8),
               "Previous cell the last verify or file comparison found different", &THexEdit::PreviousDifference);

    devicePanel_ = new QLabel(statusBar_);
    devicePanel_->setObjectName(QStringLiteral("DevicePanel"));
    devicePanel_->setToolTip(QStringLiteral("The device's value of the cell, as the last verify read it"));
    checksumPanel_ = new QLabel(selectionLine_);
    checksumPanel_->setObjectName(QStringLiteral("SelectionChecksumPanel"));
    checksumPanel_->setIndent(4);
    checksumPanel_->setToolTip(QStringLiteral("CRC-32 (IEEE 802.3) and 16-bit sum of the selected cells"));
    checksumPanel_->hide();
    statusBar_->addPermanentWidget(devicePanel_);
    LayOutSelectionLine();
}

void THexEdit::SetVerifyDifferences(const std::vector<CellDifference>& differences)
{
    SetDifferences(differences, DifferenceSource::Verify, {});
}

void THexEdit::SetFileDifferences(const std::vector<CellDifference>& differences, const std::string& fileName)
{
    SetDifferences(differences, DifferenceSource::File, fileName);
}

void THexEdit::SetDifferences(const std::vector<CellDifference>& differences, DifferenceSource source,
                              const std::string& fileName)
{
    differences_.Set(differences, source, fileName);
    differences_.Remember([this](std::int32_t a) { return buffer_->GetByte(a); });
    RepaintGrids();
    ShowDifferenceAndChecksums();
    emit DifferencesChanged();
}

void THexEdit::NextDifference()
{
    GoToDifference(differences_.Next(cursor_.Address()));
}

void THexEdit::PreviousDifference()
{
    GoToDifference(differences_.Previous(cursor_.Address()));
}

void THexEdit::GoToDifference(std::optional<std::int32_t> address)
{
    if (!address) return;
    if (!isVisible()) show();
    raise();
    SelectAddress(*address);
}

void THexEdit::ShowDifferenceAndChecksums()
{
    const bool marked = !differences_.Empty();
    nextDifference_->setEnabled(marked);
    previousDifference_->setEnabled(marked);

    const std::optional<CellDifference> mark = differences_.Find(cursor_.Address());
    const QString side = differences_.Source() == DifferenceSource::Verify ? QStringLiteral("Device")
                                                                            : QStringLiteral("File");
    devicePanel_->setText(mark ? QStringLiteral("%1: %2").arg(side, FromLatin1(ByteText(mark->device)))
                               : QString());
    devicePanel_->setVisible(mark.has_value());

    const Selection selection = cursor_.GetSelection();
    if (!selection.HasSelection()) {
        checksumPanel_->clear();
        checksumPanel_->setVisible(false);
    } else {
        checksumPanel_->setText(
            FromLatin1(ChecksumsCaption(BufferChecksums(*buffer_, SelectionRows(selection)))));
        checksumPanel_->setVisible(true);
    }
    LayOutSelectionLine();
}

} // namespace zav
