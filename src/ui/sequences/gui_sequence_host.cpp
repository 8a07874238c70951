#include "ui/sequences/gui_sequence_host.h"

#include <QAbstractButton>
#include <QApplication>
#include <QProgressBar>

#include "shell/main_window_flow.h"

namespace zav {

GuiSequenceHost::GuiSequenceHost(SequenceWidgets widgets, QObject* parent)
    : QObject(parent), BufferSequenceHost(widgets.buffer), widgets_(widgets)
{
    if (widgets_.progress != nullptr) {
        progressPosition_ = widgets_.progress->value();
        progressMaximum_ = widgets_.progress->maximum();
    }
}

void GuiSequenceHost::AddStatusMessage(const std::string& text, StatusKind kind)
{
    widgets_.status.AddStatusMessage(text, kind);
}

BoxAnswer GuiSequenceHost::Show(const BoxRequest& request)
{
    return widgets_.boxes.Show(request);
}

bool GuiSequenceHost::PortIdle()
{
    return widgets_.flow.PortIdle();
}

void GuiSequenceHost::SetPortIdle(bool idle)
{
    widgets_.flow.SetPortIdle(idle);
    emit PortIdleChanged(idle);
}

void GuiSequenceHost::SetProgressMaximum(int maximum)
{
    progressMaximum_ = maximum;
    ShowProgress();
}

void GuiSequenceHost::SetProgressPosition(int position)
{
    progressPosition_ = position;
    ShowProgress();
}

void GuiSequenceHost::ShowProgress()
{
    if (progressPending_ || widgets_.progress == nullptr) return;
    progressPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            progressPending_ = false;
            if (widgets_.progress == nullptr) return;
            widgets_.progress->setMaximum(progressMaximum_);
            widgets_.progress->setValue(std::min(progressPosition_, progressMaximum_));
        },
        Qt::QueuedConnection);
}

void GuiSequenceHost::PutStartButtonUp(SequenceKind kind)
{
    QAbstractButton* button = kind == SequenceKind::Read ? widgets_.readStart : widgets_.programStart;
    // setChecked is no click, so the button's click handler does not run.
    if (button != nullptr) button->setChecked(false);
}

bool GuiSequenceHost::IsOptionDown(SequenceOption option)
{
    const QAbstractButton* button = widgets_.options[static_cast<std::size_t>(option)];
    return button != nullptr && button->isChecked();
}

std::string GuiSequenceHost::DeviceIdText()
{
    return widgets_.flow.DeviceName();
}

ProgramSettings GuiSequenceHost::GetProgramSettings()
{
    return widgets_.flow.Settings().program;
}

void GuiSequenceHost::Beep()
{
    QApplication::beep();
}

void GuiSequenceHost::SetVerifyDifferences(const std::vector<CellDifference>& differences)
{
    if (widgets_.verifyDifferences) widgets_.verifyDifferences(differences);
}

} // namespace zav
