#pragma once

#include "sequences/sequence_control.h"

namespace zav {

// The read sequence's controller: its workers are DeviceReadTh.
class ReadSequenceControl final : public SequenceControl {
public:
    using SequenceControl::SequenceControl;
    ~ReadSequenceControl() override;

protected:
    [[nodiscard]] std::unique_ptr<WorkerThread> CreateWorker(SequenceHost& workerHost,
                                                             LinkFactory& links) override;
    [[nodiscard]] SequenceKind Kind() const override { return SequenceKind::Read; }
    [[nodiscard]] std::string InterruptedText() const override { return "Read Sequence Interrupted."; }
};

} // namespace zav
