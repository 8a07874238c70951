#pragma once

#include <atomic>
#include <memory>

#include "threads/worker_thread.h"

namespace zav {

class BoardSession;
class LinkFactory;
class SequenceFrame;
class SequenceHost;
struct SequencePlan;

// How the last blank check ended: the cells not erased, or -1 when it did not get to the end.
struct BlankCheckFinding {
    std::atomic<int> cellsNotErased{-1};
};

// The blank check: identifies the board as the read sequence does, then reads the selected
// device's EEPROM into a scratch copy, so the user's buffer and its undo history stay as they
// were, and says whether every cell holds 0xFF. Result 0 once the verdict was posted.
class BlankCheckTh final : public WorkerThread {
public:
    // host must be a HandOverHost (or otherwise safe to call from this thread).
    BlankCheckTh(SequenceHost& host, LinkFactory& links, std::shared_ptr<BlankCheckFinding> finding);
    ~BlankCheckTh() override;

private:
    void Execute() override;
    bool Run(SequenceFrame& frame);
    bool CheckDevice(BoardSession& session, const SequencePlan& plan);

    SequenceHost& host_;
    LinkFactory& links_;
    std::shared_ptr<BlankCheckFinding> finding_;
};

} // namespace zav
