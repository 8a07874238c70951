#include "cli/command_line.h"

#include <algorithm>
#include <array>
#include <functional>
#include <limits>
#include <string_view>
#include <utility>

#include "boardsim/board_sim_options.h"
#include "buffer/numeric_helpers.h"
#include "devices/device_catalogue.h"
#include "link/delay_count.h"
#include "link/port_name.h"
#include "sequences/port_kind_check.h"

namespace zav {

namespace {

constexpr std::int32_t kLastBufferAddress = 0xFFFF;
// A day: longer than any wait of a board that works.
constexpr int kMaxWaitSeconds = 86400;

struct SubcommandEntry {
    std::string_view name;
    Subcommand subcommand;
    // How many positional arguments it takes.
    std::size_t fileCount;
};

constexpr std::array<SubcommandEntry, 11> kSubcommands = {{
    {"devices", Subcommand::Devices, 0},
    {"ports", Subcommand::Ports, 0},
    {"detect", Subcommand::Detect, 1},
    {"convert", Subcommand::Convert, 2},
    {"dump", Subcommand::Dump, 1},
    {"export", Subcommand::Export, 1},
    {"read", Subcommand::Read, 0},
    {"program", Subcommand::Program, 0},
    {"blank-check", Subcommand::BlankCheck, 0},
    {"compare", Subcommand::Compare, 2},
    {"checksum", Subcommand::Checksum, 1},
}};

enum class ValueUse { None, Required, Optional };

// Applies an option's value; returns the reason when the value is refused.
using Apply = std::function<std::string(CommandLine&, const std::string&)>;

struct OptionEntry {
    std::string_view name;
    ValueUse value;
    std::vector<Subcommand> subcommands;
    Apply apply;
};

// A user's text inside a one-line reason: control characters and bytes above 0x7E are
// written as \xHH, so the reason stays one printable line.
std::string Printable(std::string_view text)
{
    std::string quoted;
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x20 || code > 0x7E) {
            quoted += "\\x";
            quoted += HexDigit(code >> 4);
            quoted += HexDigit(code);
        } else {
            quoted += c;
        }
    }
    return quoted;
}

std::string Quoted(std::string_view text)
{
    std::string quoted = "\"";
    quoted += Printable(text);
    quoted += '"';
    return quoted;
}

std::string LowerCase(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), LowerCaseChar);
    return lower;
}

std::optional<FileFormat> FormatFromOptionValue(std::string_view value)
{
    const std::string lower = LowerCase(value);
    if (lower == "zef") return FileFormat::ExtendedFormat;
    if (lower == "s19") return FileFormat::MotorolaS;
    if (lower == "bin") return FileFormat::Binary;
    if (lower == "hex" || lower == "ihex") return FileFormat::IntelHex;
    return std::nullopt;
}

// A number as the dialogs read it: decimal, or hexadecimal after 0x.
std::optional<std::int32_t> ParseNumber(const std::string& text)
{
    if (text.empty() || text.front() == ' ') return std::nullopt;
    return StringToInt(text);
}

std::optional<std::uint32_t> ParseAddress(const std::string& text)
{
    const auto value = ParseNumber(text);
    if (!value || *value < 0) return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

// LOW:HIGH, swapped when given the other way round; `limit` caps HIGH.
std::string ParseSpan(const std::string& option, const std::string& text, std::uint32_t limit,
                      std::optional<AddressSpan>& span)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) return option + ": expected LOW:HIGH, got " + Quoted(text);
    auto low = ParseAddress(text.substr(0, colon));
    auto high = ParseAddress(text.substr(colon + 1));
    if (!low || !high) {
        return option + ": " + Quoted(text) + " is not an address range (decimal, or hexadecimal after 0x)";
    }
    if (*high < *low) std::swap(*low, *high);
    if (*high > limit)
        return option + ": Too big Address value (the last address is " + AddressText(limit) + ")";
    span = AddressSpan{*low, *high};
    return {};
}

