#pragma once

#include <memory>

#include "sequences/backup_store.h"
#include "sequences/sequence_control.h"

namespace zav {

// The program sequence's controller: its workers are DeviceWriteTh.
class ProgramSequenceControl final : public SequenceControl {
public:
    using SequenceControl::SequenceControl;
    ~ProgramSequenceControl() override;

    // Where the next sequences back the part up before writing; none turns the backup off.
    void SetBackupStore(std::shared_ptr<BackupStore> backup) { backup_ = std::move(backup); }

protected:
    [[nodiscard]] std::unique_ptr<WorkerThread> CreateWorker(SequenceHost& workerHost,
                                                             LinkFactory& links) override;
    [[nodiscard]] SequenceKind Kind() const override { return SequenceKind::Program; }
    [[nodiscard]] std::string InterruptedText() const override { return "Program Sequence Interrupted."; }

private:
    std::shared_ptr<BackupStore> backup_;
};

} // namespace zav
