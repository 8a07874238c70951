#include "sequences/device_write_th.h"

#include <vector>

#include "link/programmer_link.h"
#include "sequences/backup_store.h"
#include "sequences/board_session.h"
#include "sequences/device_operations.h"
#include "sequences/sequence_frame.h"
#include "sequences/sequence_host.h"
#include "sequences/sequence_plan.h"

namespace zav {

namespace {

constexpr std::uint8_t kErased = 0xFF;

const char* const kConfigQuestion = "Program Sequence will change CONFIG (System configuration register) !\n"
                                    "Changing of this register will change device configuration !\n\n"
                                    "Continue program CONFIG register ?";
const char* const kConfigCaption = "Warning !!!";
const char* const kRemoveJumper = "Remove WPO jumper and press OK button.";
const char* const kInsertJumper = "Insert WPO jumper and press OK button.";
const char* const kLocked = "Device Locked !!!";
const char* const kUnlocked = "Device Unlocked !!!";

// A TMS block: its cells after the write-protect register, which is written last.
struct TmsBlock {
    AddressRange cells;
    std::int32_t wpoRegister;
};

constexpr std::int32_t kTmsBlockSize = 0x100;

// The EEPROM's 256-byte blocks, each led by its write-protect register.
std::vector<TmsBlock> TmsBlocks(const SequencePlan& plan)
{
    std::vector<TmsBlock> blocks;
    for (std::int32_t start = plan.eeprom.first; start <= plan.eeprom.last; start += kTmsBlockSize) {
        blocks.push_back({{start + 1, start + kTmsBlockSize - 1}, start});
    }
    return blocks;
}

} // namespace

BoxRequest ConfigQuestionBox()
{
    return {BoxKind::Warning, BoxButtons::YesNo, kConfigQuestion, kConfigCaption};
}

DeviceWriteTh::DeviceWriteTh(SequenceHost& host, LinkFactory& links, std::shared_ptr<BackupStore> backup)
    : host_(host), links_(links), backup_(std::move(backup))
{
}

DeviceWriteTh::~DeviceWriteTh()
{
    WaitFor();
}

void DeviceWriteTh::Execute()
{
    SequenceFrame frame(host_, links_, TerminationFlag(), SequenceKind::Program,
                        "Program Sequence in Progress ...");
    // This sequence's verify, if any, has the last word on where the part differs.
    host_.SetVerifyDifferences({});
    if (Run(frame)) SetResult(kCompleted);
    ReportOutcome(frame.Session().ErrorPosted() || backupFailed_);
    frame.End();
}

void DeviceWriteTh::ReportOutcome(bool errorPosted)
{
    const std::vector<CellDifference>& differences = verifyReport_.Differences();
    if (const auto unlisted = verifyReport_.UnlistedLine()) host_.AddStatusMessage(*unlisted, StatusKind::Error);
    if (!differences.empty()) host_.SetVerifyDifferences(differences);
    if (errorPosted) return;
    if (const auto failure = verifyReport_.FailureLine()) {
        host_.AddStatusMessage(*failure, StatusKind::Error);
    } else {
        host_.AddStatusMessage("Program Sequence completed successful", StatusKind::Normal);
    }
}

bool DeviceWriteTh::Run(SequenceFrame& frame)
{
    std::optional<SequencePlan> plan;
    const SequenceFrame::BoardStart start = frame.StartBoard(plan);
    // Nothing to program is a completed sequence, as its success line says.
    if (start != SequenceFrame::BoardStart::Ready) return start == SequenceFrame::BoardStart::NoDevice;
    BoardSession& session = frame.Session();

    DeviceOperations operations(host_, session, plan->progressMaximum, verifyReport_);
    if (backup_ && ChangesThePart() && !TakeBackup(session, operations, *plan)) return false;
    switch (plan->family) {
    case DeviceFamily::Mc68hc05B6:
    case DeviceFamily::Mc68hc705B16:
        return RunMc68hc05Path(operations, *plan);
    case DeviceFamily::Mc68hc05L28:
        return RunL28Path(operations, session, *plan);
    case DeviceFamily::Mc68hc11E9:
    case DeviceFamily::Mc68hc11Kp:
    case DeviceFamily::Mc68hc11Pa8:
        return RunMc68hc11Path(operations, session, *plan);
    case DeviceFamily::Tms370:
    case DeviceFamily::Tms375:
        return RunTmsPath(operations, session, *plan);
    }
    return false;
}

bool DeviceWriteTh::ChangesThePart()
{
    return Down(SequenceOption::Erase) || Down(SequenceOption::Program) || Down(SequenceOption::Lock) ||
           Down(SequenceOption::Unlock);
}

bool DeviceWriteTh::TakeBackup(BoardSession& session, DeviceOperations& operations, const SequencePlan& plan)
{
    BackupImage image{std::string(plan.device->name), {}};
    const auto keep = [&image](std::int32_t address, std::uint8_t value) {
        image.cells.emplace_back(address, value);
    };
    if (!session.ReadEeprom(plan, keep)) return false;
    if (plan.configRegister) {
        const std::optional<std::uint8_t> value = operations.Read(*plan.configRegister);
        if (!value) return false;
        image.cells.emplace_back(*plan.configRegister, *value);
    }
    const BackupStore::Outcome outcome = backup_->Save(image);
    if (!outcome.saved) {
        backupFailed_ = true;
        host_.AddStatusMessage("Backup not saved, nothing was written to the device: " + outcome.failure,
                               StatusKind::Error);
        return false;
    }
    host_.AddStatusMessage("Backup saved to " + outcome.path, StatusKind::Normal);
    if (outcome.removed > 0) {
        host_.AddStatusMessage("Removed the " + std::to_string(outcome.removed) + " oldest backups of " +
                                   image.deviceName + " to keep the last " + std::to_string(kBackupsKept),
                               StatusKind::Normal);
    }
    return true;
}

bool DeviceWriteTh::RunMc68hc05Path(DeviceOperations& operations, const SequencePlan& plan)
{
    if (Down(SequenceOption::Erase)) {
        operations.StartProgress();
        if (!operations.Erase(plan.eeprom)) return false;
    }
    if (Down(SequenceOption::Program)) {
        operations.StartProgress();
        if (!operations.Program(plan.eeprom)) return false;
    }
    if (Down(SequenceOption::Verify)) {
        operations.StartProgress();
        if (!operations.Verify(plan.eeprom, VerifyExpectsErased())) return false;
    }
    if (Down(SequenceOption::Lock) && !ChangeOptionBit(operations, plan, true)) return false;
    if (Down(SequenceOption::Unlock) && !ChangeOptionBit(operations, plan, false)) return false;
    return true;
}

bool DeviceWriteTh::ChangeOptionBit(DeviceOperations& operations, const SequencePlan& plan, bool lock)
{
    const std::int32_t optionRegister = plan.device->optionRegister;
    const std::optional<std::uint8_t> value = operations.Read(optionRegister);
    if (!value) return false;
    const auto changed = static_cast<std::uint8_t>(lock ? (*value & 0xFE) : (*value | 0x01));
    if (!operations.Write(optionRegister, changed)) return false;
    host_.AddStatusMessage(lock ? kLocked : kUnlocked, StatusKind::Warning);
    return true;
}

bool DeviceWriteTh::RunL28Path(DeviceOperations& operations, BoardSession& session, const SequencePlan& plan)
{
    if (Down(SequenceOption::Erase)) {
        session.Link().SendEraseCommand();
        if (session.Failed()) return false;
    }
    if (Down(SequenceOption::Program)) {
        session.Link().SendEraseCommand();
        if (session.Failed()) return false;
        operations.StartProgress();
        if (!operations.Program(plan.eeprom)) return false;
    }
    if (Down(SequenceOption::Verify)) {
        operations.StartProgress();
        if (!operations.Verify(plan.eeprom, VerifyExpectsErased())) return false;
    }
    return true;
}

bool DeviceWriteTh::RunMc68hc11Path(DeviceOperations& operations, BoardSession& session,
                                    const SequencePlan& plan)
{
    const bool erase = Down(SequenceOption::Erase);
    const bool program = Down(SequenceOption::Program);
    const bool lock = Down(SequenceOption::Lock);
    const bool unlock = Down(SequenceOption::Unlock);
    const std::int32_t config = *plan.configRegister;
    const bool e9 = plan.family == DeviceFamily::Mc68hc11E9;

    bool configConfirmed = false;
    if (erase || program || lock || unlock) {
        host_.Beep();
        configConfirmed = host_.AskYesNo(kConfigQuestion, kConfigCaption, BoxKind::Warning);
        if (session.StoppedWhileWaiting()) return false;
    }
    if (e9 && (erase || program)) {
        session.Link().SendEraseCommand();
        if (session.Failed()) return false;
    }
    if (erase) {
        operations.StartProgress();
        if (!operations.Erase(plan.eeprom)) return false;
        if (configConfirmed && !operations.Write(config, kErased)) return false;
    }
    if (program) {
        operations.StartProgress();
        if (!operations.Program(plan.eeprom)) return false;
        if (configConfirmed && !operations.WriteBufferValue(config)) return false;
    }
    if (Down(SequenceOption::Verify)) {
        operations.StartProgress();
        if (!operations.Verify(plan.eeprom, VerifyExpectsErased())) return false;
    }
    if (lock && configConfirmed) {
        if (!operations.Write(config, plan.device->configLockValue)) return false;
        host_.AddStatusMessage(kLocked, StatusKind::Warning);
    }
    if (unlock && configConfirmed) {
        if (e9) {
            session.Link().SendUnlockCommand();
            if (session.Failed()) return false;
        } else if (!operations.Write(config, plan.device->configUnlockValue)) {
            return false;
        }
        host_.AddStatusMessage(kUnlocked, StatusKind::Warning);
    }
    return true;
}

bool DeviceWriteTh::RunTmsPath(DeviceOperations& operations, BoardSession& session, const SequencePlan& plan)
{
    const bool erase = Down(SequenceOption::Erase);
    const bool program = Down(SequenceOption::Program);
    const std::vector<TmsBlock> blocks = TmsBlocks(plan);

    bool wpoRemoved = false;
    if (erase || program) {
        bool anyProtected = false;
        for (const TmsBlock& block : blocks) {
            const std::optional<std::uint8_t> wpo = operations.Read(block.wpoRegister);
            if (!wpo) return false;
            anyProtected = anyProtected || *wpo != 0;
        }
        if (anyProtected) {
            wpoRemoved = true;
            if (!ShowJumperBox(session, kRemoveJumper)) return false;
        }
        // The calibrated delay is used as found: a failure here shows at the next operation.
        for (const TmsBlock& block : blocks) {
            session.Link().CalibrateSettleDelay(static_cast<std::uint16_t>(block.cells.first));
        }
    }
    if (erase) {
        operations.StartProgress();
        for (const TmsBlock& block : blocks) {
            if (!operations.Erase(block.cells)) return false;
            if (!program) {
                if (!operations.Write(block.wpoRegister, kErased)) return false;
                operations.StepProgress();
            }
        }
    }
    if (program) {
        operations.StartProgress();
        for (const TmsBlock& block : blocks) {
            if (!operations.Program(block.cells)) return false;
            if (!operations.WriteBufferValue(block.wpoRegister)) return false;
            operations.StepProgress();
        }
    }
    if (Down(SequenceOption::Verify)) {
        if (wpoRemoved) {
            wpoRemoved = false;
            if (!ShowJumperBox(session, kInsertJumper)) return false;
        }
        if (plan.family == DeviceFamily::Tms370) {
            session.Link().ResetTarget();
            if (session.Failed()) return false;
        }
        operations.StartProgress();
        if (!operations.Verify(plan.eeprom, VerifyExpectsErased())) return false;
    }
    return !wpoRemoved || ShowJumperBox(session, kInsertJumper);
}

bool DeviceWriteTh::Down(SequenceOption option)
{
    return host_.IsOptionDown(option);
}

bool DeviceWriteTh::VerifyExpectsErased()
{
    return Down(SequenceOption::Erase) && !Down(SequenceOption::Program);
}

bool DeviceWriteTh::ShowJumperBox(BoardSession& session, const char* text)
{
    host_.ShowOk(text, "", BoxKind::Information);
    return !session.StoppedWhileWaiting();
}

} // namespace zav
