#pragma once

#include <memory>

#include "sequences/blank_check_th.h"
#include "sequences/sequence_control.h"

namespace zav {

// The read sequence's controller: its workers are DeviceReadTh, or BlankCheckTh while the
// blank check is chosen. Both read the part, so they share the Read Start button and its stop.
class ReadSequenceControl final : public SequenceControl {
public:
    using SequenceControl::SequenceControl;
    ~ReadSequenceControl() override;

    // Whether the next starts run the blank check instead of the read.
    void SetBlankCheck(bool blankCheck) { blankCheck_ = blankCheck; }
    // What the last blank check found.
    [[nodiscard]] const BlankCheckFinding& LastBlankCheck() const { return *finding_; }

protected:
    [[nodiscard]] std::unique_ptr<WorkerThread> CreateWorker(SequenceHost& workerHost,
                                                             LinkFactory& links) override;
    [[nodiscard]] SequenceKind Kind() const override { return SequenceKind::Read; }
    [[nodiscard]] std::string InterruptedText() const override
    {
        return blankCheck_ ? "Blank Check Interrupted." : "Read Sequence Interrupted.";
    }

private:
    bool blankCheck_ = false;
    std::shared_ptr<BlankCheckFinding> finding_ = std::make_shared<BlankCheckFinding>();
};

} // namespace zav
