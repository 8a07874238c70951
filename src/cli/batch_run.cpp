// program on a production bench: a serial number in every part, a log line per part, a
// run of many parts and several boards at once, on the same program sequence as one part.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "boardsim/simulated_board.h"
#include "buffer/cell_difference.h"
#include "buffer/memory_buffer.h"
#include "cli/batch_backups.h"
#include "cli/batch_board.h"
#include "cli/batch_part_log.h"
#include "cli/batch_serial_state.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/console_reporter.h"
#include "cli/progress_bar.h"
#include "cli/sequence_commands.h"
#include "cli/stop_signal_watcher.h"
#include "cli/terminal.h"
#include "cli/tool_files.h"
#include "devices/device_catalogue.h"
#include "files/buffer_file_access.h"
#include "files/regular_file_input.h"
#include "files/safe_file_writer.h"
#include "ports/ports_map_link_factory.h"
#include "sequences/buffer_cells_used.h"
#include "sequences/device_write_th.h"
#include "sequences/person_needed.h"
#include "sequences/sequence_plan.h"
#include "sequences/verify_report.h"
#include "threads/hand_over_queue.h"

namespace zav {

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kNextPartPrompt = "Next part: press Enter, or q to stop";

struct PartOutcome {
    std::string port;
    std::optional<std::string> serial;
    PartResult result = PartResult::Ok;
    std::int64_t durationMs = 0;
};

int Refuse(const std::string& reason, ToolIo& io)
{
    io.err << "zavtool: program: " << reason << '\n';
    return kExitUsage;
}

// A log is appended to, so it must be a file that keeps what it is given: a regular one, or
// none yet. A FIFO or device would take the records where nobody finds them.
std::string LogRefusal(const std::filesystem::path& log)
{
    const std::string kind = NonRegularKind(log);
    if (kind.empty()) return {};
    return "--log: " + log.string() + " is " + kind + "; a log is a regular file that records are added to";
}

std::vector<std::string> OptionNames(const CommandLine& command)
{
    std::vector<std::string> names;
    if (command.erase) names.emplace_back("erase");
    if (command.program) names.emplace_back("program");
    if (command.verify) names.emplace_back("verify");
    if (command.lock) names.emplace_back("lock");
    if (command.unlock) names.emplace_back("unlock");
    return names;
}

std::string ImageFor(std::string pattern, const std::string& port)
{
    const std::string placeholder = "{port}";
    for (std::size_t at = pattern.find(placeholder); at != std::string::npos;
         at = pattern.find(placeholder, at + port.size())) {
        pattern.replace(at, placeholder.size(), port);
    }
    return pattern;
}

// A part is ok only when its sequence completed without an Error line.
PartResult Classify(const SequenceControl& control, const PartFindings& findings, bool stopped)
{
    if (stopped) return PartResult::Stopped;
    if (control.Result() == 0 && !findings.firstError) return PartResult::Ok;
    const bool onlyDifferences = control.Result() == 0 && findings.verifyDifferences > 0 &&
                                 VerifyReport::IsDifferenceLine(*findings.firstError);
    return onlyDifferences ? PartResult::VerifyFailed : PartResult::Error;
}

struct Tally {
    int parts = 0;
    int ok = 0;

