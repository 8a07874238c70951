#pragma once

#include <memory>

#include "devices/sequence_option.h"
#include "messages/message_boxes.h"
#include "sequences/verify_report.h"
#include "threads/worker_thread.h"

namespace zav {

class BackupStore;
class BoardSession;
class DeviceOperations;
class LinkFactory;
class SequenceFrame;
class SequenceHost;
struct SequencePlan;

// The question the MC68HC11 parts ask before their CONFIG register may change; a front end
// that programs many parts asks it once for all of them.
[[nodiscard]] BoxRequest ConfigQuestionBox();

// The program sequence: identifies the board, then runs the device's path of erase,
// program, verify, lock and unlock, each only when its option is down, asking before CONFIG
// changes and guiding the user through the WPO jumper. It only reads the buffer. Result 0
// once the path ran to its end; differences found by the verify end it with an Error line
// in place of the success line. With a backup store, a path that changes the part first
// reads the part into a backup and stops before any write when that fails.
class DeviceWriteTh final : public WorkerThread {
public:
    // host must be a HandOverHost (or otherwise safe to call from this thread).
    DeviceWriteTh(SequenceHost& host, LinkFactory& links, std::shared_ptr<BackupStore> backup = nullptr);
    ~DeviceWriteTh() override;

private:
    void Execute() override;
    // False when the sequence ended before its path completed.
    bool Run(SequenceFrame& frame);
    [[nodiscard]] bool ChangesThePart();
    bool TakeBackup(BoardSession& session, DeviceOperations& operations, const SequencePlan& plan);
    // The verify's last lines: the count of unlisted cells and, unless an error ended the
    // sequence already, the failure or the success line.
    void ReportOutcome(bool errorPosted);
    bool RunMc68hc05Path(DeviceOperations& operations, const SequencePlan& plan);
    bool RunL28Path(DeviceOperations& operations, BoardSession& session, const SequencePlan& plan);
    bool RunMc68hc11Path(DeviceOperations& operations, BoardSession& session, const SequencePlan& plan);
    bool RunTmsPath(DeviceOperations& operations, BoardSession& session, const SequencePlan& plan);
    bool ChangeOptionBit(DeviceOperations& operations, const SequencePlan& plan, bool lock);
    [[nodiscard]] bool Down(SequenceOption option);
    [[nodiscard]] bool VerifyExpectsErased();
    // False when the user stopped the sequence while the box was up.
    bool ShowJumperBox(BoardSession& session, const char* text);

    SequenceHost& host_;
    LinkFactory& links_;
    std::shared_ptr<BackupStore> backup_;
    VerifyReport verifyReport_;
    bool backupFailed_ = false;
};

} // namespace zav
