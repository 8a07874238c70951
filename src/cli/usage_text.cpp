#include "cli/usage_text.h"

#include <array>
#include <string_view>

namespace zav {

namespace {

struct Usage {
    Subcommand subcommand;
    std::string_view synopsis;
    // Written one after the other; the pieces read and program share are stated once below.
    std::array<std::string_view, 4> details;
};

constexpr std::string_view kIntroduction =
    "zavtool - the ZAV device programmer's engine on the command line.\n"
    "Converts, inspects and exports buffer files, and reads and programs devices\n"
    "through the programmer board (or its simulation).\n";

constexpr std::string_view kConventions =
    "\nNumbers are decimal, or hexadecimal after 0x. F is zef, s19, bin or hex (Intel\n"
    "HEX). A file name \"-\" is standard input for an input, standard output for an\n"
    "output. Without --in-format a file is read in the format its extension names\n"
    "(.zef, .s19, .bin, .hex, .ihex) when detection offers it, else in the first\n"
    "format detected; a status line says which.\n"
    "Status lines go to standard error (\"warning: \" and \"error: \" mark their kinds),\n"
    "with a progress bar when it is a terminal; --quiet, before or after SUBCOMMAND,\n"
    "leaves out the plain ones (not the notice that a port is the simulated board).\n"
    "Data goes to standard output. Questions are asked on the controlling terminal\n"
    "(/dev/tty); without one, a run that needs an answer is refused unless --yes\n"
    "gives it. Exit status: 0 done without an error line, 1 otherwise, 2 for a usage\n"
    "error or a refused run, 129 after SIGHUP, 130 after Ctrl-C and 143 after SIGTERM\n"
    "(the port is released first; a save under way is abandoned, the old file kept).\n"
    "An option that takes a value may be given once (--port several times).\n"
    "Run \"zavtool SUBCOMMAND --help\" for a subcommand's options.\n";

constexpr std::string_view kSimulateDetails =
    "  --simulate[=VARIANTS]   use the simulated programmer board instead of the port;\n"
    "                          VARIANTS is a comma list of: old-board, no-board, wrong-id,\n"
    "                          never-ready, clock-readback, hc11=PA8|P2|KA4|none,\n"
    "                          loader-fails=N, stuck-cell=ADDR, realtime (it runs on\n"
    "                          virtual time otherwise: its waits cost nothing);\n"
    "                          write-ms=N sets the part's write time (default 10),\n"
    "                          slow-port makes port writes count as slow,\n"
    "                          stray-byte sends a stray byte after each serial answer\n"
    "  --sim-memory IMAGE      load the simulated device's memory from a 64 KiB image\n"
    "                          first and save it back at the end (a missing file starts\n"
    "                          as an erased device); the image is locked meanwhile, so\n"
    "                          a second run on it is refused, as is an IMAGE that is no\n"
    "                          regular file\n";

constexpr std::string_view kQuietOption = "[--quiet]";
constexpr std::string_view kQuietDetails =
    "  --quiet         leave out the plain status lines (also before SUBCOMMAND)\n";
constexpr std::size_t kUsageWidth = 79;
constexpr std::string_view kBatchDetails =
    "A production bench:\n"
    "  --port P1,P2,...        program on several boards at once (or give --port more\n"
    "                          than once): one worker and link per port, every line\n"
    "                          after [PORT], the CONFIG question asked once before any\n"
    "                          board starts, a WPO jumper box per board naming its port,\n"
    "                          a summary table at the end; exit 0 only when every board\n"
    "                          succeeded\n"
    "  --serial ADDR:BYTES:START[:STEP][:FORMAT]\n"
    "                          write a serial number into each part at ADDR: BYTES 1-8,\n"
    "                          STEP default 1, FORMAT be (default), le, bcd or ascii\n"
    "                          (decimal digits padded with zeros); needs --program and\n"
    "                          --verify. A range outside the device's EEPROM, over\n"
    "                          read-only cells or past what BYTES hold is refused\n"
    "  --serial-state FILE     where the next number is kept, locked while a run takes\n"
    "                          one, so two runs never hand out the same number (default:\n"
    "                          $XDG_STATE_HOME/zav/serial-DEVICE.state)\n"
    "  --serial-burn-failed    a part that fails keeps its number used up (by default a\n"
    "                          number is used up only when its part verified)\n"
    "  --log FILE              append one JSON object per part (JSON Lines): time,\n"
    "                          device, port, input file and CRC-32, serial, backup file,\n"
    "                          options, result (ok, verify-failed, error, stopped), verify\n"
    "                          differences, error line, duration in ms; a log that cannot\n"
    "                          be written stops the run before the next part. FILE is\n"
    "                          only added to, and must be a regular file (or none yet)\n"
    "  --repeat                program the next part after each one, asking \"Next part:\n"
    "                          press Enter, or q to stop\" on the terminal (refused without\n"
    "                          one unless --count), with a running tally and a summary;\n"
    "                          Ctrl-C between parts ends the run with the summary (130)\n"
    "  --count N               stop after N parts (with several boards, N parts in all);\n"
    "                          without a terminal the parts follow without asking\n"
    "  --sim-memory IMAGE      with several boards, IMAGE holds {port}: each board's own\n"
    "                          image (img-{port}.bin)\n";

constexpr std::string_view kDeviceDetails = "  --device NAME   the device (see \"zavtool devices\")\n";

constexpr std::string_view kBoardOptionDetails =
    "  --port PORT     LPT1-LPT3 or COM1-COM8 (default: LPT_PORT or COM_PORT of the\n"
    "                  settings file, else LPT1 or COM1)\n"
    "  --delay N       port timing delay 0-50 (default: LPT_DELAY, else 5)\n"
    "  --tries N       give up after N tries to identify the board (default: try\n"
    "                  until it answers or Ctrl-C); a wait for the board of over\n"
    "                  10 s then counts as a failed try\n"
    "  --timeout SECONDS  give up when the board stays busy that long in one wait\n"
    "                  (default: wait until it is ready or Ctrl-C)\n";

constexpr std::array<Usage, 11> kUsages = {{
    {Subcommand::Devices,
     "zavtool devices",
     {"Lists the supported devices: name, hardware board, LPT or COM, memory ranges\n"
      "(tab-separated, one device a line).\n"}},
    {Subcommand::Ports,
     "zavtool ports [--check]",
     {"Lists the parallel, then the serial ports that can be used.\n"
      "  --check   for each of LPT1-LPT3 and COM1-COM8: its device, whether it can be\n"
      "            used, and if not why and how to fix it; for an LPT port also\n"
      "            whether a board's ready signal on the clock line can be read;\n"
      "            then the lines of the ports map it could not read, by number\n"}},
    {Subcommand::Detect,
     "zavtool detect FILE",
     {"Lists the formats FILE can be read as, the likeliest first.\n"}},
    {Subcommand::Convert,
     "zavtool convert INPUT OUTPUT [--device NAME] [--in-format F] [--out-format F]\n"
     "        [--load-range LOW:HIGH] [--offset N] [--clear 00|FF]\n"
     "        [--save-range LOW:HIGH] [--save-unimplemented] [--fill N] [--force]",
     {"Loads INPUT into a fresh buffer and saves it as OUTPUT (which appears only whole;\n"
      "like cp, it is not synced to the disk). Without --device, --save-range or --clear,\n"
      "OUTPUT holds only the addresses INPUT gave: the text formats leave the others\n"
      "out, Binary runs from the lowest to the highest given address, gaps filled.\n"
      "  --device NAME          lay the device's memory map over the buffer first: only\n"
      "                         its cells take data, and text formats leave out the rest\n"
      "  --in-format F          the input's format (default: by its extension when\n"
      "                         detection offers it, else the first one detected)\n"
      "  --out-format F         the output's format (default: by OUTPUT's extension\n"
      "                         .zef, .s19, .bin, .hex or .ihex, otherwise zef)\n"
      "  --load-range LOW:HIGH  take only these file addresses (needed to convert part of\n"
      "                         an input the buffer cannot hold: without it, lines not\n"
      "                         read or bytes beyond 0xFFFF fail the conversion)\n"
      "  --offset N             add N (may be negative) to each file address\n"
      "  --clear 00|FF          fill the buffer with 0x00 or 0xFF before loading\n"
      "  --save-range LOW:HIGH  save these buffer addresses (default: all with --device\n"
      "                         or --clear, else those INPUT gave)\n"
      "  --save-unimplemented   text formats: also save cells outside the device's map\n"
      "  --fill N               Binary: the value of the gaps between the addresses\n"
      "                         INPUT gave (default 0xFF)\n"
      "  --force                replace an OUTPUT whose permissions make it read-only,\n"
      "                         where the system lets it be written (as root); without\n"
      "                         it such a file is refused\n"}},
    {Subcommand::Dump,
     "zavtool dump FILE [--device NAME] [--in-format F] [--range LOW:HIGH] [--width 16|32]",
     {"Prints FILE as the printed memory dump (CR LF line ends).\n"
      "  --device NAME     lay the device's memory map over the buffer first\n"
      "  --in-format F     the file's format (default: by its extension when detection\n"
      "                    offers it, else the first one detected)\n"
      "  --range LOW:HIGH  the addresses to dump (default: the whole buffer)\n"
      "  --width 16|32     bytes per line (default 16)\n"}},
    {Subcommand::Export,
     "zavtool export FILE --as c|asm|html [--device NAME] [--in-format F] [--range LOW:HIGH]\n"
     "        [--title TEXT]",
     {"Prints FILE as a C array, an assembler data array or an HTML page, exactly as\n"
      "Copy As puts it on the clipboard (CR LF line ends).\n"
      "  --as c|asm|html   the conversion\n"
      "  --device NAME     lay the device's memory map over the buffer first\n"
      "  --in-format F     the file's format (default: by its extension when detection\n"
      "                    offers it, else the first one detected)\n"
      "  --range LOW:HIGH  the addresses to export (default: the whole buffer)\n"
      "  --title TEXT      the HTML page's title (default: the file's project name, a\n"
      "                    blank and its device name)\n"}},
    {Subcommand::Read,
     "zavtool read --device NAME [--port PORT] [--delay N] [--tries N] [--out FILE]\n"
     "        [--out-format F] [--force] [--timeout SECONDS] [--simulate[=VARIANTS]]\n"
     "        [--sim-memory IMAGE]",
     {"Runs the read sequence: the device's EEPROM (and CONFIG register) into the buffer.\n", kDeviceDetails,
      kBoardOptionDetails,
      "  --out FILE      save the buffer after a completed read (\"-\": standard output)\n"
      "  --out-format F  the saved file's format (default: by FILE's extension, else zef)\n"
      "  --force         replace a FILE whose permissions make it read-only, where the\n"
      "                  system lets it be written (as root); without it it is refused\n"}},
    {Subcommand::Program,
     "zavtool program --device NAME --in FILE [--in-format F] [--load-range LOW:HIGH]\n"
     "        [--offset N] [--clear 00|FF] [--erase] [--program] [--verify]\n"
     "        [--lock | --unlock] [--yes] [--diff] [--backup DIR | --no-backup]\n"
     "        [--port PORT[,PORT...]] [--delay N] [--tries N] [--timeout SECONDS]\n"
     "        [--serial ADDR:BYTES:START[:STEP][:FORMAT]] [--serial-state FILE]\n"
     "        [--serial-burn-failed] [--log FILE] [--repeat] [--count N]\n"
     "        [--simulate[=VARIANTS]] [--sim-memory IMAGE]",
     {"Loads FILE over the device's memory map and runs the program sequence with the\n"
      "chosen steps, always in the order erase, program, verify, lock, unlock.\n",
      kDeviceDetails,
      "  --in FILE       the file to program (\"-\": standard input)\n"
      "  --in-format F   its format (default: by its extension when detection offers\n"
      "                  it, else the first one detected)\n"
      "  --load-range LOW:HIGH  take only these file addresses\n"
      "  --offset N      add N (may be negative) to each file address\n"
      "  --clear 00|FF   what the cells hold that FILE gives no value for; without it,\n"
      "                  a run that would program or verify such cells is refused\n"
      "  --erase, --program, --verify, --lock, --unlock   the steps to run\n"
      "  --yes           answer Yes to the CONFIG question and carry on at the WPO\n"
      "                  jumper boxes (otherwise asked on the terminal; a run that needs\n"
      "                  them is refused where there is none)\n"
      "  --diff          after the verify, print each differing cell on standard\n"
      "                  output as \"B605 buffer 5A device FF\"\n"
      "  --backup DIR    before erasing, programming, locking or unlocking, save the\n"
      "                  part's EEPROM and CONFIG in DIR as DEVICE-yyyymmdd-hhmmss.zef\n"
      "                  (default: $XDG_DATA_HOME/zav/backups, else\n"
      "                  ~/.local/share/zav/backups); the newest 200 per device are\n"
      "                  kept, and nothing is written when the backup fails\n"
      "  --no-backup     write without a backup\n",
      kBoardOptionDetails}},
    {Subcommand::BlankCheck,
     "zavtool blank-check --device NAME [--port PORT] [--delay N] [--tries N]\n"
     "        [--simulate[=VARIANTS]] [--sim-memory IMAGE]",
     {"Reads the device's EEPROM and says whether every cell holds 0xFF. Exit status 0\n"
      "when it is blank, 1 when it is not (or the read failed).\n",
      kDeviceDetails, kBoardOptionDetails}},
    {Subcommand::Compare,
     "zavtool compare A B [--device NAME] [--in-format F] [--range LOW:HIGH]",
     {"Loads A and B and prints the address ranges where they differ, one a line; a\n"
      "cell only one of them gives counts as differing. Exit status 0 when they are\n"
      "equal, 1 when they differ, 2 for a usage error or a file that cannot be read.\n"
      "  --device NAME     lay the device's memory map over both first and compare its\n"
      "                    cells only\n"
      "  --in-format F     the files' format (default: each by its extension or content)\n"
      "  --range LOW:HIGH  compare only these addresses (default: the device's cells,\n"
      "                    else the whole buffer)\n"}},
    {Subcommand::Checksum,
     "zavtool checksum FILE [--device NAME] [--in-format F] [--range LOW:HIGH]",
     {"Prints the CRC-32 (IEEE 802.3, as zip computes it) and the 16-bit sum of FILE's\n"
      "bytes as \"crc32 0x1234ABCD sum16 0x0F3C\"; a status line names the addresses.\n"
      "  --device NAME     lay the device's memory map over the buffer first; without\n"
      "                    --range, add up the device's EEPROM\n"
      "  --in-format F     the file's format (default: by its extension or content)\n"
      "  --range LOW:HIGH  the addresses to add up (default: the device's EEPROM, else\n"
      "                    the file's cells from the lowest to the highest)\n"}},
}};

const Usage* Find(Subcommand subcommand)
{
    for (const Usage& usage : kUsages) {
        if (usage.subcommand == subcommand) return &usage;
    }
    return nullptr;
}

} // namespace

std::string UsageText(Subcommand subcommand)
{
    constexpr std::string_view kIndent = "       ";
    // Continuation lines of a synopsis line up under its first line; every subcommand takes
    // --quiet, which ends the synopsis (on a line of its own where the last one is full).
    const auto appendSynopsis = [&](std::string& text, std::string_view synopsis) {
        for (const char c : synopsis) {
            text.push_back(c);
            if (c == '\n') text.append(kIndent);
        }
        const std::size_t lineStart = text.rfind('\n') + 1; // npos + 1 is 0: the first line
        if (text.size() - lineStart + 1 + kQuietOption.size() > kUsageWidth) {
            text.append("\n").append(kIndent).append("        ");
        } else {
            text.push_back(' ');
        }
        text.append(kQuietOption).push_back('\n');
    };
    std::string text = "usage: ";
    if (const Usage* usage = Find(subcommand)) {
        appendSynopsis(text, usage->synopsis);
        return text;
    }
    bool first = true;
    for (const Usage& usage : kUsages) {
        if (!first) text.append(kIndent);
        appendSynopsis(text, usage.synopsis);
        first = false;
    }
    text.append(kIndent).append("zavtool [SUBCOMMAND] --help\n");
    text.append(kIndent).append("zavtool --version\n");
    return text;
}

std::string HelpText(Subcommand subcommand)
{
    const Usage* usage = Find(subcommand);
    if (usage == nullptr)
        return std::string(kIntroduction) + "\n" + UsageText(subcommand) + std::string(kConventions);
    std::string text = UsageText(subcommand) + "\n";
    for (const std::string_view piece : usage->details) text.append(piece);
    if (subcommand == Subcommand::Read || subcommand == Subcommand::Program || subcommand == Subcommand::BlankCheck)
        text.append(kSimulateDetails);
    text.append(kQuietDetails);
    if (subcommand == Subcommand::Program) text.append(kBatchDetails);
    return text;
}

} // namespace zav
