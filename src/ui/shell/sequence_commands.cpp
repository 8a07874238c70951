#include "ui/shell/sequence_commands.h"

#include <QAction>
#include <QPushButton>
#include <QSignalBlocker>
#include <QWidget>

#include <algorithm>

#include "files/backup_folder.h"
#include "shell/interlocked_commands.h"
#include "shell/main_window_flow.h"
#include "ui/buffer/hex_edit_window.h"
#include "ui/sequences/sequence_runner.h"
#include "ui/shell/sequence_pages.h"
#include "ui/shell/shell_services.h"
#include "widgets/guarded_command.h"

namespace zav {

namespace {

SequenceWidgets WidgetsOf(const ShellCore& core, const SequencePages& pages, QProgressBar& progress)
{
    SequenceWidgets widgets{core.status, core.boxes, core.flow, core.editor.Buffer()};
    widgets.progress = &progress;
    widgets.readStart = pages.StartButton(SequenceKind::Read);
    widgets.programStart = pages.StartButton(SequenceKind::Program);
    std::copy(pages.OptionButtons().begin(), pages.OptionButtons().end(), widgets.options.begin());
    THexEdit& editor = core.editor;
    widgets.verifyDifferences = [&editor](const std::vector<CellDifference>& differences) {
        editor.Differences().SetVerify(differences);
    };
    return widgets;
}

} // namespace

SequenceCommands::SequenceCommands(const ShellCore& core, const SequencePages& pages, QProgressBar& progress,
                                   const ShellServices& services)
    : QObject(&core.window), pages_(pages), flow_(core.flow),
      host_(new GuiSequenceHost(WidgetsOf(core, pages, progress), this)),
      runner_(std::make_unique<SequenceRunner>(*host_, services.links, services.isSimulated, this))
{
    QWidget& window = core.window;
    for (SequenceKind kind : {SequenceKind::Program, SequenceKind::Read}) {
        connect(pages_.StartButton(kind), &QPushButton::clicked, this,
                Guarded(&window, [this, kind](bool down) { StartButtonClick(kind, down); }));
    }
    // F9 as in the build-and-run keys of many programs; no other command uses it.
    auto* startStop = new QAction(QStringLiteral("Start/Stop Sequence"), &window);
    startStop->setObjectName(QStringLiteral("StartStopSequence"));
    startStop->setShortcut(QKeySequence(Qt::Key_F9));
    window.addAction(startStop);
    connect(startStop, &QAction::triggered, this, Guarded(&window, [this] { StartStopVisibleSequence(); }));
}

SequenceCommands::~SequenceCommands() = default;

void SequenceCommands::Interlock(const InterlockedControls& controls)
{
    interlocked_ = controls;
    connect(host_, &GuiSequenceHost::PortIdleChanged, this, &SequenceCommands::UpdateInterlockedCommands);
    for (SequenceKind kind : {SequenceKind::Read, SequenceKind::Program}) {
        connect(pages_.StartButton(kind), &QPushButton::toggled, this,
                &SequenceCommands::UpdateInterlockedCommands);
    }
}

void SequenceCommands::StartButtonClick(SequenceKind kind, bool down)
{
    const StartButtonPlan plan =
        kind == SequenceKind::Read ? flow_.ReadStartButtonClick(down) : flow_.ProgramStartButtonClick(down);
    if (plan.putButtonUp) pages_.StartButton(kind)->setChecked(false);
    if (plan.start) {
        if (kind == SequenceKind::Program) ApplyBackupSetting();
        runner_->Start(kind);
    } else {
        emit StopRequested();
        runner_->Stop(kind);
    }
}

void SequenceCommands::StartStopVisibleSequence()
{
    // A disabled button does not react to a click: the interlock holds for the key as well.
    pages_.VisibleStartButton()->click();
}

bool SequenceCommands::StartBlankCheck()
{
    // The blank check reads as the read sequence does: it takes the Read Start button, so the
    // port interlock refuses it while another sequence runs and releasing the button stops it.
    if (!flow_.ProgramStartButtonClick(true).start) return false;
    {
        QPushButton* readStart = pages_.StartButton(SequenceKind::Read);
        const QSignalBlocker quiet(readStart);
        readStart->setChecked(true);
    }
    runner_->StartBlankCheck();
    return true;
}

void SequenceCommands::RequestStopAll()
{
    emit StopRequested();
    runner_->RequestStopAll();
}

void SequenceCommands::ApplyBackupSetting()
{
    runner_->SetBackupStore(flow_.Settings().program.backupBeforeWrite
                                ? std::make_shared<BackupFolder>(DefaultBackupFolder())
                                : nullptr);
}

void SequenceCommands::UpdateInterlockedCommands()
{
    QPushButton* readStart = pages_.StartButton(SequenceKind::Read);
    QPushButton* programStart = pages_.StartButton(SequenceKind::Program);
    const InterlockedCommands enabled =
        EnabledCommands(flow_.PortIdle(), readStart->isChecked(), programStart->isChecked());
    interlocked_.print->setEnabled(enabled.print);
    interlocked_.portsOptions->setEnabled(enabled.portsOptions);
    interlocked_.deviceId->setEnabled(enabled.deviceId);
    readStart->setEnabled(enabled.readStart);
    programStart->setEnabled(enabled.programStart);
}

} // namespace zav
