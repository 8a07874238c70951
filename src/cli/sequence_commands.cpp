#include "cli/commands.h"

#include <atomic>
#include <csignal>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <optional>
#include <set>

#include "boardsim/board_sim_options.h"
#include "boardsim/image_file_lock.h"
#include "boardsim/simulated_board.h"
#include "buffer/memory_buffer.h"
#include "buffer/numeric_helpers.h"
#include "cli/cli_sequence_host.h"
#include "cli/command_line.h"
#include "cli/console_reporter.h"
#include "cli/notice_lines.h"
#include "cli/progress_bar.h"
#include "cli/sequence_commands.h"
#include "cli/stop_signal_watcher.h"
#include "cli/terminal.h"
#include "cli/tool_files.h"
#include "cli/usage_text.h"
#include "devices/device_catalogue.h"
#include "files/backup_folder.h"
#include "files/buffer_file_access.h"
#include "files/buffer_file_saver.h"
#include "files/regular_file_input.h"
#include "platform/settings_directory.h"
#include "messages/printable_text.h"
#include "ports/ports_map_link_factory.h"
#include "sequences/buffer_cells_used.h"
#include "sequences/person_needed.h"
#include "sequences/program_sequence_control.h"
#include "sequences/read_sequence_control.h"
#include "sequences/simulation_notice_link_factory.h"
#include "shell/app_settings.h"
#include "shell/settings_file.h"
#include "threads/hand_over_queue.h"