    [[nodiscard]] std::string Line(const std::optional<std::string>& nextSerial) const
    {
        std::string line = "parts " + std::to_string(parts) + "  ok " + std::to_string(ok) + "  failed " +
                           std::to_string(parts - ok);
        if (nextSerial) line += "  next serial " + *nextSerial;
        return line;
    }
};

std::string Padded(std::string text, std::size_t width)
{
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

void PrintSummary(const std::vector<PartOutcome>& outcomes, const Tally& tally, std::ostream& err)
{
    std::size_t serialWidth = 6;
    for (const PartOutcome& outcome : outcomes)
        serialWidth = std::max(serialWidth, outcome.serial.value_or("-").size());
    err << "Summary: " << tally.Line(std::nullopt) << '\n'
        << Padded("port", 6) << Padded("serial", serialWidth + 2) << Padded("result", 15) << "time\n";
    for (const PartOutcome& outcome : outcomes) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.1f s", static_cast<double>(outcome.durationMs) / 1000.0);
        err << Padded(outcome.port, 6) << Padded(outcome.serial.value_or("-"), serialWidth + 2)
            << Padded(PartResultName(outcome.result), 15) << seconds << '\n';
    }
    err << std::flush;
}

// The ports of the run: those given, else the one of the settings file.
std::vector<std::string> RunPorts(const CommandLine& command, const DeviceInfo& device,
                                  const ProgramSettings& settings)
{
    if (!command.ports.empty()) return command.ports;
    return {settings.PortFor(device.portKind)};
}

// Asks between parts; false when the user wants no more (q, end of input, Ctrl-C).
bool NextPartWanted(Terminal& terminal)
{
    terminal.Write(std::string(kNextPartPrompt) + " ");
    const auto answer = terminal.ReadLine();
    if (!answer) {
        terminal.Write("\n");
        return false;
    }
    return *answer != "q" && *answer != "Q";
}

// One run of the bench from the parsed command line to its exit status.
class BatchRun {
public:
    BatchRun(const CommandLine& command, ToolIo& io)
        : command_(command), io_(io), device_(*DeviceCatalogue::FindDevice(*command.device)),
          plan_(FindSequencePlan(device_.name)), optionsDown_(OptionsDown(command)),
          progress_(io.err, io.errIsTerminal),
          reporter_(io.err, io.terminal, {command.yes, command.quiet, &progress_})
    {
    }

    int Run();

private:
    [[nodiscard]] std::string Preflight() const;
    [[nodiscard]] std::string CheckSerialRange();
    // 0, or the exit status of a run that cannot set its boards up.
    [[nodiscard]] int SetUpBoards(const PortsMap& map, const ProgramSettings& settings);
    // A board's backups, into the folder of --backup or the default one; none with --no-backup.
    [[nodiscard]] std::shared_ptr<BoardBackups> BackupsForBoard();
    [[nodiscard]] bool AskConfigOnce();
    // Programs one part on each of the first `active` boards; false when the run must end.
    [[nodiscard]] bool RunRound(std::size_t active, int& refusal);
    void DrainUntilPartsEnd(std::size_t active);
    [[nodiscard]] std::optional<std::string> NextSerialText();
    [[nodiscard]] bool Log(const PartRecord& record);
    void SaveImages();
    [[nodiscard]] int ExitStatus() const;

