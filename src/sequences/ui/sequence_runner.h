#pragma once

#include <QObject>

#include <memory>

#include "sequences/hand_over_host.h"
#include "sequences/hand_over_queue.h"
#include "sequences/sequence_host.h"
#include "sequences/ui/simulation_notice_link_factory.h"

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
    // The user released the Start button (or a press was refused): the sequence is stopped
    // and awaited, the queue drained meanwhile; an unfinished one is reported interrupted.
    void Stop(SequenceKind kind);
    void StopAll();

    [[nodiscard]] bool Running() const;
    [[nodiscard]] HandOverQueue& Queue() { return queue_; }

private:
    SequenceControl& Control(SequenceKind kind);
    void WakeUp();

    // Declared first: the controllers' workers post into it until they are awaited.
    HandOverQueue queue_;
    SequenceHost& host_;
    HandOverHost workerHost_;
    SimulationNoticeLinkFactory links_;
    std::unique_ptr<SequenceControl> read_;
    std::unique_ptr<SequenceControl> program_;
};

} // namespace zav
