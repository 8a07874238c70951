#include "ui/shell/prog_shell.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "devices/device_catalogue.h"
#include "messages/application_title.h"
#include "ui/buffer/hex_edit_window.h"
#include "ui/sequences/sequence_runner.h"
#include "ui/shell/compare_command.h"
#include "ui/shell/device_commands.h"
#include "ui/shell/editor_window_commands.h"
#include "ui/shell/file_commands.h"
#include "ui/shell/help_commands.h"
#include "ui/shell/message_list_menu.h"
#include "ui/shell/safety_commands.h"
#include "ui/shell/sequence_commands.h"
#include "ui/shell/shell_core.h"
#include "ui/shell/shell_menus.h"
#include "ui/shell/shell_settings.h"
#include "ui/shell/status_win.h"
#include "ui/shell/themed_icon.h"
#include "widgets/latin1_text.h"

namespace zav {

namespace {

constexpr int kProgBarWidth = 165;

} // namespace

TProgShell::TProgShell(ShellServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services))
{
    setObjectName(QStringLiteral("ProgShell"));
    setWindowTitle(FromLatin1(kApplicationTitle));

    hexEdit_ = new THexEdit(services_.boxes, this);
    // The editor's panes use fixed-pitch fonts named as the settings keep them.
    hexEdit_->ApplyEditorOptions(flow_.Settings().editor);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(2, 2, 2, 0);
    layout->setSpacing(2);
    layout->addWidget(CreateDeviceRow());
    pages_ = std::make_unique<SequencePages>(*this);
    layout->addWidget(pages_->Tabs());
    statusWin_ = new StatusWin(central);
    layout->addWidget(statusWin_, 1);
    layout->addWidget(CreateBottomRow());
    setCentralWidget(central);

    CreateCommandOwners();
    BuildShellMenus(*this);
    toolBar_ = BuildShellToolBar(*this);
    messageMenu_ = new MessageListMenu(*statusWin_, services_.boxes);
    sequences_->Interlock({files_->PrintAction(), device_->PortsOptionsAction(), deviceIdButton_});

    const WindowBounds& bounds = flow_.Settings().mainWindow;
    move(bounds.left, bounds.top);
    resize(bounds.width, bounds.height);
    statusWin_->setFocus();
}

TProgShell::~TProgShell() = default;

void TProgShell::CreateCommandOwners()
{
    const ShellCore core{*this, *hexEdit_, flow_, *statusWin_, services_.boxes};
    sequences_ = std::make_unique<SequenceCommands>(core, *pages_, *progBar_, services_);
    connect(sequences_.get(), &SequenceCommands::StopRequested, this, &TProgShell::SequenceStopRequested);
    // A close that waited for the sequences goes on once they have ended.
    connect(&sequences_->Runner(), &SequenceRunner::Idle, this, [this] {
        if (closeAfterStop_) close();
    });

    files_ = std::make_unique<FileCommands>(core, *progBar_);
    safety_ = std::make_unique<SafetyCommands>(core, *files_, *sequences_);
    compare_ = std::make_unique<CompareCommand>(core, [this] { safety_->VerifyDifferencesExecute(); });
    editorWindows_ = std::make_unique<EditorWindowCommands>(*this, *hexEdit_);
    device_ = std::make_unique<DeviceCommands>(*this, *deviceIdButton_, *deviceIdValue_, *hexEdit_, flow_,
                                               *pages_, services_.ports);
    settings_ = std::make_unique<ShellSettings>(core, services_.settingsDirectory / kSettingsFileName);
    connect(settings_.get(), &ShellSettings::ResetConfirmed, this, &TProgShell::EndForRestart);
    help_ = std::make_unique<HelpCommands>(*this, services_);
}