std::string RequireFormat(const std::string& option, const std::string& value,
                          std::optional<FileFormat>& format)
{
    format = FormatFromOptionValue(value);
    if (!format) return option + ": " + Quoted(value) + " is not a format (zef, s19, bin or hex)";
    return {};
}

// An option without a value: it turns its field on.
OptionEntry Switch(std::string_view name, bool CommandLine::*field, std::vector<Subcommand> subcommands)
{
    return {name, ValueUse::None, std::move(subcommands), [field](CommandLine& c, const std::string&) {
                c.*field = true;
                return std::string();
            }};
}

// An option whose value is kept as given.
OptionEntry Text(std::string_view name, std::optional<std::string> CommandLine::*field,
                 std::vector<Subcommand> subcommands)
{
    return {name, ValueUse::Required, std::move(subcommands), [field](CommandLine& c, const std::string& v) {
                c.*field = v;
                return std::string();
            }};
}

OptionEntry Format(std::string_view name, std::optional<FileFormat> CommandLine::*field,
                   std::vector<Subcommand> subcommands)
{
    return {name, ValueUse::Required, std::move(subcommands),
            [name, field](CommandLine& c, const std::string& v) {
                return RequireFormat(std::string(name), v, c.*field);
            }};
}

// LOW:HIGH up to `limit`.
OptionEntry Span(std::string_view name, std::optional<AddressSpan> CommandLine::*field, std::uint32_t limit,
                 std::vector<Subcommand> subcommands)
{
    return {name, ValueUse::Required, std::move(subcommands),
            [name, field, limit](CommandLine& c, const std::string& v) {
                return ParseSpan(std::string(name), v, limit, c.*field);
            }};
}

// A whole number from `low` to `high`; `what` names it in the refusal.
OptionEntry Count(std::string_view name, std::optional<int> CommandLine::*field, int low, int high,
                  std::string_view what, std::vector<Subcommand> subcommands)
{
    return {name, ValueUse::Required, std::move(subcommands),
            [name, field, low, high, what](CommandLine& c, const std::string& v) {
                const auto value = ParseNumber(v);
                if (!value || *value < low || *value > high)
                    return std::string(name) + ": " + Quoted(v) + " is not " + std::string(what);
                c.*field = *value;
                return std::string();
            }};
}

// A value out of a few words, in any case; `refusal` ends the reason naming them.
template <typename Field, typename Value>
OptionEntry Choice(std::string_view name, Field CommandLine::*field,
                   std::vector<std::pair<std::string_view, Value>> words, std::string_view refusal,
                   std::vector<Subcommand> subcommands)
{
    return {name, ValueUse::Required, std::move(subcommands),
            [name, field, words = std::move(words), refusal](CommandLine& c, const std::string& v) {
                const std::string lower = LowerCase(v);
                for (const auto& [word, value] : words) {
                    if (lower != word) continue;
                    c.*field = value;
                    return std::string();
                }
                return std::string(name) + ": " + Quoted(v) + " " + std::string(refusal);
            }};
}

// --port PORT[,PORT...], also given several times: the boards a program run drives at once.
std::string AddPorts(CommandLine& c, const std::string& value)
{
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = value.find(',', start);
        const std::string name =
            value.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (!PortName::IsValid(name))
            return "--port: " + Quoted(name) + " is not a port (" + PortName::EveryRangeText() + ")";
        if (std::find(c.ports.begin(), c.ports.end(), name) != c.ports.end())
            return "--port: " + name + " is named twice";
        c.ports.push_back(name);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    c.port = c.ports.front();
    return {};
}