    const CommandLine& command_;
    ToolIo& io_;
    const DeviceInfo& device_;
    const std::optional<SequencePlan> plan_;
    const std::set<SequenceOption> optionsDown_;
    ProgressBar progress_;
    ConsoleReporter reporter_;
    std::unique_ptr<MemoryBuffer> master_;
    std::optional<std::uint32_t> inputCrc_;
    std::optional<SerialStateFile> serials_;
    std::vector<std::string> ports_;
    std::unique_ptr<PortsMapLinkFactory> links_;
    std::shared_ptr<HandOverQueue> queue_ = HandOverQueue::Create();
    std::unique_ptr<StopSignalWatcher> watcher_;
    std::atomic<bool> unanswered_{false};
    std::vector<Clock::time_point> ends_;
    std::vector<PartOutcome> outcomes_;
    Tally tally_;
    bool failed_ = false;
    // Last, so destroyed first: a board's destruction stops its sequence, whose end is
    // still reported into the members above.
    std::vector<std::unique_ptr<BatchBoard>> boards_;
};

std::string BatchRun::Preflight() const
{
    if (command_.logFile) {
        if (std::string refusal = LogRefusal(*command_.logFile); !refusal.empty()) return refusal;
    }
    if (command_.repeat && !command_.count && !io_.terminal.IsInteractive())
        return "--repeat asks for each next part on the terminal, and there is none (--count N runs N parts "
               "without asking)";
    if (plan_ && !command_.yes && !io_.terminal.IsInteractive()) {
        const std::string person = PersonNeededFor(*plan_, optionsDown_);
        if (!person.empty())
            return "this run needs someone for " + person +
                   ", and there is no terminal to ask on (--yes answers for you)";
    }
    return {};
}

std::string BatchRun::CheckSerialRange()
{
    if (!command_.serial || !plan_) return {};
    const SerialNumbering& numbering = *command_.serial;
    if (std::string problem = SerialPlacementProblem(numbering, plan_->eeprom, *master_); !problem.empty())
        return "--serial: " + problem;
    serials_.emplace(command_.serialState ? std::filesystem::path(*command_.serialState)
                                          : DefaultSerialStatePath(std::string(device_.name)),
                     numbering);
    std::uint64_t first = 0;
    std::string failure;
    if (!serials_->Peek(first, failure)) return "--serial: " + failure;
    return {};
}

int BatchRun::SetUpBoards(const PortsMap& map, const ProgramSettings& settings)
{
    links_ = std::make_unique<PortsMapLinkFactory>(map, SimulationOptions(command_, device_));
    for (const std::string& port : ports_) {
        BatchBoard::Setup setup;
        setup.port = port;
        setup.prefixLines = ports_.size() > 1;
        setup.progressBar = io_.errIsTerminal && ports_.size() == 1;
        setup.deviceName = device_.name;
        setup.portSettings = settings;
        setup.portSettings.PortFor(device_.portKind) = port;
        setup.optionsDown = optionsDown_;
        setup.reporting = {command_.yes, command_.quiet, nullptr};
        std::unique_ptr<MemoryBuffer> buffer = CreateToolBuffer(command_.device, reporter_);
        if (!buffer) return kExitFailed;
        auto board = std::make_unique<BatchBoard>(setup, io_.err, io_.terminal, std::move(buffer), queue_,
                                                  *links_, BackupsForBoard());
        board->Reporter().OnUnanswered([this] { unanswered_.store(true); });
        const std::size_t index = boards_.size();
        board->Control().SetOnSequenceFinished([this, index](int) { ends_[index] = Clock::now(); });
        SimulatedBoard* simulated = links_->SimulatedBoardOn(port, device_.boardCode);
        if (command_.simMemory) {
            if (simulated == nullptr)
                return Refuse("--sim-memory: " + port + " is not simulated (add --simulate)", io_);
            const std::string image = ImageFor(*command_.simMemory, port);
            if (!LoadSimulatedMemory(*simulated, image, board->ImageLock(), board->Reporter()))
                return kExitFailed;
            board->AttachSimulation(simulated, image);
        }
        boards_.push_back(std::move(board));
    }
    ends_.resize(boards_.size());
    return 0;
}

std::shared_ptr<BoardBackups> BatchRun::BackupsForBoard()
{
    if (command_.noBackup) return nullptr;
    return std::make_shared<BoardBackups>(ToolBackupFolder(command_));
}

bool BatchRun::AskConfigOnce()
{
    const bool changesConfig = command_.erase || command_.program || command_.lock || command_.unlock;
    if (!plan_ || !plan_->IsMc68hc11() || !changesConfig) return true;
    const bool yes = command_.yes || reporter_.Show(ConfigQuestionBox()) == BoxAnswer::Yes;
    for (const auto& board : boards_) board->Host().SetConfigAnswer(yes);
    return !unanswered_.load();
}

void BatchRun::DrainUntilPartsEnd(std::size_t active)
{
    const auto partsOver = [&] {
        for (std::size_t i = 0; i < active; ++i) {
            if (boards_[i]->Control().Running()) return false;
        }
        return true;
    };
    queue_->DrainUntil([&] { return partsOver() || watcher_->StopRequested() || unanswered_.load(); });
    const bool stopping = watcher_->StopRequested() || unanswered_.load();
    for (std::size_t i = 0; i < active; ++i) {
        SequenceControl& control = boards_[i]->Control();
        // A worker that ended by itself after the user's stop still reports the interruption.
        if (control.Running() || stopping) {
            control.Stop();
        } else {
            control.WaitForEnd();
        }
        boards_[i]->Progress().End();
    }
}

std::optional<std::string> BatchRun::NextSerialText()
{
    if (!serials_) return std::nullopt;
    std::uint64_t next = 0;
    std::string ignored;
    if (!serials_->Peek(next, ignored)) return std::string("none left");
    return SerialText(*command_.serial, next);
}

bool BatchRun::Log(const PartRecord& record)
{
    if (!command_.logFile) return true;
    std::string failure;
    if (AppendRecordSafely(*command_.logFile, PartRecordLine(record), failure)) return true;
    reporter_.AddStatusMessage("Cannot write the log " + *command_.logFile + ": " + failure +
                                   "; the run stops before the next part",
                               StatusKind::Error);
    return false;
}

bool BatchRun::RunRound(std::size_t active, int& refusal)
{
    std::vector<std::optional<std::uint64_t>> numbers(active);
    if (serials_) {
        std::vector<std::uint64_t> reserved;
        std::string failure;
        if (!serials_->Reserve(active, reserved, failure)) {
            refusal = Refuse("--serial: " + failure, io_);
            return false;
        }
        std::copy(reserved.begin(), reserved.end(), numbers.begin());
    }
    for (std::size_t i = 0; i < active; ++i) {
        MemoryBuffer& buffer = boards_[i]->Buffer();
        {
            const MemoryBuffer::BulkUpdate update(buffer);
            for (std::int32_t address = 0; address <= buffer.LastAddress(); ++address)
                buffer.SetByte(address, master_->GetByte(address));
            if (numbers[i]) (void)WriteSerial(*command_.serial, *numbers[i], buffer);
        }
        boards_[i]->BeginPart();
    }
    const auto wallStart = std::chrono::system_clock::now();
    const auto start = Clock::now();
    for (std::size_t i = 0; i < active; ++i) {
        ends_[i] = start;
        boards_[i]->Control().Start();
    }
    DrainUntilPartsEnd(active);

    bool logWritten = true;
    for (std::size_t i = 0; i < active; ++i) {
        BatchBoard& board = *boards_[i];
        const PartFindings& findings = board.Host().Findings();
        const bool stopped = watcher_->StopRequested();
        if (command_.diff) {
            LinePrefixBuffer prefixed(*io_.out.rdbuf(), board.LinePrefix());
            std::ostream(&prefixed) << DifferencesText(findings.differingCells) << std::flush;
        }
        PartOutcome outcome;
        outcome.port = board.Port();
        outcome.result = Classify(board.Control(), findings, stopped);
        if (ends_[i] < start) ends_[i] = Clock::now();
        outcome.durationMs = std::chrono::duration_cast<std::chrono::milliseconds>(ends_[i] - start).count();
        if (numbers[i]) {
            outcome.serial = SerialText(*command_.serial, *numbers[i]);
            std::string failure;
            const bool giveBack = outcome.result != PartResult::Ok && !command_.serialBurnFailed;
            if (giveBack && !serials_->GiveBack(*numbers[i], failure))
                board.Reporter().AddStatusMessage("Cannot give the serial number back: " + failure,
                                                  StatusKind::Error);
        }
        PartRecord record;
        record.time = wallStart;
        record.device = device_.name;
        record.port = board.Port();
        record.inputFile = *command_.inFile;
        record.inputCrc32 = inputCrc_;
        record.serial = outcome.serial;
        record.backupFile = board.PartBackup();
        record.options = OptionNames(command_);
        record.result = outcome.result;
        record.verifyDifferences = findings.verifyDifferences;
        record.errorLine = findings.firstError;
        record.durationMs = outcome.durationMs;
        logWritten = Log(record) && logWritten;
        ++tally_.parts;
        if (outcome.result == PartResult::Ok) ++tally_.ok;
        outcomes_.push_back(outcome);
    }
    io_.err << tally_.Line(NextSerialText()) << '\n' << std::flush;
    if (!logWritten) failed_ = true;
    return logWritten && !watcher_->StopRequested() && !unanswered_.load();
}

void BatchRun::SaveImages()
{
    for (const auto& board : boards_) {
        if (board->Simulation() != nullptr && !board->Simulation()->Target().SaveImage(board->Image())) {
            board->Reporter().AddStatusMessage("Cannot save the simulated memory to " + board->Image(),
                                               StatusKind::Error);
            failed_ = true;
        }
    }
}

int BatchRun::ExitStatus() const
{
    if (watcher_->StopRequested()) return 128 + watcher_->Signal();
    if (failed_ || unanswered_.load() || outcomes_.empty() || tally_.ok != tally_.parts) return kExitFailed;
    return kExitDone;
}

int BatchRun::Run()
{
    if (std::string refusal = Preflight(); !refusal.empty()) return Refuse(refusal, io_);
    std::string stopReason;
    const std::optional<ProgramSettings> stored =
        ToolProgramSettings(command_, device_, reporter_, stopReason);
    if (!stored) return Refuse(stopReason, io_);
    const ProgramSettings& settings = *stored;
    ports_ = RunPorts(command_, device_, settings);
    if (command_.simMemory) {
        for (const std::string& port : ports_) {
            if (std::string refusal = SimMemoryRefusal(ImageFor(*command_.simMemory, port)); !refusal.empty())
                return Refuse(refusal, io_);
        }
    }
    const std::optional<PortsMap> loadedMap = LoadToolPortsMap(reporter_, stopReason);
    if (!loadedMap) return Refuse(stopReason, io_);
    const PortsMap& map = *loadedMap;

    master_ = CreateToolBuffer(command_.device, reporter_);
    if (!master_) return kExitFailed;
    LoadCoverage given;
    if (!LoadToolInput(*command_.inFile, command_.inFormat, ToolLoadOptions(command_), *master_, reporter_,
                       reporter_, &progress_, &given, ProgramInputDemands(), &inputCrc_)) {
        return kExitFailed;
    }
    // Cells the file left out would be programmed with whatever the buffer held; the serial
    // number's cells are given by the run itself.
    LoadCoverage withSerial = given;
    if (command_.serial) {
        for (int i = 0; i < command_.serial->bytes; ++i) {
            const auto address = static_cast<std::size_t>(command_.serial->address + i);
            if (address < withSerial.size()) withSerial[address] = true;
        }
    }
    const std::vector<AddressRange> missing =
        plan_ && command_.clearMode == ClearMode::None
            ? CellsNotGiven(BufferCellsUsed(*plan_, command_.program, command_.verify), withSerial)
            : std::vector<AddressRange>{};
    if (!missing.empty()) {
        return Refuse(*command_.inFile + " gives no value for " + RangesText(missing) +
                          ", which this run programs or verifies; --clear 00|FF says what they hold",
                      io_);
    }
    if (std::string refusal = CheckSerialRange(); !refusal.empty()) return Refuse(refusal, io_);

    // Signals are taken by the watcher in every thread started from here on.
    watcher_ = std::make_unique<StopSignalWatcher>([this] { queue_->Wake(); });
    io_.terminal.SetStopFlag(&watcher_->Flag());
    int refusal = SetUpBoards(map, settings);
    if (refusal == 0 && AskConfigOnce() && !watcher_->StopRequested()) {
        const std::size_t total = command_.count ? static_cast<std::size_t>(*command_.count) : 0;
        const bool many = command_.repeat || command_.count;
        std::size_t done = 0;
        while (true) {
            const std::size_t active = total == 0 ? boards_.size() : std::min(boards_.size(), total - done);
            if (!RunRound(active, refusal)) break;
            done += active;
            if (!many || (total != 0 && done >= total)) break;
            if (io_.terminal.IsInteractive()) {
                progress_.Hide();
                if (!NextPartWanted(io_.terminal)) break;
            }
            if (watcher_->StopRequested()) break;
        }
    } else {
        failed_ = true;
    }
    io_.terminal.SetStopFlag(nullptr);
    SaveImages();
    if (!outcomes_.empty()) PrintSummary(outcomes_, tally_, io_.err);
    if (refusal != 0) return refusal;
    if (watcher_->StopRequested()) {
        reporter_.AddStatusMessage(
            std::string("Stopped by the user (") + watcher_->SignalName() + "); the port is released.",
            StatusKind::Warning);
    }
    return ExitStatus();
}

} // namespace

bool IsBatchRun(const CommandLine& command)
{
    return command.serial || command.logFile || command.repeat || command.count || command.ports.size() > 1;
}

int RunProgramBatch(const CommandLine& command, ToolIo& io)
{
    BatchRun run(command, io);
    return run.Run();
}

} // namespace zav
