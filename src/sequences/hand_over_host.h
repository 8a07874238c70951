#pragma once

#include <memory>

#include "sequences/sequence_host.h"
#include "threads/hand_over_queue.h"

namespace zav {

// The host as a worker thread sees it: every call is handed to the user-interface thread
// through the queue and carried out there on the real host, in the order issued. Calls
// that return something wait for the answer; the others return at once. Safe to use from
// several worker threads at a time.
class HandOverHost final : public SequenceHost {
public:
    HandOverHost(SequenceHost& target, std::shared_ptr<HandOverQueue> queue)
        : target_(target), queue_(std::move(queue))
    {
    }

    void AddStatusMessage(const std::string& text, StatusKind kind) override;
    BoxAnswer Show(const BoxRequest& request) override;

    bool PortIdle() override;
    void SetPortIdle(bool idle) override;
    void SetProgressMaximum(int maximum) override;
    void SetProgressPosition(int position) override;
    int ProgressPosition() override;
    void PutStartButtonUp(SequenceKind kind) override;
    bool IsOptionDown(SequenceOption option) override;
    std::string DeviceIdText() override;
    ProgramSettings GetProgramSettings() override;
    void BeginUpdate() override;
    void SetByte(std::int32_t address, std::uint8_t value) override;
    void EndUpdate() override;
    std::uint8_t GetByte(std::int32_t address) override;
    std::vector<std::uint8_t> GetBytes(std::int32_t first, std::int32_t last) override;
    void Beep() override;
    void SetVerifyDifferences(const std::vector<CellDifference>& differences) override;

private:
    SequenceHost& target_;
    // Shared: a worker waiting on it keeps it alive.
    std::shared_ptr<HandOverQueue> queue_;
};

} // namespace zav
