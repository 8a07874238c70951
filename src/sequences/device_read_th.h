#pragma once

#include "threads/worker_thread.h"

namespace zav {

class BoardSession;
class LinkFactory;
class SequenceFrame;
class SequenceHost;
struct SequencePlan;

// The read sequence: identifies the board, then copies the selected device's EEPROM and its
// CONFIG register (where it has one) into the buffer inside one bulk update. Result 0 once
// "Read Sequence completed successful." was posted.
class DeviceReadTh final : public WorkerThread {
public:
    // host must be a HandOverHost (or otherwise safe to call from this thread).
    DeviceReadTh(SequenceHost& host, LinkFactory& links);
    ~DeviceReadTh() override;

private:
    void Execute() override;
    // Steps up to the success message; false when the sequence ended early.
    bool Run(SequenceFrame& frame);
    bool ReadDevice(BoardSession& session, const SequencePlan& plan);

    SequenceHost& host_;
    LinkFactory& links_;
};

} // namespace zav