const std::vector<OptionEntry>& Options()
{
    using enum Subcommand;
    static const std::vector<OptionEntry> options = {
        Text("--device", &CommandLine::device,
             {Convert, Dump, Export, Read, Program, BlankCheck, Compare, Checksum}),
        Format("--in-format", &CommandLine::inFormat, {Convert, Dump, Export, Program, Compare, Checksum}),
        Format("--out-format", &CommandLine::outFormat, {Convert, Read}),
        Span("--load-range", &CommandLine::loadRange, 0xFFFFFFFFU, {Convert, Program}),
        {"--offset",
         ValueUse::Required,
         {Convert, Program},
         [](CommandLine& c, const std::string& v) {
             const auto value = ParseNumber(v);
             if (!value)
                 return "--offset: " + Quoted(v) + " is not a number (decimal, or hexadecimal after 0x)";
             c.offset = *value;
             return std::string();
         }},
        Choice("--clear", &CommandLine::clearMode,
               std::vector<std::pair<std::string_view, ClearMode>>{{"00", ClearMode::Zeros}, {"ff", ClearMode::Ones}},
               "is neither 00 nor FF", {Convert, Program}),
        Span("--save-range", &CommandLine::saveRange, kLastBufferAddress, {Convert}),
        Switch("--save-unimplemented", &CommandLine::saveUnimplemented, {Convert}),
        {"--fill",
         ValueUse::Required,
         {Convert},
         [](CommandLine& c, const std::string& v) {
             const auto value = ParseNumber(v);
             if (!value || *value < 0 || *value > 0xFF)
                 return "--fill: " + Quoted(v) + " is not a byte value (0 to 255, or 0x00 to 0xFF)";
             c.fill = static_cast<std::uint8_t>(*value);
             return std::string();
         }},
        Span("--range", &CommandLine::range, kLastBufferAddress, {Dump, Export, Compare, Checksum}),
        Choice("--width", &CommandLine::width, std::vector<std::pair<std::string_view, int>>{{"16", 16}, {"32", 32}},
               "is neither 16 nor 32", {Dump}),
        Choice("--as", &CommandLine::exportAs,
               std::vector<std::pair<std::string_view, ExportFormat>>{
                   {"c", ExportFormat::CArray}, {"asm", ExportFormat::AssemblerArray}, {"html", ExportFormat::HtmlPage}},
               "is not one of c, asm, html", {Export}),
        Text("--title", &CommandLine::title, {Export}),
        Switch("--check", &CommandLine::check, {Ports}),
        {"--port", ValueUse::Required, {Read, Program, BlankCheck}, AddPorts},
        Count("--delay", &CommandLine::delay, kMinDelayCount, kMaxDelayCount, "a delay from 0 to 50",
              {Read, Program, BlankCheck}),
        Count("--tries", &CommandLine::tries, 1, std::numeric_limits<int>::max(),
              "a number of tries from 1 up", {Read, Program, BlankCheck}),
        Count("--timeout", &CommandLine::timeout, 1, kMaxWaitSeconds, "a number of seconds from 1 to 86400",
              {Read, Program, BlankCheck}),
        Switch("--quiet", &CommandLine::quiet,
               {Devices, Ports, Detect, Convert, Dump, Export, Read, Program, BlankCheck, Compare, Checksum}),
        Text("--out", &CommandLine::outFile, {Read}),
        Switch("--force", &CommandLine::force, {Convert, Read}),
        Text("--in", &CommandLine::inFile, {Program}),
        {"--simulate",
         ValueUse::Optional,
         {Read, Program, BlankCheck},
         [](CommandLine& c, const std::string& v) {
             BoardSimOptions options;
             std::string error;
             if (!ParseBoardSimOptions(v, options, error)) return "--simulate: " + Printable(error);
             c.simulate = v;
             return std::string();
         }},
        Text("--sim-memory", &CommandLine::simMemory, {Read, Program, BlankCheck}),
        Switch("--erase", &CommandLine::erase, {Program}),
        Switch("--program", &CommandLine::program, {Program}),
        Switch("--verify", &CommandLine::verify, {Program}),
        Switch("--lock", &CommandLine::lock, {Program}),
        Switch("--unlock", &CommandLine::unlock, {Program}),
        Switch("--yes", &CommandLine::yes, {Program}),
        {"--serial",
         ValueUse::Required,
         {Program},
         [](CommandLine& c, const std::string& v) {
             SerialNumbering numbering;
             std::string error;
             if (!ParseSerialNumbering(v, numbering, error)) return "--serial: " + Quoted(v) + ": " + error;
             c.serial = numbering;
             return std::string();
         }},
        Text("--serial-state", &CommandLine::serialState, {Program}),
        Switch("--serial-burn-failed", &CommandLine::serialBurnFailed, {Program}),
        Text("--log", &CommandLine::logFile, {Program}),
        Switch("--repeat", &CommandLine::repeat, {Program}),
        Count("--count", &CommandLine::count, 1, std::numeric_limits<int>::max(),
              "a number of parts from 1 up", {Program}),
        Switch("--diff", &CommandLine::diff, {Program}),
        Text("--backup", &CommandLine::backupFolder, {Program}),
        Switch("--no-backup", &CommandLine::noBackup, {Program}),
    };
    return options;
}

