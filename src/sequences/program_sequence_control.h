#pragma once

#include "sequences/sequence_control.h"

namespace zav {

// The program sequence's controller: its workers are DeviceWriteTh.
class ProgramSequenceControl final : public SequenceControl {
public:
    using SequenceControl::SequenceControl;
    ~ProgramSequenceControl() override;

protected:
    [[nodiscard]] std::unique_ptr<WorkerThread> CreateWorker(SequenceHost& workerHost,
                                                             LinkFactory& links) override;
    [[nodiscard]] SequenceKind Kind() const override { return SequenceKind::Program; }
    [[nodiscard]] std::string InterruptedText() const override { return "Program Sequence Interrupted."; }
};

} // namespace zav
