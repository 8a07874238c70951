#pragma once

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "boardsim/board_sim_options.h"
#include "buffer/address_range.h"
#include "cli/tool_files.h"
#include "devices/sequence_option.h"
#include "files/load_options.h"
#include "link/ports_map.h"
#include "sequences/program_settings.h"

namespace zav {

struct CommandLine;
struct DeviceInfo;
class ImageFileLock;
class SimulatedBoard;
class StatusSink;

// What a read or program run takes from its command line and the user's files, shared by
// the one-part run and the production-bench run.

// The program settings of the settings file, with --port, --delay and --tries over them;
// what the file holds amiss (values out of range, repeated keys) are warnings on `status`.
// Nothing, with `refusal` saying why, when a stored value could not be converted: a run on
// settings read only in part would use a port or a delay nobody chose.
[[nodiscard]] std::optional<ProgramSettings> ToolProgramSettings(const CommandLine& command,
                                                                 const DeviceInfo& device, StatusSink& status,
                                                                 std::string& refusal);
// The ports map of the settings folder; each line it could not read or that names a port
// again is a warning. Nothing, with `refusal` saying why, when the file exists but cannot be
// read: then no port may be opened.
[[nodiscard]] std::optional<PortsMap> LoadToolPortsMap(StatusSink& status, std::string& refusal);
// The simulated board's options for --simulate; none without it.
[[nodiscard]] std::optional<BoardSimOptions> SimulationOptions(const CommandLine& command,
                                                               const DeviceInfo& device);
[[nodiscard]] std::set<SequenceOption> OptionsDown(const CommandLine& command);
// Locks the simulated device's memory image for this run and loads it; a missing file
// leaves the memory erased.
[[nodiscard]] bool LoadSimulatedMemory(SimulatedBoard& board, const std::string& image, ImageFileLock& lock,
                                       StatusSink& status);
// The refusal of a --sim-memory image that is there and no regular file (a FIFO would
// never give its 64 KiB, a device never end); empty when it is one or is not there yet.
[[nodiscard]] std::string SimMemoryRefusal(const std::string& image);
[[nodiscard]] LoadOptions ToolLoadOptions(const CommandLine& command);
// What a program run asks of its input: data, and all of it in the buffer.
[[nodiscard]] ToolLoadDemands ProgramInputDemands();
// Where a program run keeps its backups: the folder of --backup, else the default one.
[[nodiscard]] std::filesystem::path ToolBackupFolder(const CommandLine& command);
// "0x0100-0x01FF", or "0x103F" for a single cell.
[[nodiscard]] std::string RangeText(const AddressRange& range);
// "0x0100-0x01FF, 0x103F": address ranges as a refusal names them.
[[nodiscard]] std::string RangesText(const std::vector<AddressRange>& ranges);

} // namespace zav