const OptionEntry* FindOption(std::string_view name)
{
    for (const OptionEntry& option : Options()) {
        if (option.name == name) return &option;
    }
    return nullptr;
}

bool Takes(const OptionEntry& option, Subcommand subcommand)
{
    return std::find(option.subcommands.begin(), option.subcommands.end(), subcommand) !=
           option.subcommands.end();
}

std::string CatalogueNames()
{
    std::string names;
    for (const DeviceInfo& device : DeviceCatalogue::Devices()) {
        if (!names.empty()) names += ", ";
        names += device.name;
    }
    return names;
}

// The production-bench options together: a number is used up only by a part that was
// programmed and verified, and several boards never share one simulated image.
std::string CheckBatchCombination(const CommandLine& c)
{
    if (c.ports.size() > 1 && c.subcommand != Subcommand::Program)
        return SubcommandName(c.subcommand) + ": --port takes one port here; several boards are for program";
    if (c.serial && (!c.program || !c.verify))
        return "--serial needs --program and --verify: a number is used up only by a part that verified";
    if (!c.serial && (c.serialState || c.serialBurnFailed))
        return std::string(c.serialState ? "--serial-state" : "--serial-burn-failed") + " needs --serial";
    if (c.ports.size() > 1 && c.simMemory && c.simMemory->find("{port}") == std::string::npos)
        return "--sim-memory: several boards need an image each; put {port} in the name";
    return {};
}

// What the options say together, once each was read on its own.
std::string CheckCombination(const CommandLine& c)
{
    const std::string name = SubcommandName(c.subcommand);
    const bool needsFile = c.subcommand == Subcommand::Detect || c.subcommand == Subcommand::Dump ||
                           c.subcommand == Subcommand::Export || c.subcommand == Subcommand::Checksum;
    const bool needsTwo = c.subcommand == Subcommand::Convert || c.subcommand == Subcommand::Compare;
    if (c.subcommand == Subcommand::Convert && c.files.size() != 2) {
        return "convert: expected INPUT and OUTPUT, got " + std::to_string(c.files.size()) + " file name(s)";
    }
    if (c.subcommand == Subcommand::Compare && c.files.size() != 2) {
        return "compare: expected two files, got " + std::to_string(c.files.size()) + " file name(s)";
    }
    if (needsFile && c.files.size() != 1) {
        return name + ": expected one FILE, got " + std::to_string(c.files.size()) + " file name(s)";
    }
    if (!needsFile && !needsTwo && !c.files.empty()) {
        return name + ": unexpected argument " + Quoted(c.files.front());
    }
    if (c.subcommand == Subcommand::Export && !c.exportAs) return "export: --as c|asm|html is required";
    const bool sequence = c.subcommand == Subcommand::Read || c.subcommand == Subcommand::Program ||
                          c.subcommand == Subcommand::BlankCheck;
    if (sequence && !c.device) return name + ": --device NAME is required";
    if (c.subcommand == Subcommand::Program && !c.inFile) return "program: --in FILE is required";
    if (c.lock && c.unlock) return "program: --lock and --unlock exclude each other";
    if (c.backupFolder && c.noBackup) return "program: --backup and --no-backup exclude each other";
    if (c.diff && !c.verify) return "program: --diff lists what --verify finds; add --verify";
    if (std::string batch = CheckBatchCombination(c); !batch.empty()) return batch;
    if (!c.device) return {};

    const DeviceInfo* device = DeviceCatalogue::FindDevice(*c.device);
    if (device == nullptr)
        return "unknown device " + Quoted(*c.device) + "; the devices are: " + CatalogueNames();
    if ((c.lock || c.unlock) && !device->hasLockUnlock) {
        return std::string(c.lock ? "--lock" : "--unlock") + ": " + std::string(device->name) +
               " has no Lock or Unlock";
    }
    for (const std::string& port : c.ports) {
        if (const std::string refusal = PortKindRefusal(*device, port); !refusal.empty()) {
            return "--port: " + refusal;
        }
    }
    return {};
}

} // namespace

