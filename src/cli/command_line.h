#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "files/file_format.h"
#include "files/load_options.h"
#include "operations/serial_number.h"

namespace zav {

// The tool's subcommands; None when only the tool itself was named (zavtool --help).
enum class Subcommand {
    None,
    Devices,
    Ports,
    Detect,
    Convert,
    Dump,
    Export,
    Read,
    Program,
    BlankCheck,
    Compare,
    Checksum,
};

// What export writes: the Copy As dialog's three conversions.
enum class ExportFormat { CArray, AssemblerArray, HtmlPage };

// An inclusive address span from a LOW:HIGH option, already put in order.
struct AddressSpan {
    std::uint32_t low = 0;
    std::uint32_t high = 0;
    bool operator==(const AddressSpan&) const = default;
};

// Everything one command line asks for. Fields a subcommand does not take stay at their
// defaults; the parser refuses options that do not belong to the subcommand.
struct CommandLine {
    Subcommand subcommand = Subcommand::None;
    bool help = false;
    bool version = false;
    // Every subcommand: leave out the Normal status lines.
    bool quiet = false;
    // The positional arguments: FILE, or INPUT and OUTPUT.
    std::vector<std::string> files;
    std::optional<std::string> device;
    std::optional<FileFormat> inFormat;
    std::optional<FileFormat> outFormat;
    // convert and program: how the file is loaded; convert: which part of the buffer is saved.
    std::optional<AddressSpan> loadRange;
    std::int32_t offset = 0;
    ClearMode clearMode = ClearMode::None;
    std::optional<AddressSpan> saveRange;
    bool saveUnimplemented = false;
    // convert to Binary: the value of the gaps between the addresses the input gave.
    std::uint8_t fill = 0xFF;
    // dump and export.
    std::optional<AddressSpan> range;
    int width = 16;
    std::optional<ExportFormat> exportAs;
    std::optional<std::string> title;
    // ports.
    bool check = false;
    // read and program.
    std::optional<std::string> port;
    std::optional<int> delay;
    // How often the board's identification is tried; none: until it answers.
    std::optional<int> tries;
    // The longest single wait for the board, in seconds; none: until it is ready.
    std::optional<int> timeout;
    std::optional<std::string> outFile;
    // convert and read: replace an output whose permissions make it read-only.
    bool force = false;
    std::optional<std::string> inFile;
    // Present when the simulated board stands in for the port: its comma list of variants.
    std::optional<std::string> simulate;
    std::optional<std::string> simMemory;
    bool erase = false;
    bool program = false;
    bool verify = false;
    bool lock = false;
    bool unlock = false;
    bool yes = false;
    // program on a production bench: every --port in order (port is the first), a number
    // written into each part, a log line per part, and a run of many parts.
    std::vector<std::string> ports;
    std::optional<SerialNumbering> serial;
    std::optional<std::string> serialState;
    bool serialBurnFailed = false;
    std::optional<std::string> logFile;
    bool repeat = false;
    std::optional<int> count;
    // program: print the differing cells after the verify; where the backup goes, or none.
    bool diff = false;
    std::optional<std::string> backupFolder;
    bool noBackup = false;
};

// A parsed command line, or the one-line reason it is not one (a usage error). `command`
// keeps the subcommand even on an error, so the right usage can follow the reason.
struct ParsedCommandLine {
    CommandLine command;
    std::string error;
    [[nodiscard]] bool Ok() const { return error.empty(); }
};

// Reads the arguments after the program name. Pure: no files or ports are looked at, so
// a name that is no device or a port of the wrong kind is refused here, but a missing file
// is not.
[[nodiscard]] ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The name a subcommand is typed as ("convert"); empty for None.
[[nodiscard]] std::string SubcommandName(Subcommand subcommand);

} // namespace zav
