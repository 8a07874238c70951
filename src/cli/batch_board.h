#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <streambuf>
#include <string>
#include <vector>

#include "boardsim/image_file_lock.h"
#include "buffer/cell_difference.h"
#include "cli/batch_backups.h"
#include "cli/batch_part_log.h"
#include "cli/console_reporter.h"
#include "cli/console_sequence_host.h"
#include "cli/notice_lines.h"
#include "cli/progress_bar.h"
#include "cli/terminal.h"
#include "sequences/program_sequence_control.h"
#include "sequences/simulation_notice_link_factory.h"

namespace zav {

class HandOverQueue;
class MemoryBuffer;
class PortsMapLinkFactory;
class SimulatedBoard;

// Puts a fixed text ("[COM1] ") before every line written through it, so the lines of
// several boards printed on one stream stay told apart.
class LinePrefixBuffer final : public std::streambuf {
public:
    LinePrefixBuffer(std::streambuf& destination, std::string prefix);

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    std::streambuf& destination_;
    std::string prefix_;
    bool atLineStart_ = true;
};

// The controlling terminal as one board's questions use it: what a box puts there names
// the board's port.
class PortTerminal final : public Terminal {
public:
    PortTerminal(Terminal& terminal, std::string prefix) : terminal_(terminal), prefix_(std::move(prefix)) {}
    [[nodiscard]] bool IsInteractive() const override { return terminal_.IsInteractive(); }
    [[nodiscard]] bool ShowsErrorOutput() const override { return terminal_.ShowsErrorOutput(); }
    void Write(const std::string& text) override;
    [[nodiscard]] std::optional<std::string> ReadLine() override;
    void SetStopFlag(const std::atomic<bool>* stop) override { terminal_.SetStopFlag(stop); }

private:
    Terminal& terminal_;
    std::string prefix_;
    bool atLineStart_ = true;
};

// What a board's sequence said about its part: the verify differences (counted by their
// lines, and the cells the verify kept) and the first Error line (the cause; a verify
// difference is one too).
struct PartFindings {
    int verifyDifferences = 0;
    std::vector<CellDifference> differingCells;
    std::optional<std::string> firstError;
};

// The main window as one board's program sequence sees it during a run of many parts: the
// option buttons from the command line, the CONFIG question answered as the user answered it
// once before the run, a jumper box asked on the terminal naming the board's port, and every
// line to the board's console. Runs on the thread that drains the hand-over queue.
class BatchBoardHost final : public ConsoleSequenceHost {
public:
    using ConsoleSequenceHost::ConsoleSequenceHost;

    void AddStatusMessage(const std::string& text, StatusKind kind) override;
    BoxAnswer Show(const BoxRequest& request) override;
    void SetProgressPosition(int position) override;
    void Beep() override {}
    void SetVerifyDifferences(const std::vector<CellDifference>& differences) override
    {
        findings_.differingCells = differences;
    }

    // The user's answer to the CONFIG question, asked once before the first part.
    void SetConfigAnswer(bool yes) { configAnswer_ = yes; }
    // A new part: its findings start empty.
    void BeginPart() { findings_ = {}; }
    [[nodiscard]] const PartFindings& Findings() const { return findings_; }

private:
    bool configAnswer_ = false;
    PartFindings findings_;
};

// Everything one port needs to program parts: its console (lines prefixed with the port
// when several boards run), its own buffer with the part's serial number, its worker and
// link (saying on the console when the port is the simulated board), its backups, and, on
// the simulated board, its memory image.
class BatchBoard {
public:
    struct Setup {
        std::string port;
        bool prefixLines = false;
        bool progressBar = false;
        std::string deviceName;
        ProgramSettings portSettings;
        std::set<SequenceOption> optionsDown;
        ReportingOptions reporting;
    };
    BatchBoard(const Setup& setup, std::ostream& err, Terminal& terminal,
               std::unique_ptr<MemoryBuffer> buffer, std::shared_ptr<HandOverQueue> queue,
               PortsMapLinkFactory& links, std::shared_ptr<BoardBackups> backups);
    BatchBoard(const BatchBoard&) = delete;
    BatchBoard& operator=(const BatchBoard&) = delete;
    ~BatchBoard();

    [[nodiscard]] const std::string& Port() const { return port_; }
    // What the board's lines start with: "[COM1] " when several boards run, else nothing.
    [[nodiscard]] const std::string& LinePrefix() const { return linePrefix_; }
    [[nodiscard]] MemoryBuffer& Buffer() { return *buffer_; }
    [[nodiscard]] ConsoleReporter& Reporter() { return reporter_; }
    [[nodiscard]] ProgressBar& Progress() { return progress_; }
    [[nodiscard]] SequenceControl& Control() { return control_; }
    [[nodiscard]] BatchBoardHost& Host() { return host_; }
    [[nodiscard]] ImageFileLock& ImageLock() { return imageLock_; }

    // A new part: no findings, no backup yet.
    void BeginPart();
    // The file the current part was backed up to before its first write; none without one.
    [[nodiscard]] std::optional<std::string> PartBackup() const;

    // The simulated board behind the port and its image, when there is one.
    void AttachSimulation(SimulatedBoard* board, std::string image);
    [[nodiscard]] SimulatedBoard* Simulation() const { return simulation_; }
    [[nodiscard]] const std::string& Image() const { return image_; }

private:
    std::string port_;
    std::string linePrefix_;
    std::unique_ptr<LinePrefixBuffer> prefixBuffer_;
    std::ostream output_;
    PortTerminal terminal_;
    ProgressBar progress_;
    ConsoleReporter reporter_;
    std::unique_ptr<MemoryBuffer> buffer_;
    BatchBoardHost host_;
    NoticeLines notices_;
    SimulationNoticeLinkFactory noticedLinks_;
    std::shared_ptr<BoardBackups> backups_;
    ProgramSequenceControl control_;
    ImageFileLock imageLock_;
    SimulatedBoard* simulation_ = nullptr;
    std::string image_;
};

} // namespace zav