namespace zav {

namespace {

// With a number of tries, a board that stays busy this long in one wait has failed a try.
constexpr std::int64_t kTriedWaitLimitMs = 10'000;

} // namespace

// The program settings of the settings file, with --port, --delay and --tries over them.
std::optional<ProgramSettings> ToolProgramSettings(const CommandLine& command, const DeviceInfo& device,
                                                   StatusSink& status, std::string& refusal)
{
    AppSettings settings;
    const std::filesystem::path file = SettingsDirectory() / kSettingsFileName;
    const SettingsFileReport report = ReadSettingsFile(file, settings);
    for (const std::string& warning : report.warnings) status.AddStatusMessage(warning, StatusKind::Warning);
    if (report.error) {
        refusal = PrintableText(file.string()) + ": " + report.errorKey + ": " +
                  PrintableText(*report.error) + "; mend or remove that line";
        return std::nullopt;
    }
    ProgramSettings ports = settings.program;
    if (command.port) ports.PortFor(device.portKind) = *command.port;
    if (command.delay) ports.lptDelay = *command.delay;
    ports.openingTries = command.tries.value_or(0);
    if (command.timeout) {
        ports.waitLimitMs = std::int64_t{*command.timeout} * 1000;
    } else if (command.tries) {
        ports.waitLimitMs = kTriedWaitLimitMs;
    }
    return ports;
}

// The simulated board's options: the variants given, over a target that carries the chosen
// MC68HC11's own bootstrap signature unless hc11= says otherwise.
std::optional<BoardSimOptions> SimulationOptions(const CommandLine& command, const DeviceInfo& device)
{
    if (!command.simulate) return std::nullopt;
    BoardSimOptions options;
    if (device.name == "MC68HC11PA8") options.hc11 = Hc11Variant::PA8;
    if (device.name == "MC68HC11P2") options.hc11 = Hc11Variant::P2;
    if (device.name == "MC68HC11KA4") options.hc11 = Hc11Variant::KA4;
    std::string ignored;
    (void)ParseBoardSimOptions(*command.simulate, options, ignored);
    return options;
}

std::set<SequenceOption> OptionsDown(const CommandLine& command)
{
    if (command.subcommand == Subcommand::Read) return {SequenceOption::Read};
    if (command.subcommand == Subcommand::BlankCheck) return {};
    std::set<SequenceOption> down;
    if (command.erase) down.insert(SequenceOption::Erase);
    if (command.program) down.insert(SequenceOption::Program);
    if (command.verify) down.insert(SequenceOption::Verify);
    if (command.lock) down.insert(SequenceOption::Lock);
    if (command.unlock) down.insert(SequenceOption::Unlock);
    return down;
}

// Locks the simulated device's memory image for this run and loads it; a missing file
// leaves the memory erased.
bool LoadSimulatedMemory(SimulatedBoard& board, const std::string& image, ImageFileLock& lock,
                         StatusSink& status)
{
    std::string failure;
    if (!lock.Acquire(image, failure)) {
        status.AddStatusMessage("Cannot use the simulated memory " + image + ": " + failure,
                                StatusKind::Error);
        return false;
    }
    if (board.Target().LoadImage(image)) return true;
    status.AddStatusMessage("Cannot load the simulated memory from " + image +
                                ": not a readable 64 KiB image",
                            StatusKind::Error);
    return false;
}

std::string SimMemoryRefusal(const std::string& image)
{
    const std::string kind = NonRegularKind(image);
    if (kind.empty()) return {};
    return "--sim-memory: " + image + " is " + kind + "; the simulated memory is kept in a regular file";
}

ToolLoadDemands ProgramInputDemands()
{
    return {.someData = true, .everything = true, .untouched = "; the device was not touched"};
}

LoadOptions ToolLoadOptions(const CommandLine& command)
{
    LoadOptions load;
    // Without a range every file address is taken, so a byte the buffer cannot hold is
    // counted as lost rather than left out unseen.
    load.highFileAddress = 0xFFFFFFFF;
    if (command.loadRange) {
        load.lowFileAddress = command.loadRange->low;
        load.highFileAddress = command.loadRange->high;
    }
    load.offset = command.offset;
    load.clearMode = command.clearMode;
    return load;
}

std::string RangeText(const AddressRange& range)
{
    std::string text = AddressText(range.first);
    if (range.last != range.first) {
        text += '-';
        text += AddressText(range.last);
    }
    return text;
}

std::string RangesText(const std::vector<AddressRange>& ranges)
{
    std::string text;
    for (const AddressRange& range : ranges) {
        if (!text.empty()) text += ", ";
        text += RangeText(range);
    }
    return text;
}

std::filesystem::path ToolBackupFolder(const CommandLine& command)
{
    return command.backupFolder ? std::filesystem::path(*command.backupFolder) : DefaultBackupFolder();
}

std::optional<PortsMap> LoadToolPortsMap(StatusSink& status, std::string& refusal)
{
    const std::filesystem::path mapFile = SettingsDirectory() / "ports";
    PortsMap map = LoadPortsMap(mapFile);
    if (!map.FileError().empty()) {
        refusal = map.FileError();
        return std::nullopt;
    }
    // A line the map could not read would otherwise leave its port on the default device
    // without a word.
    for (const std::string& line : PortsMapLineWarnings(map, mapFile))
        status.AddStatusMessage(line, StatusKind::Warning);
    return map;
}

namespace {

// A usage error: the run is refused before the port or the device is touched.
int Refuse(const CommandLine& command, const std::string& reason, ToolIo& io)
{
    io.err << "zavtool: " << SubcommandName(command.subcommand) << ": " << reason << '\n';
    return kExitUsage;
}

// Runs the sequence to its end, or to the user's Stop on a signal or a box nobody could
// answer, on this thread as the main window's event loop would.
int RunToEnd(SequenceControl& control, HandOverQueue& queue, const StopSignalWatcher& watcher,
             const std::atomic<bool>& unanswered)
{
    control.Start();
    queue.DrainUntil([&] { return !control.Running() || watcher.StopRequested() || unanswered.load(); });
    // A worker that ended by itself after the user's stop still reports the interruption.
    if (control.Running() || watcher.StopRequested()) {
        control.Stop();
    } else {
        control.WaitForEnd();
    }
    return control.Result();
}

} // namespace

int RunSequence(const CommandLine& command, ToolIo& io)
{
    const DeviceInfo& device = *DeviceCatalogue::FindDevice(*command.device);
    // The blank check reads the part as the read does, into a scratch copy.
    const bool blankCheck = command.subcommand == Subcommand::BlankCheck;
    const bool reading = command.subcommand == Subcommand::Read || blankCheck;
    const std::set<SequenceOption> optionsDown = OptionsDown(command);
    const std::optional<SequencePlan> plan = FindSequencePlan(device.name);
    if (plan && !command.yes && !io.terminal.IsInteractive()) {
        const std::string person = PersonNeededFor(*plan, optionsDown);
        if (!person.empty()) {
            return Refuse(command,
                          "this run needs someone for " + person +
                              ", and there is no terminal to ask on (--yes answers for you)",
                          io);
        }
    }
    if (command.simMemory) {
        if (const std::string refusal = SimMemoryRefusal(*command.simMemory); !refusal.empty())
            return Refuse(command, refusal, io);
    }
    ProgressBar progress(io.err, io.errIsTerminal);
    ConsoleReporter reporter(io.err, io.terminal, {command.yes, command.quiet, &progress});

    std::string refusal;
    const std::optional<ProgramSettings> stored = ToolProgramSettings(command, device, reporter, refusal);
    if (!stored) return Refuse(command, refusal, io);
    const ProgramSettings& ports = *stored;
    const std::string portName = ports.PortFor(device.portKind);
    const std::optional<PortsMap> loadedMap = LoadToolPortsMap(reporter, refusal);
    if (!loadedMap) return Refuse(command, refusal, io);
    const PortsMap& map = *loadedMap;
    PortsMapLinkFactory links(map, SimulationOptions(command, device));
    SimulatedBoard* const simulatedBoard = links.SimulatedBoardOn(portName, device.boardCode);
    if (command.simMemory && simulatedBoard == nullptr) {
        io.err << "zavtool: --sim-memory: " << portName << " is not simulated (add --simulate)\n"
               << UsageText(command.subcommand);
        return kExitUsage;
    }

    const std::unique_ptr<MemoryBuffer> buffer = CreateToolBuffer(command.device, reporter);
    if (!buffer) return kExitFailed;
    if (!reading) {
        LoadCoverage given;
        if (!LoadToolInput(*command.inFile, command.inFormat, ToolLoadOptions(command), *buffer, reporter,
                           reporter, &progress, &given, ProgramInputDemands())) {
            return kExitFailed;
        }
        // Cells the file left out would be programmed with whatever the buffer held.
        const std::vector<AddressRange> missing =
            plan && command.clearMode == ClearMode::None
                ? CellsNotGiven(BufferCellsUsed(*plan, command.program, command.verify), given)
                : std::vector<AddressRange>{};
        if (!missing.empty()) {
            return Refuse(command,
                          *command.inFile + " gives no value for " + RangesText(missing) +
                              ", which this run programs or verifies; --clear 00|FF says what they hold",
                          io);
        }
    }
    ImageFileLock imageLock;
    if (command.simMemory && !LoadSimulatedMemory(*simulatedBoard, *command.simMemory, imageLock, reporter)) {
        return kExitFailed;
    }

    const auto queue = HandOverQueue::Create();
    CliSequenceHost host(reporter, progress, *buffer, *command.device, ports, optionsDown);
    StopSignalWatcher watcher([queue] { queue->Wake(); });
    std::atomic<bool> unanswered{false};
    reporter.OnUnanswered([&] { unanswered.store(true); });
    io.terminal.SetStopFlag(&watcher.Flag());
    NoticeLines notices(queue, reporter);
    SimulationNoticeLinkFactory noticedLinks(
        links, [&links](const std::string& name) { return links.Simulates(name); }, notices);
    int result = 1;
    int cellsNotErased = -1;
    {
        std::unique_ptr<SequenceControl> control;
        ReadSequenceControl* readControl = nullptr;
        if (reading) {
            auto read = std::make_unique<ReadSequenceControl>(host, queue, noticedLinks);
            read->SetBlankCheck(blankCheck);
            readControl = read.get();
            control = std::move(read);
        } else {
            auto program = std::make_unique<ProgramSequenceControl>(host, queue, noticedLinks);
            if (!command.noBackup) {
                program->SetBackupStore(std::make_shared<BackupFolder>(ToolBackupFolder(command)));
            }
            control = std::move(program);
        }
        // A stop at a box, or a box nobody could answer, ends the sequence before the
        // worker acts on the answer.
        host.SetAfterBox([&] {
            if (watcher.StopRequested() || unanswered.load()) control->RequestStop();
        });
        result = RunToEnd(*control, *queue, watcher, unanswered);
        if (readControl != nullptr) cellsNotErased = readControl->LastBlankCheck().cellsNotErased;
        host.StopReporting();
        host.SetAfterBox(nullptr);
    }
    io.terminal.SetStopFlag(nullptr);
    progress.End();
    if (simulatedBoard != nullptr) {
        if (const std::string fault = simulatedBoard->Parallel().ReleaseFault(); !fault.empty())
            reporter.AddStatusMessage("The simulated board: " + fault, StatusKind::Error);
    }

    if (command.simMemory && !simulatedBoard->Target().SaveImage(*command.simMemory)) {
        reporter.AddStatusMessage("Cannot save the simulated memory to " + *command.simMemory,
                                  StatusKind::Error);
    }
    if (watcher.StopRequested()) {
        // The port is released by now; the link's own failure line reads like a fault.
        reporter.AddStatusMessage(
            std::string("Stopped by the user (") + watcher.SignalName() + "); the port is released.",
            StatusKind::Warning);
        return 128 + watcher.Signal();
    }
    if (command.diff) io.out << DifferencesText(host.VerifyDifferences());
    if (blankCheck && cellsNotErased != 0) return kExitFailed;
    if (reading && result == 0 && command.outFile) {
        SaveOptions whole;
        whole.highAddress = buffer->LastAddress();
        SaveRules rules;
        rules.readOnly = command.force ? ReadOnlyFiles::Replace : ReadOnlyFiles::Refuse;
        rules.stop = &watcher.Flag();
        const bool saved = SaveToolOutput(*command.outFile, ToolOutputFormat(*command.outFile, command.outFormat),
                                          whole, *buffer, reporter, io.out, rules);
        if (watcher.StopRequested()) {
            reporter.AddStatusMessage(std::string("Stopped by the user (") + watcher.SignalName() + ") " +
                                          (saved ? "after the save of " + *command.outFile + " was complete."
                                                 : "during the save; " + *command.outFile + " is as it was."),
                                      StatusKind::Warning);
            return 128 + watcher.Signal();
        }
    }
    return result == 0 && !reporter.ErrorSeen() ? kExitDone : kExitFailed;
}

} // namespace zav
