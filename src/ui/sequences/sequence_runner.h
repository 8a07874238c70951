#pragma once

#include <QObject>

#include <memory>

#include "sequences/backup_store.h"
#include "sequences/hand_over_host.h"
#include "sequences/sequence_host.h"
#include "sequences/simulation_notice_link_factory.h"
#include "threads/hand_over_queue.h"

namespace zav {

class LinkFactory;
class SequenceControl;

// The read and program sequences run from the main window: the hand-over queue drained on
// the event loop, and the two controllers, each made on its Start button's first use.
class SequenceRunner final : public QObject {
    Q_OBJECT

public:
    SequenceRunner(SequenceHost& host, LinkFactory& links, SimulationNoticeLinkFactory::IsSimulated isSimulated,
                   QObject* parent = nullptr);
    // Running sequences are stopped and awaited first.
    ~SequenceRunner() override;

    void Start(SequenceKind kind);
    // The blank check, run by the read controller: it shares the read's Start button and stop.
    void StartBlankCheck();
    // Where the next program sequences back the part up; none turns the backup off.
    void SetBackupStore(std::shared_ptr<BackupStore> backup) { backup_ = std::move(backup); }
    // The user released the Start button (or a press was refused). A running sequence is
    // asked to end and this returns at once, so the window keeps painting (also while the
    // sequence sits in a board's reset wait, or waits on a box this very stop came from);
    // once it has ended it is reported interrupted and Idle() follows. A sequence that
    // ended by itself is released at once, as its controller's Stop says.
    void Stop(SequenceKind kind);
    // Asks every running sequence to end; Idle() follows when none runs any more.
    void RequestStopAll();
    // Stops and awaits every running sequence, draining the queue meanwhile (the window's
    // last moments, when nothing is left to paint).
    void StopAll();

    [[nodiscard]] bool Running() const;
    [[nodiscard]] HandOverQueue& Queue() { return *queue_; }

signals:
    // No sequence runs any more after a stop was asked for.
    void Idle();

private:
    SequenceControl& Control(SequenceKind kind);
    void WakeUp();
    // A controller's sequence has ended and been released; ends a stop asked for it.
    void SequenceFinished(SequenceKind kind);

    // Shared with the controllers and the worker host, so it outlives every worker.
    std::shared_ptr<HandOverQueue> queue_ = HandOverQueue::Create();
    SequenceHost& host_;
    HandOverHost workerHost_;
    SimulationNoticeLinkFactory links_;
    std::unique_ptr<SequenceControl> read_;
    std::unique_ptr<SequenceControl> program_;
    std::shared_ptr<BackupStore> backup_;
    bool readStopPending_ = false;
    bool programStopPending_ = false;
};

} // namespace zav
