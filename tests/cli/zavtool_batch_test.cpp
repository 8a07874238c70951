#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tool_test_fixture.h"

namespace zav::testing {
namespace {

// Each part is a fresh simulated device (its own image), with a three-byte BCD serial
// number in the MC68HC05B6's EEPROM.
class ZavtoolBatchTest : public ToolTest {
protected:
    void SetUp() override { WriteFile(Work("pattern.bin"), Pattern()); }

    [[nodiscard]] std::vector<std::string> Program(std::vector<std::string> more) const
    {
        std::vector<std::string> arguments{
            "program", "--device",  "MC68HC05B6", "--in",  Work("pattern.bin"),
            "--erase", "--program", "--verify",   "--log", Work("parts.jsonl")};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return arguments;
    }

    // Each log line read by python3's json module, as "port serial result differences error".
    [[nodiscard]] std::vector<std::string> LogRecords() const
    {
        return ReadLog("  print(r['port'], r['serial'], r['result'], r['verify_differences'], r['error'])\n");
    }

    // Each log line's port and backup file.
    [[nodiscard]] std::vector<std::string> LogBackups() const
    {
        return ReadLog("  print(r['port'], r['backup_file'])\n");
    }

    // Each log line checked and read by python3's json module, then printed as `print` says.
    [[nodiscard]] std::vector<std::string> ReadLog(const std::string& print) const
    {
        const std::string script =
            "import json,sys\n"
            "keys={'time','device','port','input_file','input_crc32','serial','backup_file','options',"
            "'result','verify_differences','error','duration_ms'}\n"
            "for line in open(sys.argv[1]):\n"
            "  r=json.loads(line)\n"
            "  assert set(r)==keys, sorted(r)\n"
            "  assert r['time'][10]=='T' and r['time'][-6] in '+-', r['time']\n"
            "  assert r['input_crc32']=='%08x' % "
            "__import__('zlib').crc32(open(r['input_file'],'rb').read())\n"
            "  assert r['options'] in (['erase','program','verify'], ['verify']), r['options']\n"
            "  assert r['backup_file'] is None or __import__('os').path.isfile(r['backup_file']), r\n" +
            print;
        WriteFile(Work("read_log.py"), script);
        const std::string command = "python3 " + Work("read_log.py") + " " + Work("parts.jsonl") + " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        if (pipe == nullptr) {
            ADD_FAILURE() << "cannot run python3";
            return {};
        }
        std::string output;
        char chunk[256];
        while (fgets(chunk, sizeof chunk, pipe) != nullptr) output += chunk;
        EXPECT_EQ(pclose(pipe), 0) << output;
        return Lines(output);
    }
};

// A batch of parts on one bench: the part with a stuck cell fails verify and gives its
// number back to the next part, so the five good parts carry 000140-000144.
TEST_F(ZavtoolBatchTest, ABatchNumbersItsPartsAndAFailedPartGivesItsNumberBack)
{
    const std::string serial = "--serial=0x01F0:3:140:bcd";
    for (int part = 1; part <= 6; ++part) {
        SCOPED_TRACE(part);
        const std::string image = Work("part" + std::to_string(part) + ".img");
        const bool faulty = part == 3;
        const ToolRun run =
            Run(Program({serial, "--count", "1", "--sim-memory", image,
                         faulty ? "--simulate=write-ms=1,stuck-cell=0x01F2" : "--simulate=write-ms=1"}));
        EXPECT_EQ(run.exitStatus, faulty ? 1 : 0) << run.err;
        const std::string next =
            faulty ? "000142" : "0001" + std::to_string(39 + part - (part > 3 ? 1 : 0) + 1);
        EXPECT_NE(run.err.find(std::string("parts 1  ok ") + (faulty ? "0  failed 1" : "1  failed 0") +
                               "  next serial " + next + "\n"),
                  std::string::npos)
            << run.err;
        if (!faulty) {
            // The part holds its number where the serial field says.
            const std::string bytes = ReadFile(image);
            const int number = 139 + part - (part > 3 ? 1 : 0);
            const std::string expected{'\x00', static_cast<char>(number / 100),
                                       static_cast<char>(((number / 10 % 10) << 4) | (number % 10))};
            EXPECT_EQ(bytes.substr(0x01F0, 3), expected);
        }
    }
    EXPECT_EQ(LogRecords(), (std::vector<std::string>{
                                "LPT1 000140 ok 0 None",
                                "LPT1 000141 ok 0 None",
                                "LPT1 000142 verify-failed 1 Verify Error at Address : 0x01F2",
                                "LPT1 000142 ok 0 None",
                                "LPT1 000143 ok 0 None",
                                "LPT1 000144 ok 0 None",
                            }));
    EXPECT_EQ(ReadFile((config_.Path() / "state/zav/serial-MC68HC05B6.state").string()),
              "# zavtool serial numbers: the next fresh one, and those failed parts gave back\nnext=145\n");
}

// --count runs its parts back to back without a terminal, with a tally after each and a
// summary at the end; --serial-burn-failed keeps a failed part's number used up.
TEST_F(ZavtoolBatchTest, CountRunsPartsWithTallyAndSummary)
{
    const ToolRun run =
        Run(Program({"--serial=0x01F0:6:7:ascii", "--serial-state", Work("serials"), "--serial-burn-failed",
                     "--count", "3", "--simulate=write-ms=1,stuck-cell=0x01F5", "--quiet"}));
    EXPECT_EQ(run.exitStatus, 1);
    // The stuck cell holds 0xFF, so every part fails at the number's last digit.
    EXPECT_NE(run.err.find("parts 3  ok 0  failed 3  next serial 000010\n"
                           "Summary: parts 3  ok 0  failed 3\n"
                           "port  serial  result         time\n"
                           "LPT1  000007  verify-failed  "),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("LPT1  000009  verify-failed  "), std::string::npos) << run.err;
    EXPECT_EQ(ReadFile(Work("serials")),
              "# zavtool serial numbers: the next fresh one, and those failed parts gave back\nnext=10\n");
}

// Several boards at once: one worker per port, every line after its port, one number each,
// the summary table, and exit 1 when one board fails (here LPT2 leads to no device).
TEST_F(ZavtoolBatchTest, SeveralBoardsRunAtOnceAndEachIsReported)
{
    std::filesystem::create_directories(SettingsFolder());
    WriteFile(SettingsFolder() + "/ports", "LPT1=simulator\nLPT2=/dev/zav-no-such-port\nLPT3=simulator\n");
    const ToolRun run = Run(Program({"--serial=0x01F0:3:500:bcd", "--port", "LPT1,LPT2", "--port", "LPT3"}));
    EXPECT_EQ(run.exitStatus, 1) << run.err;
    for (const char* line :
         {"[LPT1] Program Sequence in Progress ...\n", "[LPT3] Program Sequence completed successful\n",
          "[LPT2] error: Error opening port: LPT2"}) {
        EXPECT_NE(run.err.find(line), std::string::npos) << line << "\n" << run.err;
    }
    EXPECT_NE(run.err.find("parts 3  ok 2  failed 1  next serial 000501\n"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("LPT1  000500  ok"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("LPT2  000501  error"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("LPT3  000502  ok"), std::string::npos) << run.err;
    const std::vector<std::string> records = LogRecords();
    ASSERT_EQ(records.size(), 3U);
    EXPECT_EQ(records[1].rfind("LPT2 000501 error 0 Error opening port: LPT2", 0), 0U) << records[1];
}

// Each simulated board has its own image, named after its port.
TEST_F(ZavtoolBatchTest, EachSimulatedBoardKeepsItsOwnImage)
{
    const ToolRun run = Run(Program({"--serial=0x01F0:3:500:bcd", "--port", "LPT1,LPT2,LPT3",
                                     "--simulate=write-ms=1", "--sim-memory", Work("board-{port}.img")}));
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    for (int board = 1; board <= 3; ++board) {
        const std::string image = ReadFile(Work("board-LPT" + std::to_string(board) + ".img"));
        ASSERT_EQ(image.size(), 0x10000U) << board;
        EXPECT_EQ(image.substr(0x01F0, 3), std::string("\x00\x05", 2) + static_cast<char>(board - 1));
        EXPECT_EQ(image.substr(0x0100, 0xF0), Pattern().substr(0x0100, 0xF0));
    }
    const ToolRun shared =
        Run(Program({"--port", "LPT1,LPT2", "--simulate", "--sim-memory", Work("one.img")}));
    EXPECT_EQ(shared.exitStatus, 2);
    EXPECT_NE(shared.err.find("--sim-memory: several boards need an image each; put {port} in the name"),
              std::string::npos);
}

// --count counts parts over all boards: four parts on three boards are one round of three
// and one more on the first board.
TEST_F(ZavtoolBatchTest, CountSpreadsItsPartsOverTheBoards)
{
    const ToolRun run = Run(Program({"--serial=0x01F0:2:1:bcd", "--port", "LPT1,LPT2,LPT3", "--count", "4",
                                     "--simulate=write-ms=1", "--quiet"}));
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_NE(run.err.find("parts 3  ok 3  failed 0  next serial 0004\n"
                           "[LPT1] LPT1 is the simulated board: no real device is read or programmed.\n"
                           "parts 4  ok 4  failed 0  next serial 0005\n"),
              std::string::npos)
        << run.err;
    const std::vector<std::string> records = LogRecords();
    ASSERT_EQ(records.size(), 4U);
    EXPECT_EQ(records[3], "LPT1 0004 ok 0 None");

    // An image for a port that is no simulated board is refused before any part.
    std::filesystem::create_directories(SettingsFolder());
    WriteFile(SettingsFolder() + "/ports", "LPT1=simulator\n");
    const ToolRun real =
        Run(Program({"--count", "1", "--port", "LPT1,LPT2", "--sim-memory", Work("{port}.img")}));
    EXPECT_EQ(real.exitStatus, 2);
    EXPECT_NE(real.err.find("--sim-memory: LPT2 is not simulated (add --simulate)"), std::string::npos)
        << real.err;
    EXPECT_EQ(real.err.find("Program Sequence"), std::string::npos) << real.err;
}

// A port that is the simulated board says so before each of its parts, even with --quiet,
// after its port when several boards run; a real port does not.
TEST_F(ZavtoolBatchTest, EverySimulatedPortSaysSoEvenWhenQuiet)
{
    const std::string notice = " is the simulated board: no real device is read or programmed.";
    const struct {
        const char* ports;
        std::vector<std::string> arguments;
        std::vector<std::string> noticed;
        int exitStatus;
    } cases[] = {
        {"", {"--count", "2", "--simulate=write-ms=1"}, {"LPT1" + notice, "LPT1" + notice}, 0},
        {"LPT1=simulator\nLPT2=/dev/zav-no-such-port\nLPT3=simulator\n",
         {"--port", "LPT1,LPT2,LPT3"},
         {"[LPT1] LPT1" + notice, "[LPT3] LPT3" + notice},
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ports);
        std::filesystem::create_directories(SettingsFolder());
        WriteFile(SettingsFolder() + "/ports", c.ports);
        std::vector<std::string> arguments = c.arguments;
        arguments.emplace_back("--quiet");
        const ToolRun run = Run(Program(arguments));
        EXPECT_EQ(run.exitStatus, c.exitStatus) << run.err;
        std::vector<std::string> noticed;
        for (const std::string& line : Lines(run.err)) {
            if (line.find(notice) != std::string::npos) noticed.push_back(line);
        }
        std::sort(noticed.begin(), noticed.end());
        EXPECT_EQ(noticed, c.noticed) << run.err;
    }
}

// Each part is backed up before its write as a single part is, into a file of its own even
// when the boards save theirs in the same second, and the log names that file.
TEST_F(ZavtoolBatchTest, EachPartIsBackedUpBeforeItsWriteAndTheLogNamesTheFile)
{
    std::vector<std::string> before;
    for (char board = '1'; board <= '3'; ++board) {
        std::string image = Pattern();
        std::fill(image.begin() + 0x0100, image.begin() + 0x0200, board);
        WriteFile(Work(std::string("board-LPT") + board + ".img"), image);
        before.push_back(image.substr(0x0100, 0x100));
    }
    const ToolRun run = Run(Program(
        {"--port", "LPT1,LPT2,LPT3", "--simulate=write-ms=1", "--sim-memory", Work("board-{port}.img")}));
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const std::vector<std::string> records = LogBackups();
    ASSERT_EQ(records.size(), 3U);
    std::set<std::string> files;
    for (const std::string& record : records) {
        const std::string port = record.substr(0, 4);
        const std::filesystem::path file = record.substr(5);
        SCOPED_TRACE(record);
        EXPECT_EQ(file.parent_path(), config_.Path() / "share/zav/backups");
        EXPECT_NE(run.err.find("[" + port + "] Backup saved to " + file.string() + "\n"), std::string::npos)
            << run.err;
        files.insert(file.string());
        // The file holds this board's part as it was before the write.
        ASSERT_EQ(Run({"convert", file.string(), Work("back.bin"), "--device", "MC68HC05B6"}).exitStatus, 0);
        EXPECT_EQ(ReadFile(Work("back.bin")).substr(0x0100, 0x100),
                  before.at(static_cast<std::size_t>(port[3] - '1')));
    }
    EXPECT_EQ(files.size(), 3U);

    // --backup names the folder, --no-backup takes none, and a run that writes nothing needs none.
    std::filesystem::remove(Work("parts.jsonl"));
    EXPECT_EQ(Run(Program({"--count", "1", "--simulate", "--backup", Work("mine")})).exitStatus, 0);
    EXPECT_EQ(Run(Program({"--count", "1", "--simulate", "--no-backup"})).exitStatus, 0);
    EXPECT_EQ(Run({"program", "--device", "MC68HC05B6", "--in", Work("pattern.bin"), "--verify", "--log",
                   Work("parts.jsonl"), "--count", "1", "--simulate", "--sim-memory", Work("board-LPT1.img")})
                  .exitStatus,
              0);
    const std::vector<std::string> where = LogBackups();
    ASSERT_EQ(where.size(), 3U);
    EXPECT_EQ(where[0].rfind("LPT1 " + Work("mine") + "/MC68HC05B6-", 0), 0U) << where[0];
    EXPECT_EQ(where[1], "LPT1 None");
    EXPECT_EQ(where[2], "LPT1 None");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(config_.Path() / "share/zav/backups"), {}),
              3);
}

// --diff lists each part's differing cells after its verify, after its port when several
// boards run.
TEST_F(ZavtoolBatchTest, DiffListsEachPartsDifferencesAfterItsPort)
{
    for (const char* port : {"LPT1", "LPT2"}) {
        std::string image = Pattern();
        if (std::string(port) == "LPT2") {
            image[0x0150] = '\x00';
            image[0x01F2] = '\xFF';
        }
        WriteFile(Work(std::string("board-") + port + ".img"), image);
    }
    const std::vector<std::string> verify{"program",  "--device", "MC68HC05B6", "--in",   Work("pattern.bin"),
                                          "--verify", "--diff",   "--simulate", "--quiet"};
    std::vector<std::string> two = verify;
    two.insert(two.end(), {"--port", "LPT1,LPT2", "--sim-memory", Work("board-{port}.img")});
    const ToolRun both = Run(two);
    EXPECT_EQ(both.exitStatus, 1) << both.err;
    EXPECT_EQ(both.out, "[LPT2] 0150 buffer 33 device 00\n[LPT2] 01F2 buffer A1 device FF\n");

    std::vector<std::string> one = verify;
    one.insert(one.end(), {"--count", "1", "--sim-memory", Work("board-LPT2.img")});
    const ToolRun single = Run(one);
    EXPECT_EQ(single.exitStatus, 1) << single.err;
    EXPECT_EQ(single.out, "0150 buffer 33 device 00\n01F2 buffer A1 device FF\n");
}

// Two runs at once on one state file never hand out the same number, round after round.
TEST_F(ZavtoolBatchTest, ConcurrentRunsNeverRepeatANumber)
{
    std::set<std::string> seen;
    for (int round = 0; round < 20; ++round) {
        ToolRun runs[2];
        std::vector<std::thread> threads;
        for (int i = 0; i < 2; ++i) {
            threads.emplace_back([&, i] {
                runs[i] = Run(Program({"--serial=0x01F0:3:1:bcd", "--serial-state", Work("shared.state"),
                                       "--count", "2", "--simulate=write-ms=1", "--quiet"}));
            });
        }
        for (std::thread& thread : threads) thread.join();
        for (const ToolRun& run : runs) EXPECT_EQ(run.exitStatus, 0) << run.err;
    }
    const std::vector<std::string> records = LogRecords();
    EXPECT_EQ(records.size(), 80U);
    for (const std::string& record : records) EXPECT_TRUE(seen.insert(record.substr(5, 6)).second) << record;
    EXPECT_EQ(*seen.begin(), "000001");
    EXPECT_EQ(*seen.rbegin(), "000080");
}

TEST_F(ZavtoolBatchTest, RefusesARunThatCannotNumberOrAskNamingTheReason)
{
    const struct {
        std::vector<std::string> arguments;
        const char* reason;
    } cases[] = {
        {{"--serial=0x01FE:3:1:bcd", "--simulate"},
         "the serial number at 0x01FE-0x0200 leaves the device's EEPROM"},
        {{"--serial=0x0110:1:256", "--simulate"}, "the serial number 256 does not fit in 1 byte(s)"},
        {{"--serial=0x0110:2:99:3:ascii", "--simulate", "--repeat"},
         "--repeat asks for each next part on the terminal"},
        {{"--repeat", "--simulate"}, "--repeat asks for each next part on the terminal"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        const ToolRun run = Run(Program(c.arguments));
        EXPECT_EQ(run.exitStatus, 2);
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("Program Sequence"), std::string::npos) << run.err;
    }
    // A number that runs out during the run ends it before the next part.
    const ToolRun runOut = Run(Program({"--serial=0x0110:1:254", "--count", "3", "--simulate=write-ms=1"}));
    EXPECT_EQ(runOut.exitStatus, 2);
    EXPECT_NE(runOut.err.find("parts 2  ok 2  failed 0  next serial none left\n"), std::string::npos)
        << runOut.err;
    EXPECT_NE(runOut.err.find("the serial number 256 does not fit in 1 byte(s)"), std::string::npos)
        << runOut.err;
}

// A log that cannot be written stops the run before the next part.
TEST_F(ZavtoolBatchTest, ALogThatCannotBeWrittenStopsTheRun)
{
    std::vector<std::string> arguments = Program({"--count", "3", "--simulate=write-ms=1"});
    arguments[9] = Work("no-such-folder/parts.jsonl");
    const ToolRun run = Run(arguments);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.err.find("the run stops before the next part\nparts 1  ok 1  failed 0\n"),
              std::string::npos)
        << run.err;
}

// On a terminal, each next part is asked for; q ends the run, Ctrl-C between parts ends it
// with the summary and the shell's status for it.
TEST_F(ZavtoolBatchTest, RepeatAsksForTheNextPartOnTheTerminal)
{
    const std::string prompt = "Next part: press Enter, or q to stop";
    const ToolRun quit = runner_.RunOnTerminal(Program({"--repeat", "--simulate=write-ms=1"}),
                                               {{prompt, "\n"}, {prompt, "q\n"}});
    EXPECT_EQ(quit.exitStatus, 0) << quit.out;
    EXPECT_NE(quit.out.find("Summary: parts 2  ok 2  failed 0"), std::string::npos) << quit.out;

    const ToolRun interrupted =
        runner_.RunOnTerminal(Program({"--repeat", "--simulate=write-ms=1"}), {{prompt, "\x03"}});
    EXPECT_EQ(interrupted.exitStatus, 130) << interrupted.out;
    EXPECT_NE(interrupted.out.find("Summary: parts 1  ok 1  failed 0"), std::string::npos) << interrupted.out;
}

// Ctrl-C during a part stops it as the Stop button does: the part is logged as stopped and
// its number goes back.
TEST_F(ZavtoolBatchTest, CtrlCDuringAPartStopsItAndGivesItsNumberBack)
{
    const ToolRun run =
        runner_.RunAndSignal(Program({"--serial=0x01F0:3:7:bcd", "--serial-state", Work("serials"), "--count",
                                      "3", "--simulate=never-ready"}),
                             "Program Sequence in Progress ...\n", SIGINT);
    EXPECT_EQ(run.exitStatus, 130) << run.err;
    EXPECT_NE(run.err.find("Program Sequence Interrupted.\nparts 1  ok 0  failed 1  next serial 000007\n"
                           "Summary: parts 1  ok 0  failed 1\n"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(Lines(run.err).back(), "warning: Stopped by the user (Ctrl-C); the port is released.");
    ASSERT_EQ(LogRecords().size(), 1U);
    EXPECT_EQ(LogRecords().front(), "LPT1 000007 stopped 0 None");
    EXPECT_NE(ReadFile(Work("serials")).find("next=8\nreturned=7\n"), std::string::npos);
}

// A closed terminal stops a bench run as it stops a single part, and the last line names it.
TEST_F(ZavtoolBatchTest, HangUpDuringAPartIsNamedInTheStopLine)
{
    const ToolRun run = runner_.RunAndSignal(Program({"--count", "2", "--simulate=never-ready"}),
                                             "Program Sequence in Progress ...\n", SIGHUP);
    EXPECT_EQ(run.exitStatus, 129) << run.err;
    EXPECT_EQ(Lines(run.err).back(), "warning: Stopped by the user (SIGHUP); the port is released.");
}

// With several boards the CONFIG question is asked once, before any board starts; each
// board's jumper box names its port and waits for its own Enter.
TEST_F(ZavtoolBatchTest, QuestionsAreAskedOnceAndJumperBoxesPerBoard)
{
    const std::string simulate = "--simulate=write-ms=1,slow-port";
    const ToolRun config =
        runner_.RunOnTerminal({"program", "--device", "MC68HC11E9", "--in", Work("pattern.bin"), "--erase",
                               "--program", "--verify", "--port", "LPT1,LPT2", simulate},
                              {{"Yes or No? [y/N] ", "y\n"}});
    EXPECT_EQ(config.exitStatus, 0) << config.out;
    const std::size_t question = config.out.find("Continue program CONFIG register ?");
    ASSERT_NE(question, std::string::npos) << config.out;
    EXPECT_EQ(config.out.find("Continue program CONFIG register ?", question + 1), std::string::npos)
        << config.out;
    EXPECT_LT(question, config.out.find("[LPT1] Program Sequence in Progress ...")) << config.out;
    EXPECT_NE(config.out.find("[LPT2] CONFIG register: Yes, as answered before the run."), std::string::npos);

    const std::string enter = "Press Enter to continue: ";
    const ToolRun jumpers =
        runner_.RunOnTerminal({"program", "--device", "TMS370Cx5x (256)", "--in", Work("pattern.bin"),
                               "--erase", "--program", "--verify", "--port", "LPT1,LPT2", simulate},
                              {{enter, "\n"}, {enter, "\n"}, {enter, "\n"}, {enter, "\n"}});
    EXPECT_EQ(jumpers.exitStatus, 0) << jumpers.out;
    for (const char* port : {"[LPT1] ", "[LPT2] "}) {
        for (const char* box :
             {"Remove WPO jumper and press OK button.", "Insert WPO jumper and press OK button."})
            EXPECT_NE(jumpers.out.find(std::string(port) + box), std::string::npos)
                << port << box << jumpers.out;
        const std::size_t first = jumpers.out.find(std::string(port) + enter);
        EXPECT_NE(first, std::string::npos) << jumpers.out;
        EXPECT_NE(jumpers.out.find(std::string(port) + enter, first + 1), std::string::npos) << jumpers.out;
    }
}

} // namespace
} // namespace zav::testing
