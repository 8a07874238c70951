#include "ui/shell/device_commands.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "devices/apply_device_selection.h"
#include "shell/main_window_flow.h"
#include "ui/buffer/hex_edit_window.h"
#include "ui/devices/dev_id_form.h"
#include "ui/shell/lpt_set.h"
#include "ui/shell/screen_placement.h"
#include "ui/shell/sequence_pages.h"
#include "ui/shell/shell_command.h"
#include "widgets/latin1_text.h"

namespace zav {

DeviceCommands::DeviceCommands(QWidget& window, QToolButton& button, QLineEdit& field, THexEdit& editor,
                               MainWindowFlow& flow, const SequencePages& pages, PortListing& ports)
    : QObject(&window), window_(window), field_(field), editor_(editor), flow_(flow), pages_(pages),
      ports_(ports),
      portsOptions_(NewShellCommand(window, "ToolLPT", QStringLiteral("Ports Options ..."), "network-wired",
                                    QStringLiteral("Change LPT Port Settings")))
{
    connect(&button, &QToolButton::clicked, this, Guarded(&window, [this] { DeviceIDButtonClick(); }));
    OnTriggered(portsOptions_, this, window, [this] { ToolLPTExecute(); });
}

void DeviceCommands::DeviceIDButtonClick()
{
    if (!flow_.Allows(PortCommand::DeviceId)) return;
    if (devIdForm_ == nullptr) devIdForm_ = new TDevIdForm(&window_);
    CentreOnDesktop(*devIdForm_);
    if (devIdForm_->exec() != QDialog::Accepted) return;
    if (const auto device = devIdForm_->SelectedDevice()) DeviceIDValueChange(*device);
}

void DeviceCommands::DeviceIDValueChange(const std::string& name)
{
    if (!flow_.ChangeDevice(name)) return;
    field_.setText(FromLatin1(name));
    ApplyDeviceSelection(name, editor_.Buffer(), *this);
    // The last verify's findings were about another part.
    editor_.Differences().SetVerify({});
    editor_.SetChecksumDevice(name);
}

void DeviceCommands::ToolLPTExecute()
{
    if (!flow_.Allows(PortCommand::PortsOptions)) return;
    if (lptSet_ == nullptr) lptSet_ = new TLptSet(flow_, ports_, &window_);
    lptSet_->exec();
}

void DeviceCommands::SetOptionEnabled(SequenceOption option, bool enabled)
{
    pages_.OptionButton(option)->setEnabled(enabled);
}

void DeviceCommands::ShowAddressAtTop(std::int32_t address)
{
    editor_.ShowAddressAtTop(address);
}

} // namespace zav
