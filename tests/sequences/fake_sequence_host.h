#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "buffer/memory_buffer.h"
#include "sequences/buffer_sequence_host.h"
#include "support/recording_messages.h"

namespace zav::testing {

// The main window as the sequences see it, on a real buffer: records every status line,
// box, beep and progress move, answers questions from a script, and notes any call that
// did not arrive on the thread that created it (the user-interface thread of the test).
class FakeSequenceHost : public BufferSequenceHost {
public:
    FakeSequenceHost() : BufferSequenceHost(buffer), uiThread_(std::this_thread::get_id()) {}

    void AddStatusMessage(const std::string& text, StatusKind kind) override
    {
        Note();
        lines.push_back({text, kind});
    }
    BoxAnswer Show(const BoxRequest& request) override
    {
        Note();
        boxes.push_back(request);
        if (onShow) onShow(request);
        if (request.buttons == BoxButtons::Ok) return BoxAnswer::Ok;
        if (answers.empty()) return BoxAnswer::Yes;
        const BoxAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool PortIdle() override { return Note(), portIdle; }
    void SetPortIdle(bool idle) override
    {
        Note();
        portIdle = idle;
        portIdleChanges.push_back(idle);
    }
    void SetProgressMaximum(int maximum) override { Note(), progressMaximum = maximum; }
    void SetProgressPosition(int position) override
    {
        Note();
        progressPosition = position;
        progressPositions.push_back(position);
        if (position > highestProgress) highestProgress = position;
    }
    int ProgressPosition() override { return Note(), progressPosition; }
    void PutStartButtonUp(SequenceKind kind) override { Note(), buttonsPutUp.push_back(kind); }
    bool IsOptionDown(SequenceOption option) override { return Note(), optionsDown.count(option) != 0; }
    std::string DeviceIdText() override { return Note(), deviceText; }
    ProgramSettings GetProgramSettings() override { return Note(), settings; }
    void BeginUpdate() override
    {
        Note();
        ++beginUpdates;
        BufferSequenceHost::BeginUpdate();
    }
    void SetByte(std::int32_t address, std::uint8_t value) override
    {
        Note();
        bytesSet.push_back(address);
        BufferSequenceHost::SetByte(address, value);
    }
    void EndUpdate() override
    {
        Note();
        ++endUpdates;
        BufferSequenceHost::EndUpdate();
    }
    std::uint8_t GetByte(std::int32_t address) override
    {
        Note();
        bytesRead.push_back(address);
        return BufferSequenceHost::GetByte(address);
    }
    void Beep() override
    {
        Note();
        ++beeps;
        if (onBeep) onBeep();
    }

    void SetVerifyDifferences(const std::vector<CellDifference>& differences) override
    {
        Note();
        verifyDifferences = differences;
    }

    [[nodiscard]] std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const auto& line : lines) texts.push_back(line.text);
        return texts;
    }

    MemoryBuffer buffer;
    std::string deviceText = "No device selected";
    ProgramSettings settings;
    std::set<SequenceOption> optionsDown;
    std::deque<BoxAnswer> answers;
    std::function<void(const BoxRequest&)> onShow;
    std::function<void()> onBeep;

    std::vector<StatusLine> lines;
    std::vector<BoxRequest> boxes;
    std::vector<bool> portIdleChanges;
    std::vector<SequenceKind> buttonsPutUp;
    std::vector<std::int32_t> bytesSet;
    std::vector<std::int32_t> bytesRead;
    std::vector<int> progressPositions;
    std::vector<CellDifference> verifyDifferences;
    bool portIdle = true;
    int progressMaximum = 0;
    int progressPosition = 0;
    int highestProgress = 0;
    int beginUpdates = 0;
    int endUpdates = 0;
    int beeps = 0;
    int callsOffUiThread = 0;

private:
    void Note()
    {
        if (std::this_thread::get_id() != uiThread_) ++callsOffUiThread;
    }

    std::thread::id uiThread_;
};

} // namespace zav::testing
