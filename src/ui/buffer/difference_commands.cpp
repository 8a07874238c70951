#include "ui/buffer/difference_commands.h"

#include <QAction>
#include <QLabel>
#include <QStatusBar>

#include "buffer/memory_buffer.h"
#include "buffer/numeric_helpers.h"
#include "ui/buffer/editor_actions.h"
#include "ui/buffer/hex_edit_window.h"
#include "widgets/latin1_text.h"

namespace zav {

DifferenceCommands::DifferenceCommands(THexEdit& editor, QStatusBar& statusBar) : editor_(editor)
{
    next_ = AddEditorAction(editor, {"EditNextDifference",
                                     "Next Difference",
                                     {QKeySequence(Qt::Key_F8)},
                                     "Next cell the last verify or file comparison found different"});
    previous_ = AddEditorAction(editor, {"EditPreviousDifference",
                                         "Previous Difference",
                                         {QKeySequence(QKeyCombination(Qt::ShiftModifier, Qt::Key_F8))},
                                         "Previous cell the last verify or file comparison found different"});
    for (QAction* action : {next_, previous_}) action->setEnabled(false);
    QObject::connect(next_, &QAction::triggered, &editor,
                     [this] { GoTo(marks_.Next(editor_.CursorAddress())); });
    QObject::connect(previous_, &QAction::triggered, &editor,
                     [this] { GoTo(marks_.Previous(editor_.CursorAddress())); });

    devicePanel_ = new QLabel(&statusBar);
    devicePanel_->setObjectName(QStringLiteral("DevicePanel"));
    devicePanel_->setToolTip(QStringLiteral("The device's value of the cell, as the last verify read it"));
    statusBar.addPermanentWidget(devicePanel_);
}

void DifferenceCommands::Set(const std::vector<CellDifference>& differences, DifferenceSource source,
                             const std::string& fileName)
{
    const MemoryBuffer& buffer = editor_.Buffer();
    marks_.Set(differences, source, fileName);
    marks_.Remember([&buffer](std::int32_t a) { return buffer.GetByte(a); });
    editor_.RepaintGrids();
    ShowCursorMark();
    emit editor_.DifferencesChanged();
}

bool DifferenceCommands::DropEdited(std::int32_t first, std::int32_t last)
{
    const MemoryBuffer& buffer = editor_.Buffer();
    return marks_.DropEdited(first, last, [&buffer](std::int32_t a) { return buffer.GetByte(a); });
}

void DifferenceCommands::ShowCursorMark()
{
    const bool marked = !marks_.Empty();
    next_->setEnabled(marked);
    previous_->setEnabled(marked);
    const std::optional<CellDifference> mark = marks_.Find(editor_.CursorAddress());
    const QString side =
        marks_.Source() == DifferenceSource::Verify ? QStringLiteral("Device") : QStringLiteral("File");
    devicePanel_->setText(mark ? QStringLiteral("%1: %2").arg(side, FromLatin1(ByteText(mark->device)))
                               : QString());
    devicePanel_->setVisible(mark.has_value());
}

void DifferenceCommands::GoTo(std::optional<std::int32_t> address)
{
    if (!address) return;
    if (!editor_.isVisible()) editor_.show();
    editor_.raise();
    editor_.SelectAddress(*address);
}

} // namespace zav
