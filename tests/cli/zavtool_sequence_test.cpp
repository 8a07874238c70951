#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>

#include "boardsim/image_file_lock.h"
#include "tool_test_fixture.h"

namespace zav::testing {
namespace {

class ZavtoolSequenceTest : public ToolTest {
protected:
    void SetUp() override { WriteFile(Work("pattern.bin"), Pattern()); }

    [[nodiscard]] ToolRun Read(const std::string& device, const std::string& variants,
                               std::vector<std::string> more = {}) const
    {
        std::vector<std::string> arguments{"read", "--device", device, "--simulate=" + variants};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return Run(arguments);
    }

    [[nodiscard]] ToolRun Program(const std::string& device, const std::string& variants,
                                  std::vector<std::string> more) const
    {
        std::vector<std::string> arguments{"program", "--device",          device,
                                           "--in",    Work("pattern.bin"), "--simulate=" + variants};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return Run(arguments);
    }
};

struct DeviceCells {
    const char* name;
    std::uint32_t first;
    std::uint32_t last;
    // The CONFIG register read after the EEPROM, or 0 for none.
    std::uint32_t config;
};

// Every device, programmed from a file and read back from the same simulated part. A fast
// part (short write time, no TMS pulse stretching) keeps this quick on virtual time.
TEST_F(ZavtoolSequenceTest, ProgramThenReadBackEveryDevice)
{
    const std::string fastPart = "write-ms=1,slow-port";
    const DeviceCells devices[] = {
        {"MC68HC05B6", 0x0100, 0x01FF, 0},       {"MC68HC705B16", 0x0100, 0x01FF, 0},
        {"MC68HC05L28", 0x0300, 0x03FF, 0},      {"MC68HC11E9", 0xB600, 0xB7FF, 0x103F},
        {"MC68HC11KA1", 0x0D80, 0x0FFF, 0x003F}, {"MC68HC11KA4", 0x0D80, 0x0FFF, 0x003F},
        {"MC68HC11PA8", 0x0E00, 0x0FFF, 0x003F}, {"MC68HC11P2", 0x0D80, 0x0FFF, 0x003F},
        {"TMS370Cx5x (256)", 0x1F00, 0x1FFF, 0}, {"TMS370Cx5x (512)", 0x1E00, 0x1FFF, 0},
        {"TMS375C006 (256)", 0x1F00, 0x1FFF, 0}, {"TMS375C006 (512)", 0x1E00, 0x1FFF, 0},
    };
    const std::string pattern = Pattern();
    for (const DeviceCells& device : devices) {
        SCOPED_TRACE(device.name);
        const std::string image = Work(std::string(device.name) + ".img");
        const ToolRun program = Program(device.name, fastPart,
                                        {"--erase", "--program", "--verify", "--yes", "--sim-memory", image});
        EXPECT_EQ(program.exitStatus, 0) << program.err;
        EXPECT_EQ(program.err.find("error:"), std::string::npos) << program.err;
        EXPECT_NE(program.err.find("\nProgram Sequence completed successful\n"), std::string::npos);

        const std::string back = Work(std::string(device.name) + ".bin");
        const ToolRun read = Read(device.name, fastPart, {"--sim-memory", image, "--out", back});
        EXPECT_EQ(read.exitStatus, 0) << read.err;
        const std::string bytes = ReadFile(back);
        ASSERT_EQ(bytes.size(), 0x10000U);
        const std::size_t count = device.last - device.first + 1;
        EXPECT_EQ(bytes.substr(device.first, count), pattern.substr(device.first, count));
        if (device.config != 0) {
            EXPECT_EQ(bytes[device.config], pattern[device.config]);
        }
        // What the read does not cover stays as the fresh buffer had it.
        EXPECT_EQ(bytes[device.first - 1], '\0');
    }
}

TEST_F(ZavtoolSequenceTest, SimulatedVariantsGiveTheirMessages)
{
    const struct {
        const char* device;
        const char* variants;
        int exitStatus;
        const char* expected;
    } cases[] = {
        {"MC68HC705B16", "wrong-id", 1, "error: Wrong Programmer ID !\n"},
        {"TMS375C006 (256)", "no-board", 1, "error: Programmer don't responding.\n"},
        {"TMS370Cx5x (256)", "old-board", 0, "Read Sequence completed successful.\n"},
        {"TMS370Cx5x (512)", "old-board", 1, "error: Old Hardware, Contact ZAV\n"},
        {"MC68HC05B6", "clock-readback", 0, "Read Sequence completed successful.\n"},
        {"MC68HC11KA4", "", 0,
         "warning: MC68HC11KA4 Device Detected.\nRead Sequence completed successful.\n"},
        {"MC68HC11KA4", "hc11=P2", 0, "warning: MC68HC11P2 Device Detected.\n"},
        {"MC68HC11PA8", "hc11=none", 0,
         "Read Sequence in Progress ...\nLPT1 is the simulated board: no real device is read or "
         "programmed.\nRead Sequence completed successful.\n"},
        {"MC68HC05L28", "loader-fails=2", 0,
         "warning: Opening try 0\nwarning: Opening try 1\nRead Sequence completed successful.\n"},
        {"MC68HC05B6", "realtime", 0, "Read Sequence completed successful.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.device) + " " + c.variants);
        const ToolRun run = Read(c.device, c.variants);
        EXPECT_EQ(run.exitStatus, c.exitStatus);
        EXPECT_NE(run.err.find(c.expected), std::string::npos) << run.err;
    }

    const ToolRun stuck =
        Program("MC68HC11E9", "stuck-cell=0xB610", {"--erase", "--program", "--verify", "--yes"});
    EXPECT_EQ(stuck.exitStatus, 1);
    EXPECT_NE(
        stuck.err.find("error: Verify Error at Address : 0xB610\nerror: Verify failed: 1 cell differs, first at 0xB610\n"),
        std::string::npos)
        << stuck.err;
}

// Ctrl-C and SIGTERM are the Stop button: the sequence ends with its own lines, then a line
// says the user stopped it, and the exit status is the shell's for the signal.
TEST_F(ZavtoolSequenceTest, SignalsStopTheSequenceAsTheStopButtonDoes)
{
    const ToolRun read = runner_.RunAndSignal({"read", "--device", "MC68HC11E9", "--simulate=no-board"},
                                              "warning: Opening try 2\n", SIGINT);
    EXPECT_EQ(read.exitStatus, 130);
    const std::string readEnd = "\nRead Sequence Interrupted.\n"
                                "warning: Stopped by the user (Ctrl-C); the port is released.\n";
    ASSERT_GE(read.err.size(), readEnd.size()) << read.err;
    EXPECT_EQ(read.err.substr(read.err.size() - readEnd.size()), readEnd);

    const ToolRun program = runner_.RunAndSignal({"program", "--device", "MC68HC05B6", "--in",
                                                  Work("pattern.bin"), "--erase", "--simulate=never-ready"},
                                                 "Program Sequence in Progress ...\n", SIGTERM);
    EXPECT_EQ(program.exitStatus, 143);
    EXPECT_EQ(Lines(program.err).back(), "warning: Stopped by the user (SIGTERM); the port is released.");
    EXPECT_NE(program.err.find("\nProgram Sequence Interrupted.\n"), std::string::npos) << program.err;
    // The stop is the user's; no line may blame the board for it.
    for (const ToolRun* run : {&read, &program})
        EXPECT_EQ(run->err.find("error:"), std::string::npos) << run->err;
}

// A board that never answers is given up after --tries identifications.
TEST_F(ZavtoolSequenceTest, TriesLimitsTheIdentification)
{
    const ToolRun run = Read("MC68HC11E9", "no-board", {"--tries", "3"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.err.find("warning: Opening try 1\nerror: Programmer don't responding.\n"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(run.err.find("Opening try 2"), std::string::npos) << run.err;
    EXPECT_EQ(Run({"read", "--device", "MC68HC11E9", "--tries", "0"}).exitStatus, 2);
}

// Without --yes and without a terminal nobody can allow the CONFIG change: the run is
// refused before the port or the device is touched, not carried on with a No.
TEST_F(ZavtoolSequenceTest, ConfigQuestionIsAnsweredYesOnlyWithYes)
{
    const std::string image = Work("e9.img");
    WriteFile(image, std::string(0x10000, '\xFF'));
    const ToolRun refused = Program("MC68HC11E9", "", {"--lock", "--sim-memory", image});
    EXPECT_EQ(refused.exitStatus, 2) << refused.err;
    EXPECT_EQ(refused.err, "zavtool: program: this run needs someone for the question whether to change the "
                           "CONFIG register, and there is no terminal to ask on (--yes answers for you)\n");
    EXPECT_EQ(ReadFile(image), std::string(0x10000, '\xFF'));
    // Verifying needs nobody: it runs (and finds the file differs from the erased part).
    const ToolRun verified = Program("MC68HC11E9", "", {"--verify", "--sim-memory", image});
    EXPECT_EQ(verified.exitStatus, 1);
    EXPECT_NE(verified.err.find("error: Verify Error at Address : 0xB600\n"), std::string::npos)
        << verified.err;

    const ToolRun allowed = Program("MC68HC11E9", "", {"--lock", "--yes", "--sim-memory", image});
    EXPECT_EQ(allowed.exitStatus, 0) << allowed.err;
    EXPECT_NE(allowed.err.find("warning: Device Locked !!!\n"), std::string::npos) << allowed.err;
    EXPECT_EQ(ReadFile(image)[0x103F], '\x07');
}

// A ready-line board's last write is still in progress when the sequence ends; the part
// finishes it, so the image holds it.
TEST_F(ZavtoolSequenceTest, TheLastWriteReachesTheImageAndAnImageInUseIsRefused)
{
    const std::string image = Work("ka4.img");
    const ToolRun locked = Program("MC68HC11KA4", "", {"--lock", "--yes", "--sim-memory", image});
    EXPECT_EQ(locked.exitStatus, 0) << locked.err;
    EXPECT_EQ(ReadFile(image)[0x003F], '\xF7');

    ImageFileLock held;
    std::string failure;
    ASSERT_TRUE(held.Acquire(image, failure)) << failure;
    const ToolRun refused = Program("MC68HC11KA4", "", {"--unlock", "--yes", "--sim-memory", image});
    EXPECT_EQ(refused.exitStatus, 1);
    EXPECT_NE(refused.err.find("Cannot use the simulated memory " + image +
                               ": in use by another run of the simulated board"),
              std::string::npos)
        << refused.err;
    EXPECT_EQ(ReadFile(image)[0x003F], '\xF7');
}

// The jumper boxes would let the write-protect register be written with the jumper still
// fitted if nobody saw them: without a terminal only --yes lets the run start.
TEST_F(ZavtoolSequenceTest, JumperBoxesArePrintedAroundTheWriteProtectRegister)
{
    const ToolRun refused = Program("TMS370Cx5x (256)", "", {"--program", "--verify"});
    EXPECT_EQ(refused.exitStatus, 2);
    EXPECT_NE(refused.err.find("WPO jumper changes"), std::string::npos) << refused.err;
    EXPECT_EQ(refused.err.find("Program Sequence in Progress"), std::string::npos) << refused.err;

    const ToolRun run = Program("TMS370Cx5x (256)", "", {"--program", "--verify", "--yes"});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    const std::size_t remove = run.err.find("Remove WPO jumper and press OK button.\nCarried on (--yes).\n");
    const std::size_t insert = run.err.find("Insert WPO jumper and press OK button.\nCarried on (--yes).\n");
    ASSERT_NE(remove, std::string::npos) << run.err;
    ASSERT_NE(insert, std::string::npos) << run.err;
    EXPECT_LT(remove, insert);
}

// The port comes from the settings file unless --port names one; the ports map may put the
// simulator behind it.
TEST_F(ZavtoolSequenceTest, PortComesFromTheSettingsFileAndThePortsMap)
{
    std::filesystem::create_directories(SettingsFolder());
    WriteFile(SettingsFolder() + "/zozadav.ini", "LPT_PORT=LPT9\r\nCOM_PORT=COM2\r\nLPT_DELAY=0\r\n");
    const ToolRun unknownPort = Read("MC68HC11E9", "");
    EXPECT_EQ(unknownPort.exitStatus, 1);
    EXPECT_NE(unknownPort.err.find("error: Error opening port: LPT9\n"), std::string::npos)
        << unknownPort.err;
    EXPECT_EQ(Read("MC68HC11E9", "", {"--port", "LPT3"}).exitStatus, 0);

    // Any line end ends a line of the map; a CR-only map still puts the simulator there.
    WriteFile(SettingsFolder() + "/ports", "com2=/dev/ttyUSB0\rCOM2=simulator\r");
    const std::string image = Work("l28.img");
    const ToolRun mapped = Run({"read", "--device", "MC68HC05L28", "--sim-memory", image});
    EXPECT_EQ(mapped.exitStatus, 0) << mapped.err;
    EXPECT_EQ(Lines(mapped.err)[1], "warning: " + SettingsFolder() +
                                        "/ports: line 1 not read: com2=/dev/ttyUSB0 (NAME is one of LPT1 to "
                                        "LPT3 or COM1 to COM8, in capitals)");
    EXPECT_EQ(ReadFile(image).size(), 0x10000U);

    const ToolRun notSimulated =
        Run({"read", "--device", "MC68HC05B6", "--port", "LPT2", "--sim-memory", image});
    EXPECT_EQ(notSimulated.exitStatus, 2);
    EXPECT_EQ(Lines(notSimulated.err)[2], "zavtool: --sim-memory: LPT2 is not simulated (add --simulate)");
}

// A run on a simulated port says so, before the sequence's first line and also with
// --quiet, whether the ports map or --simulate put the simulator there.
TEST_F(ZavtoolSequenceTest, ARunOnTheSimulatedBoardSaysSo)
{
    std::filesystem::create_directories(SettingsFolder());
    WriteFile(SettingsFolder() + "/ports", "LPT1=simulator\n");
    const std::string notice = "LPT1 is the simulated board: no real device is read or programmed.";
    const ToolRun read = Run({"read", "--device", "MC68HC11E9", "--out", Work("e9.zef")});
    EXPECT_EQ(read.exitStatus, 0) << read.err;
    const auto lines = Lines(read.err);
    const auto at = std::find(lines.begin(), lines.end(), notice);
    ASSERT_NE(at, lines.end()) << read.err;
    EXPECT_EQ(at[-1], "Read Sequence in Progress ...");

    const ToolRun quiet = Run({"--quiet", "program", "--device", "MC68HC11E9", "--in", Work("e9.zef"),
                               "--program", "--verify", "--yes"});
    EXPECT_EQ(quiet.exitStatus, 0) << quiet.err;
    EXPECT_EQ(Lines(quiet.err).at(0), notice);

    const ToolRun simulated = Read("MC68HC05B6", "", {"--port", "LPT2", "--quiet"});
    EXPECT_EQ(Lines(simulated.err),
              std::vector<std::string>{"LPT2 is the simulated board: no real device is read or programmed."});
}

// A value the settings cannot convert stops the run before any port is touched, in one
// line naming the file and the key; a simulator value out of range says so.
TEST_F(ZavtoolSequenceTest, BadSettingsStopTheRunNamingTheFileAndTheKey)
{
    std::filesystem::create_directories(SettingsFolder());
    WriteFile(SettingsFolder() + "/zozadav.ini", "LPT_PORT=LPT1\r\nLPT_DELAY=fast\r\n");
    for (const char* subcommand : {"read", "program"}) {
        SCOPED_TRACE(subcommand);
        const ToolRun run = std::string(subcommand) == "read"
                                ? Read("MC68HC05B6", "")
                                : Program("MC68HC05B6", "", {"--program", "--count", "1", "--yes"});
        EXPECT_EQ(run.exitStatus, 2);
        EXPECT_EQ(Lines(run.err),
                  std::vector<std::string>{"zavtool: " + std::string(subcommand) + ": " + SettingsFolder() +
                                           "/zozadav.ini: LPT_DELAY: 'fast' is not a valid "
                                           "integer value; mend or remove that line"});
    }
    const ToolRun stuck = Read("MC68HC11E9", "stuck-cell=0x1B600");
    EXPECT_EQ(stuck.exitStatus, 2);
    EXPECT_EQ(
        Lines(stuck.err)[0],
        "zavtool: --simulate: stuck-cell=0x1B600: the address is out of range 0 to 0xFFFF or not a number");
}

// A settings file that is no small regular file is one warning and the defaults. A ports
// map that exists but cannot be read stops the run before any port is opened: a port
// mapped to the simulator or another adapter must not fall back to a real one.
TEST_F(ZavtoolSequenceTest, UnreadableStoredFilesAreWarnedAboutOrStopTheRun)
{
    std::filesystem::create_directories(SettingsFolder());
    const std::string settings = SettingsFolder() + "/zozadav.ini";
    const std::string map = SettingsFolder() + "/ports";
    struct Case {
        std::function<void()> make;
        int exitStatus;
        std::string firstLine;
    };
    const std::string stopped = "zavtool: read: the ports map " + map + " cannot be read: ";
    const std::string noPort = "; no port is opened until it is mended or removed.";
    const std::vector<Case> cases = {
        {[&] { std::filesystem::create_directory(settings); }, 0,
         "warning: " + settings + " is not read: it is a folder; the defaults are used."},
        {[&] { std::filesystem::create_symlink("/dev/zero", settings); }, 0,
         "warning: " + settings + " is not read: it is not a regular file; the defaults are used."},
        {[&] { WriteFile(settings, "LPT_DELAY=2147483647\r\n"); }, 0,
         "warning: " + settings + ": LPT_DELAY=2147483647 is out of range (0 to 50); 50 is used instead."},
        {[&] { std::filesystem::create_directory(map); }, 2, stopped + "it is a folder" + noPort},
        {[&] { ASSERT_EQ(::mkfifo(map.c_str(), 0600), 0); }, 2,
         stopped + "it is not a regular file" + noPort},
        {[&] { std::filesystem::create_symlink("/dev/zero", map); }, 2,
         stopped + "it is not a regular file" + noPort},
        {[&] { WriteFile(map, "LPT1=simulator\n" + std::string(1024 * 1024, '#')); }, 2,
         stopped + "it is larger than 1 MiB" + noPort},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(settings);
        std::filesystem::remove_all(map);
        c.make();
        // A simulated run stops too: the map is what says which names lead where.
        const ToolRun run = Read("MC68HC05B6", "", {"--port", "LPT2"});
        EXPECT_EQ(run.exitStatus, c.exitStatus) << run.err;
        EXPECT_EQ(Lines(run.err)[0], c.firstLine);
        if (c.exitStatus == 2) {
            EXPECT_EQ(Lines(run.err).size(), 1U) << run.err;
        }
    }
}

// What a settings file or ports map holds amiss is warned about by line, and the last line
// of a repeated key or name is the one used.
TEST_F(ZavtoolSequenceTest, RepeatedKeysAndNamesAreWarnedAboutAndTheLastWins)
{
    std::filesystem::create_directories(SettingsFolder());
    WriteFile(SettingsFolder() + "/zozadav.ini", "LPT_DELAY=fast\r\nCOM_PORT=LPT1\r\nLPT_DELAY=0\r\n");
    WriteFile(SettingsFolder() + "/ports", "LPT1=/dev/null\nLPT1=simulator\n");
    const ToolRun run = Run({"read", "--device", "MC68HC05B6"});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    const auto lines = Lines(run.err);
    ASSERT_GE(lines.size(), 3U);
    EXPECT_EQ(lines[0], "warning: " + SettingsFolder() +
                            "/zozadav.ini: line 3: LPT_DELAY is given again; this line is read, not line 1.");
    EXPECT_EQ(lines[1], "warning: " + SettingsFolder() +
                            "/zozadav.ini: COM_PORT=LPT1 is not one of COM1 to COM8; a run on that port will "
                            "not open it.");
    EXPECT_EQ(lines[2], "warning: " + SettingsFolder() +
                            "/ports: line 2: LPT1 is mapped again; this line is used, not line 1");
}

// A stored port of the other kind gets the refusal --port gets, with the key named.
TEST_F(ZavtoolSequenceTest, AStoredPortOfTheWrongKindIsRefused)
{
    std::filesystem::create_directories(SettingsFolder());
    WriteFile(SettingsFolder() + "/zozadav.ini", "LPT_PORT=COM1\r\n");
    const ToolRun run = Read("MC68HC11E9", "", {"--tries", "1"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.err.find("error: LPT_PORT: MC68HC11E9 is programmed on a LPT port, not COM1\n"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(run.err.find("Opening try"), std::string::npos) << run.err;
}

TEST_F(ZavtoolSequenceTest, UnusableFilesEndWithAnErrorLine)
{
    WriteFile(Work("short.img"), "too short");
    const ToolRun badImage = Read("MC68HC05B6", "", {"--sim-memory", Work("short.img")});
    EXPECT_EQ(badImage.exitStatus, 1);
    EXPECT_NE(badImage.err.find("error: Cannot load the simulated memory from " + Work("short.img")),
              std::string::npos);
    EXPECT_EQ(badImage.err.find("Read Sequence in Progress"), std::string::npos);

    const ToolRun missingInput =
        Run({"program", "--device", "MC68HC05B6", "--in", Work("missing.s19"), "--simulate"});
    EXPECT_EQ(missingInput.exitStatus, 1);
    EXPECT_EQ(missingInput.err, "error: File not Accessible or not Exist!\nerror: " + Work("missing.s19") +
                                    ": No such file or directory\n");

    const ToolRun unwritable = Read("MC68HC05B6", "", {"--out", Work("no/folder/out.zef")});
    EXPECT_EQ(unwritable.exitStatus, 1);
    EXPECT_NE(unwritable.err.find("Read Sequence completed successful.\n"), std::string::npos);
    EXPECT_NE(unwritable.err.find("error: "), std::string::npos);
}

// On a terminal the questions are asked, the jumper boxes wait for Enter, and Ctrl-C at a
// question stops the sequence like the Stop button.
TEST_F(ZavtoolSequenceTest, OnATerminalTheUserAnswers)
{
    const std::string image = Work("e9.img");
    const std::string file = Work("pattern.bin");
    const ToolRun yes = runner_.RunOnTerminal(
        {"program", "--device", "MC68HC11E9", "--in", file, "--lock", "--simulate", "--sim-memory", image},
        {{"Yes or No? [y/N] ", "y\n"}});
    EXPECT_EQ(yes.exitStatus, 0) << yes.out;
    EXPECT_NE(yes.out.find("warning: Device Locked !!!"), std::string::npos) << yes.out;
    EXPECT_EQ(ReadFile(image)[0x103F], '\x07');

    const ToolRun no = runner_.RunOnTerminal(
        {"program", "--device", "MC68HC11E9", "--in", file, "--unlock", "--simulate", "--sim-memory", image},
        {{"Yes or No? [y/N] ", "\n"}});
    EXPECT_EQ(no.exitStatus, 0) << no.out;
    EXPECT_EQ(no.out.find("Device Unlocked"), std::string::npos) << no.out;

    const ToolRun jumper = runner_.RunOnTerminal(
        {"program", "--device", "TMS370Cx5x (256)", "--in", file, "--program", "--verify", "--simulate"},
        {{"Press Enter to continue: ", "\n"}, {"Press Enter to continue: ", "\n"}});
    EXPECT_EQ(jumper.exitStatus, 0) << jumper.out;
    EXPECT_NE(jumper.out.find("Program Sequence completed successful"), std::string::npos) << jumper.out;

    // The stop wins over the answer it forces: nothing reaches the programmed part.
    const std::string programmed = Work("programmed.img");
    WriteFile(programmed, std::string(0x10000, '\x5A'));
    const ToolRun stopped = runner_.RunOnTerminal({"program", "--device", "MC68HC11E9", "--in", file,
                                                   "--erase", "--simulate", "--sim-memory", programmed},
                                                  {{"Yes or No? [y/N] ", "\x03"}});
    EXPECT_EQ(stopped.exitStatus, 130) << stopped.out;
    EXPECT_NE(stopped.out.find("Program Sequence Interrupted."), std::string::npos) << stopped.out;
    EXPECT_EQ(ReadFile(programmed), std::string(0x10000, '\x5A'));
}

// A script run from a terminal, its streams redirected: the question still reaches the
// person, on the terminal, and the answer is taken from there.
TEST_F(ZavtoolSequenceTest, QuestionsGoToTheTerminalWhenTheStreamsAreRedirected)
{
    const std::string image = Work("e9.img");
    const ToolRun yes =
        runner_.RunOnTerminal({"program", "--device", "MC68HC11E9", "--in", Work("pattern.bin"), "--lock",
                               "--simulate", "--sim-memory", image},
                              {{"Yes or No? [y/N] ", "y\n"}}, true);
    EXPECT_EQ(yes.exitStatus, 0) << yes.out << yes.err;
    EXPECT_NE(yes.out.find("Continue program CONFIG register ?\r\nYes or No? [y/N] "), std::string::npos)
        << yes.out;
    EXPECT_NE(yes.err.find("warning: Device Locked !!!"), std::string::npos) << yes.err;
    EXPECT_EQ(ReadFile(image)[0x103F], '\x07');
}

// Cells the file leaves out are not programmed with the buffer's zeros: the run is refused
// with the cells listed, unless --clear says what they hold.
TEST_F(ZavtoolSequenceTest, ProgramRefusesCellsTheFileDoesNotGive)
{
    const std::string image = Work("e9.img");
    WriteFile(image, std::string(0x10000, '\xFF'));
    WriteFile(Work("small.bin"), Pattern().substr(0, 512));
    const std::vector<std::string> steps{"--erase", "--program", "--verify", "--yes", "--sim-memory", image};
    const auto program = [&](std::vector<std::string> more) {
        std::vector<std::string> arguments{"program", "--device",        "MC68HC11E9",
                                           "--in",    Work("small.bin"), "--simulate"};
        arguments.insert(arguments.end(), steps.begin(), steps.end());
        arguments.insert(arguments.end(), more.begin(), more.end());
        return Run(arguments);
    };
    const ToolRun nothingGiven = program({});
    EXPECT_EQ(nothingGiven.exitStatus, 2);
    EXPECT_NE(nothingGiven.err.find("zavtool: program: " + Work("small.bin") +
                                    " gives no value for 0x103F, 0xB600-0xB7FF, which this run programs or "
                                    "verifies; --clear 00|FF says what they hold\n"),
              std::string::npos)
        << nothingGiven.err;
    EXPECT_EQ(ReadFile(image), std::string(0x10000, '\xFF'));

    const ToolRun placed = program({"--offset", "0xB600"});
    EXPECT_EQ(placed.exitStatus, 2);
    EXPECT_NE(placed.err.find("gives no value for 0x103F,"), std::string::npos) << placed.err;

    const ToolRun cleared = program({"--offset", "0xB600", "--clear", "FF"});
    EXPECT_EQ(cleared.exitStatus, 0) << cleared.err;
    const std::string device = ReadFile(image);
    EXPECT_EQ(device.substr(0xB600, 0x200), Pattern().substr(0, 0x200));
    EXPECT_EQ(device[0x103F], '\xFF');
}

// The bar shows on a terminal for the identification and every pass, and nowhere else.
TEST_F(ZavtoolSequenceTest, ProgressBarOnlyOnATerminal)
{
    const std::string image = Work("e9.img");
    const ToolRun onTerminal =
        runner_.RunOnTerminal({"program", "--device", "MC68HC11E9", "--in", Work("pattern.bin"), "--program",
                               "--verify", "--yes", "--simulate=write-ms=1", "--sim-memory", image},
                              {});
    EXPECT_EQ(onTerminal.exitStatus, 0) << onTerminal.out;
    EXPECT_NE(onTerminal.out.find("[########################################] 100%"), std::string::npos)
        << onTerminal.out;
    const ToolRun toPipe = Program("MC68HC11E9", "write-ms=1", {"--program", "--verify", "--yes"});
    EXPECT_EQ(toPipe.exitStatus, 0);
    EXPECT_EQ(toPipe.err.find('\r'), std::string::npos);
    EXPECT_EQ(toPipe.err.find("%"), std::string::npos);
}

} // namespace
} // namespace zav::testing