std::string SubcommandName(Subcommand subcommand)
{
    for (const SubcommandEntry& entry : kSubcommands) {
        if (entry.subcommand == subcommand) return std::string(entry.name);
    }
    return {};
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    // --quiet belongs to every subcommand, so a script may also put it before the name.
    if (!arguments.empty() && arguments.front() == "--quiet") {
        ParsedCommandLine parsed = ParseCommandLine({arguments.begin() + 1, arguments.end()});
        parsed.command.quiet = true;
        return parsed;
    }
    ParsedCommandLine parsed;
    CommandLine& c = parsed.command;
    if (arguments.empty()) {
        parsed.error = "no subcommand given";
        return parsed;
    }
    const std::string& first = arguments.front();
    if (first == "--version") {
        c.version = true;
        if (arguments.size() > 1) parsed.error = "--version takes nothing else";
        return parsed;
    }
    if (first == "--help" || first == "-h" || first == "help") {
        c.help = true;
        if (arguments.size() > 1 && first == "help") {
            for (const SubcommandEntry& entry : kSubcommands) {
                if (entry.name == arguments[1]) c.subcommand = entry.subcommand;
            }
        }
        return parsed;
    }
    for (const SubcommandEntry& entry : kSubcommands) {
        if (entry.name == first) c.subcommand = entry.subcommand;
    }
    if (c.subcommand == Subcommand::None) {
        parsed.error = "unknown subcommand " + Quoted(first);
        return parsed;
    }

    bool optionsEnded = false;
    std::vector<std::string> valuesGiven;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            c.files.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument == "--help" || argument == "-h") {
            c.help = true;
            parsed.error.clear();
            return parsed;
        }
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const OptionEntry* option = FindOption(name);
        if (option == nullptr || !Takes(*option, c.subcommand)) {
            if (parsed.error.empty())
                parsed.error = SubcommandName(c.subcommand) + ": unknown option " + Quoted(name);
            continue;
        }
        std::string value;
        if (equals != std::string::npos) {
            if (option->value == ValueUse::None) {
                if (parsed.error.empty()) parsed.error = name + " takes no value";
                continue;
            }
            value = argument.substr(equals + 1);
        } else if (option->value == ValueUse::Required) {
            if (i + 1 >= arguments.size()) {
                if (parsed.error.empty()) parsed.error = name + ": a value is missing";
                continue;
            }
            value = arguments[++i];
        }
        // A second value would silently replace the first (--out a --out b writes only b);
        // --port alone takes several.
        if (option->value != ValueUse::None && name != "--port") {
            if (std::find(valuesGiven.begin(), valuesGiven.end(), name) != valuesGiven.end()) {
                if (parsed.error.empty()) parsed.error = name + " is given twice; it takes one value";
                continue;
            }
            valuesGiven.push_back(name);
        }
        std::string refusal = option->apply(c, value);
        if (parsed.error.empty()) parsed.error = std::move(refusal);
    }
    if (parsed.error.empty()) parsed.error = CheckCombination(c);
    return parsed;
}

} // namespace zav
