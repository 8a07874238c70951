#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/batch_board.h"
#include "cli/batch_part_log.h"
#include "cli/batch_serial_state.h"
#include "cli/command_line.h"
#include "support/temp_folder.h"

namespace zav {
namespace {

TEST(BatchOptionsTest, ReadsTheBenchOptions)
{
    const auto parsed = ParseCommandLine(
        {"program",   "--device",        "MC68HC05L28",    "--in",      "a.s19",
         "--program", "--verify",        "--port",         "COM1,COM2", "--port=COM3",
         "--serial",  "0x3F0:3:140:bcd", "--serial-state", "s",         "--serial-burn-failed",
         "--log",     "parts.jsonl",     "--repeat",       "--count",   "12"});
    ASSERT_TRUE(parsed.Ok()) << parsed.error;
    const CommandLine& c = parsed.command;
    EXPECT_EQ(c.ports, (std::vector<std::string>{"COM1", "COM2", "COM3"}));
    EXPECT_EQ(c.port, "COM1");
    EXPECT_EQ(c.serial, (SerialNumbering{0x3F0, 3, 140, 1, SerialFormat::Bcd}));
    EXPECT_EQ(c.serialState, "s");
    EXPECT_TRUE(c.serialBurnFailed);
    EXPECT_EQ(c.logFile, "parts.jsonl");
    EXPECT_TRUE(c.repeat);
    EXPECT_EQ(c.count, 12);
}

TEST(BatchOptionsTest, RefusesCombinationsThatCannotWork)
{
    const struct {
        std::vector<std::string> more;
        const char* error;
    } cases[] = {
        {{"--port", "COM1,LPT9"}, "--port: \"LPT9\" is not a port"},
        {{"--port", "COM1,COM1"}, "--port: COM1 is named twice"},
        {{"--port", "COM1", "--port", "COM1"}, "--port: COM1 is named twice"},
        {{"--port", "COM1,"}, "--port: \"\" is not a port"},
        {{"--serial", "0x300:2"}, "--serial: \"0x300:2\": expected ADDR:BYTES:START"},
        {{"--serial", "0x300:2:1", "--erase"}, "--serial needs --program and --verify"},
        {{"--serial-state", "s", "--program"}, "--serial-state needs --serial"},
        {{"--serial-burn-failed"}, "--serial-burn-failed needs --serial"},
        {{"--count", "0"}, "--count: \"0\" is not a number of parts from 1 up"},
        {{"--port", "COM1,COM2", "--simulate", "--sim-memory", "a.img"},
         "--sim-memory: several boards need an image each; put {port} in the name"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments{"program", "--device", "MC68HC05L28", "--in", "a.s19"};
        arguments.insert(arguments.end(), c.more.begin(), c.more.end());
        const auto parsed = ParseCommandLine(arguments);
        EXPECT_EQ(parsed.error.rfind(c.error, 0), 0U) << parsed.error;
    }
    EXPECT_EQ(ParseCommandLine({"read", "--device", "MC68HC05L28", "--port", "COM1,COM2"}).error,
              "read: --port takes one port here; several boards are for program");
    EXPECT_EQ(ParseCommandLine({"read", "--device", "MC68HC05L28", "--log", "x"}).error,
              "read: unknown option \"--log\"");
}

TEST(SerialStateFileTest, HandsOutNumbersOnceAndGivenBackOnesFirst)
{
    testing::TempFolder folder;
    const SerialNumbering numbering{0x100, 1, 250, 2, SerialFormat::BigEndian};
    SerialStateFile state(folder / "sub" / "serials.state", numbering);
    std::vector<std::uint64_t> numbers;
    std::string failure;
    ASSERT_TRUE(state.Reserve(2, numbers, failure)) << failure;
    EXPECT_EQ(numbers, (std::vector<std::uint64_t>{250, 252}));
    ASSERT_TRUE(state.GiveBack(250, failure));
    std::uint64_t next = 0;
    ASSERT_TRUE(state.Peek(next, failure));
    EXPECT_EQ(next, 250U);
    ASSERT_TRUE(state.Reserve(1, numbers, failure));
    EXPECT_EQ(numbers, (std::vector<std::uint64_t>{250}));
    ASSERT_TRUE(state.Reserve(1, numbers, failure));
    EXPECT_EQ(numbers, (std::vector<std::uint64_t>{254}));
    // 256 would not fit one byte: nothing is taken, and the file keeps its next number.
    EXPECT_FALSE(state.Reserve(1, numbers, failure));
    EXPECT_EQ(failure, "the serial number 256 does not fit in 1 byte(s) (the largest is 255)");
    EXPECT_EQ(testing::ReadFileBytes(folder / "sub" / "serials.state"),
              "# zavtool serial numbers: the next fresh one, and those failed parts gave back\nnext=256\n");
}

TEST(SerialStateFileTest, RefusesADamagedFileAndStartsANewRangeAboveIt)
{
    testing::TempFolder folder;
    const auto path = folder / "serials.state";
    std::string failure;
    std::vector<std::uint64_t> numbers;
    {
        std::ofstream(path) << "next=12\nreturned=3,x\n";
    }
    SerialStateFile damaged(path, {0x100, 2, 1, 1, SerialFormat::Bcd});
    EXPECT_FALSE(damaged.Reserve(1, numbers, failure));
    EXPECT_NE(failure.find("line 2 is not understood: returned=3,x"), std::string::npos) << failure;
    {
        std::ofstream(path) << "next=12\nreturned=3,40\n";
    }
    SerialStateFile raised(path, {0x100, 2, 20, 1, SerialFormat::Bcd});
    ASSERT_TRUE(raised.Reserve(3, numbers, failure)) << failure;
    EXPECT_EQ(numbers, (std::vector<std::uint64_t>{40, 20, 21}));
}

TEST(SerialStateFileTest, ThreadsSharingTheFileNeverGetTheSameNumber)
{
    testing::TempFolder folder;
    const SerialNumbering numbering{0x100, 4, 1, 1, SerialFormat::BigEndian};
    std::vector<std::vector<std::uint64_t>> got(4);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < got.size(); ++t) {
        threads.emplace_back([&, t] {
            SerialStateFile state(folder / "serials.state", numbering);
            std::string failure;
            for (int i = 0; i < 10; ++i) {
                std::vector<std::uint64_t> numbers;
                ASSERT_TRUE(state.Reserve(1, numbers, failure)) << failure;
                got[t].push_back(numbers.front());
                if (i % 3 == 0) {
                    ASSERT_TRUE(state.GiveBack(numbers.front(), failure)) << failure;
                }
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    // A number given back may be handed out again, but never to two holders at once: every
    // number is held by at most one thread at the end.
    std::map<std::uint64_t, int> held;
    for (const auto& numbers : got) {
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            if (i % 3 != 0) ++held[numbers[i]];
        }
    }
    for (const auto& [number, holders] : held) EXPECT_EQ(holders, 1) << number;
}

// The state file's default place follows the XDG base directories, with a device name
// that is safe as a file name.
TEST(SerialStateFileTest, DefaultPathFollowsTheStateHome)
{
    const char* savedState = std::getenv("XDG_STATE_HOME");
    const char* savedHome = std::getenv("HOME");
    const std::string state = savedState != nullptr ? savedState : "";
    const std::string home = savedHome != nullptr ? savedHome : "";
    setenv("HOME", "/home/bench", 1);
    setenv("XDG_STATE_HOME", "/var/state", 1);
    EXPECT_EQ(DefaultSerialStatePath("TMS370Cx5x (256)"), "/var/state/zav/serial-TMS370Cx5x-256.state");
    setenv("XDG_STATE_HOME", "", 1);
    EXPECT_EQ(DefaultSerialStatePath("MC68HC11E9"), "/home/bench/.local/state/zav/serial-MC68HC11E9.state");
    if (savedState != nullptr) {
        setenv("XDG_STATE_HOME", state.c_str(), 1);
    } else {
        unsetenv("XDG_STATE_HOME");
    }
    if (savedHome != nullptr) setenv("HOME", home.c_str(), 1);
}

TEST(PartLogTest, JsonStringsEscapeAndRepairText)
{
    EXPECT_EQ(JsonString("a\"b\\c\n\x01"), "\"a\\\"b\\\\c\\n\\u0001\"");
    EXPECT_EQ(JsonString("gr\xC3\xBC\xC3\x9F"), "\"gr\xC3\xBC\xC3\x9F\"");
    EXPECT_EQ(JsonString("bad\xFF\xC3"), "\"bad\\ufffd\\ufffd\"");
    EXPECT_EQ(JsonString("\xED\xA0\x80"), "\"\\ufffd\\ufffd\\ufffd\"");
}

TEST(PartLogTest, LocalTimeCarriesItsZoneInExtendedForm)
{
    const std::string stamp = IsoLocalTime(std::chrono::system_clock::time_point{});
    ASSERT_EQ(stamp.size(), 29U) << stamp;
    EXPECT_EQ(stamp[10], 'T');
    EXPECT_EQ(stamp.substr(19, 1), ".");
    EXPECT_TRUE(stamp[23] == '+' || stamp[23] == '-') << stamp;
    EXPECT_EQ(stamp[26], ':');
}

TEST(PortPrefixTest, EveryLineStartsWithThePort)
{
    std::ostringstream sink;
    LinePrefixBuffer prefix(*sink.rdbuf(), "[COM2] ");
    std::ostream stream(&prefix);
    stream << "one\ntwo" << '\n' << "\nthree\n" << std::flush;
    EXPECT_EQ(sink.str(), "[COM2] one\n[COM2] two\n[COM2] \n[COM2] three\n");
}

} // namespace
} // namespace zav
