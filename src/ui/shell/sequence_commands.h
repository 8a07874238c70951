#pragma once

#include <QObject>

#include <memory>

#include "sequences/sequence_host.h"
#include "ui/sequences/gui_sequence_host.h"
#include "ui/shell/shell_core.h"

class QAbstractButton;
class QAction;
class QProgressBar;

namespace zav {

class SequencePages;
class SequenceRunner;
struct ShellServices;

// The commands a busy port refuses besides the Start buttons, owned by other parts of the
// window.
struct InterlockedControls {
    QAction* print = nullptr;
    QAction* portsOptions = nullptr;
    QAbstractButton* deviceId = nullptr;
};

// The read and program sequences as the main window runs them: the Start buttons' clicks,
// the Start/Stop key (F9), the blank check on the Read Start button, the backup a program
// start takes, and the port interlock that disables what a running sequence would disturb.
class SequenceCommands final : public QObject {
    Q_OBJECT

public:
    // A sequence reports to the core's message list and to `progress`, and reads the pages'
    // options; it reaches the boards through the services' links.
    SequenceCommands(const ShellCore& core, const SequencePages& pages, QProgressBar& progress,
                     const ShellServices& services);
    SequenceCommands(const SequenceCommands&) = delete;
    SequenceCommands& operator=(const SequenceCommands&) = delete;
    ~SequenceCommands() override;

    [[nodiscard]] SequenceRunner& Runner() { return *runner_; }
    // Disables `controls` with the other sequence's Start button while a sequence owns the port.
    void Interlock(const InterlockedControls& controls);
    // The blank check, on the Read Start button; false, with nothing started, while the port
    // is busy with another sequence.
    bool StartBlankCheck();
    // Stops every running sequence; Runner().Idle() follows once none runs.
    void RequestStopAll();

signals:
    // A stop was requested while a sequence may be waiting on a box: the box goes away, so
    // the sequence can see the stop.
    void StopRequested();

private:
    void StartButtonClick(SequenceKind kind, bool down);
    // The Start/Stop key: presses the Start button of the page in view.
    void StartStopVisibleSequence();
    // The backup store the settings ask for, handed to the sequences before a program start.
    void ApplyBackupSetting();
    void UpdateInterlockedCommands();

    const SequencePages& pages_;
    MainWindowFlow& flow_;
    InterlockedControls interlocked_;
    GuiSequenceHost* host_;
    // Last: its end awaits the running sequences, whose last calls still reach the controls
    // above.
    std::unique_ptr<SequenceRunner> runner_;
};

} // namespace zav