QWidget* TProgShell::CreateDeviceRow()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    deviceIdButton_ = new QToolButton(row);
    deviceIdButton_->setObjectName(QStringLiteral("DeviceIDButton"));
    deviceIdButton_->setIcon(ThemedIcon("drive-removable-media"));
    deviceIdButton_->setAutoRaise(true);
    deviceIdButton_->setToolTip(QStringLiteral("Select Device"));
    deviceIdButton_->setStatusTip(QStringLiteral("Device Auto Identification"));
    // Named as the manual calls it; it shows only an icon.
    deviceIdButton_->setAccessibleName(QStringLiteral("Device ID"));
    deviceIdButton_->setAccessibleDescription(QStringLiteral("Select Device: ") +
                                              deviceIdButton_->statusTip());

    deviceIdValue_ = new QLineEdit(FromLatin1(NoDeviceName), row);
    deviceIdValue_->setObjectName(QStringLiteral("DeviceIDValue"));
    deviceIdValue_->setReadOnly(true);
    deviceIdValue_->setFocusPolicy(Qt::ClickFocus);
    deviceIdValue_->setStatusTip(QStringLiteral("Device ID/Mode of Operation"));
    deviceIdValue_->setAccessibleName(QStringLiteral("Device"));
    deviceIdValue_->setAccessibleDescription(deviceIdValue_->statusTip());
    layout->addWidget(deviceIdButton_);
    layout->addWidget(deviceIdValue_, 1);
    return row;
}

QWidget* TProgShell::CreateBottomRow()
{
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setChildrenCollapsible(false);
    helpHint_ = new QLabel(splitter);
    helpHint_->setObjectName(QStringLiteral("HelpHint"));
    helpHint_->setFrameShape(QFrame::StyledPanel);
    helpHint_->setFrameShadow(QFrame::Sunken);
    helpHint_->setStatusTip(QStringLiteral("Hint Bar"));
    helpHint_->setAccessibleDescription(helpHint_->statusTip());
    progBar_ = new QProgressBar(splitter);
    progBar_->setObjectName(QStringLiteral("ProgBar"));
    progBar_->setRange(0, 100);
    progBar_->setValue(0);
    progBar_->setTextVisible(false);
    progBar_->setStatusTip(QStringLiteral("Progress Indicator Bar"));
    progBar_->setAccessibleName(QStringLiteral("Progress"));
    progBar_->setAccessibleDescription(progBar_->statusTip());
    progBar_->setMaximumHeight(helpHint_->sizeHint().height());
    splitter->addWidget(helpHint_);
    splitter->addWidget(progBar_);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({400, kProgBarWidth});
    return splitter;
}

QPushButton* TProgShell::OptionButton(SequenceOption option) const
{
    return pages_->OptionButton(option);
}

SequenceRunner& TProgShell::Sequences()
{
    return sequences_->Runner();
}

void TProgShell::LoadSettings()
{
    const SettingsFileReport report = settings_->ReadAndApply();
    files_->ShowRecentFiles();
    settings_->Tell(report);
}

bool TProgShell::event(QEvent* event)
{
    // HelpHintHint: the hint of whatever the pointer rests on goes to the hint bar.
    if (event->type() == QEvent::StatusTip) {
        helpHint_->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TProgShell::EndForRestart()
{
    terminating_ = true;
    close();
}

void TProgShell::closeEvent(QCloseEvent* event)
{
    if (!terminating_ && !closeConfirmed_) {
        if (!files_->SettleUnsavedWork()) {
            event->ignore();
            return;
        }
        closeConfirmed_ = true;
    }
    // A running sequence is stopped first; the window keeps painting meanwhile and closes
    // when the sequence has ended.
    if (sequences_->Runner().Running()) {
        closeAfterStop_ = true;
        sequences_->RequestStopAll();
        event->ignore();
        return;
    }
    closeAfterStop_ = false;
    settings_->SaveAtClose();
    hexEdit_->HideWithDescription();
    event->accept();
    // Reset to Default: a new instance starts from the defaults; this one ends with its
    // last window.
    if (terminating_ && services_.restartProgram) services_.restartProgram();
}

} // namespace zav
