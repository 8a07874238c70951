#pragma once

#include <QObject>
#include <QPointer>

#include <array>
#include <functional>

#include "sequences/buffer_sequence_host.h"

class QAbstractButton;
class QProgressBar;

namespace zav {

class MainWindowFlow;
class MemoryBuffer;

// The controls of the main window a sequence reaches.
struct SequenceWidgets {
    StatusSink& status;
    MessageBoxes& boxes;
    MainWindowFlow& flow;
    MemoryBuffer& buffer;
    QProgressBar* progress = nullptr;
    QAbstractButton* readStart = nullptr;
    QAbstractButton* programStart = nullptr;
    // Indexed by SequenceOption.
    std::array<QAbstractButton*, 6> options{};
    // Where the verify's differences go (the hex editor's marks).
    std::function<void(const std::vector<CellDifference>&)> verifyDifferences{};
};

// The main window as a sequence sees it, on the user-interface thread: the calls a worker
// hands over land here. The progress bar is drawn once per event-loop turn however often a
// worker moves it, so a fast read cannot keep the loop busy repainting.
class GuiSequenceHost final : public QObject, public BufferSequenceHost {
    Q_OBJECT

public:
    explicit GuiSequenceHost(SequenceWidgets widgets, QObject* parent = nullptr);

    void AddStatusMessage(const std::string& text, StatusKind kind) override;
    BoxAnswer Show(const BoxRequest& request) override;
    bool PortIdle() override;
    void SetPortIdle(bool idle) override;
    void SetProgressMaximum(int maximum) override;
    void SetProgressPosition(int position) override;
    int ProgressPosition() override { return progressPosition_; }
    void PutStartButtonUp(SequenceKind kind) override;
    bool IsOptionDown(SequenceOption option) override;
    std::string DeviceIdText() override;
    ProgramSettings GetProgramSettings() override;
    void Beep() override;
    void SetVerifyDifferences(const std::vector<CellDifference>& differences) override;

signals:
    // A sequence took the port or gave it back.
    void PortIdleChanged(bool idle);

private:
    void ShowProgress();

    SequenceWidgets widgets_;
    int progressPosition_ = 0;
    int progressMaximum_ = 100;
    bool progressPending_ = false;
};

} // namespace zav
