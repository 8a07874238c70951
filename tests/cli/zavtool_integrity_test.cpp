// Nothing lost and nothing false: outputs are kept whole or refused, inputs are read once and
// never waited on for ever, and a run that got no data or would drop some says so.
#include <sys/stat.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "files/crc32.h"
#include "tool_test_fixture.h"

namespace zav::testing {
namespace {

namespace fs = std::filesystem;

// Project "abc" and the bytes 01 02 03 04 at 0x0100.
constexpr const char* kSmallS19 = "S0060000616263D3\r\nS107010001020304ED\r\nS9030000FC\r\n";
// Data in S3 records, which the S reader leaves out, after a header and before their S7 end.
constexpr const char* kS3Only =
    "S0030000FC\r\nS3090000010001020304EB\r\nS3090000010405060708D7\r\nS70500000000FA\r\n";

class ZavtoolIntegrityTest : public ToolTest {
protected:
    void SetUp() override
    {
        WriteFile(Work("small.s19"), kSmallS19);
        WriteFile(Work("s3.s19"), kS3Only);
        WriteFile(Work("pattern.bin"), Pattern());
    }

    // One part on the simulated MC68HC05B6, logged to `log`.
    [[nodiscard]] std::vector<std::string> OnePart(const std::string& input, const std::string& log,
                                                   std::vector<std::string> more = {}) const
    {
        std::vector<std::string> arguments{"program",
                                           "--device",
                                           "MC68HC05B6",
                                           "--in",
                                           input,
                                           "--erase",
                                           "--program",
                                           "--verify",
                                           "--log",
                                           log,
                                           "--count",
                                           "1",
                                           "--simulate=write-ms=1"};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return arguments;
    }

    [[nodiscard]] std::string Fifo(const std::string& name) const
    {
        const std::string path = Work(name);
        EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
        return path;
    }
};

// Each conversion that would give less than its input ends in an error naming what would be
// lost and where, and the earlier output stays as it was.
TEST_F(ZavtoolIntegrityTest, AConvertThatWouldLoseDataFailsAndKeepsTheOldOutput)
{
    WriteFile(Work("big.bin"), std::string(100000, 'b'));
    WriteFile(Work("empty.hex"), ":00000001FF\r\n");
    const std::string out = Work("out.bin");
    const std::string kept = "; " + out + " is as it was";
    const std::string fits = " (--load-range LOW:HIGH takes only the part that fits)";
    const struct {
        std::vector<std::string> arguments;
        std::string error;
    } cases[] = {
        {{Work("small.s19"), out, "--in-format", "hex"},
         Work("small.s19") + " would lose data: 3 lines that may hold data not read (first at line 1)" +
             kept},
        {{Work("s3.s19"), out},
         Work("s3.s19") + " would lose data: 2 lines that may hold data not read (first at line 2)" + kept},
        {{Work("pattern.bin"), out, "--offset", "0x4900"},
         Work("pattern.bin") +
             " would lose data: 18688 bytes beyond 0xFFFF not loaded (file addresses 0x00B700-0x00FFFF)" +
             kept + fits},
        {{Work("pattern.bin"), out, "--offset", "-2147483648"},
         Work("pattern.bin") +
             " would lose data: 65536 bytes below 0x0000 not loaded (file addresses 0x000000-0x00FFFF)" +
             kept + fits},
        {{Work("big.bin"), out},
         Work("big.bin") +
             " would lose data: 34464 bytes beyond 0xFFFF not loaded (file addresses 0x010000-0x01869F)" +
             kept + fits},
        {{Work("empty.hex"), out}, "No data loaded from " + Work("empty.hex") + kept},
    };
    for (const auto& c : cases) {
        WriteFile(out, "earlier");
        std::vector<std::string> arguments{"convert"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const ToolRun run = Run(arguments);
        EXPECT_EQ(run.exitStatus, 1) << c.error;
        EXPECT_EQ(Lines(run.err).back(), "error: " + c.error) << run.err;
        EXPECT_EQ(run.err.find("Write file"), std::string::npos) << run.err;
        EXPECT_EQ(ReadFile(out), "earlier") << c.error;
    }

    // Asked for explicitly, the part that fits is converted.
    const ToolRun cut = Run({"convert", Work("big.bin"), out, "--load-range", "0:0xFFFF"});
    EXPECT_EQ(cut.exitStatus, 0) << cut.err;
    EXPECT_EQ(ReadFile(out), std::string(0x10000, 'b'));
}

// export and program of a file that gave nothing fail before anything is written or touched.
TEST_F(ZavtoolIntegrityTest, ExportAndProgramRefuseAnInputWithoutData)
{
    const ToolRun exported = Run({"export", Work("s3.s19"), "--as", "c"});
    EXPECT_EQ(exported.exitStatus, 1);
    EXPECT_TRUE(exported.out.empty());
    EXPECT_EQ(Lines(exported.err).back(), "error: No data loaded from " + Work("s3.s19"));

    const ToolRun programmed = Run({"program", "--device", "MC68HC05B6", "--in", Work("s3.s19"), "--clear",
                                    "FF", "--erase", "--program", "--simulate", "--yes"});
    EXPECT_EQ(programmed.exitStatus, 1);
    EXPECT_EQ(Lines(programmed.err).back(), "error: " + Work("s3.s19") +
                                                " would lose data: 2 lines that may hold data not read "
                                                "(first at line 2); the device was not touched");
    EXPECT_EQ(programmed.err.find("Program Sequence"), std::string::npos) << programmed.err;
}

// A log keeps every byte it had, gets a line end where one is missing, and is refused up
// front where it is no regular file, before any part is touched.
TEST_F(ZavtoolIntegrityTest, ALogIsOnlyEverAppendedTo)
{
    std::string earlier(32 * 1024, '\0');
    for (std::size_t i = 0; i < earlier.size(); ++i) earlier[i] = static_cast<char>((i * 7 + 1) % 251 + 1);
    earlier.back() = 'x';
    const std::string log = Work("bench.jsonl");
    WriteFile(log, earlier);
    const ToolRun run = Run(OnePart(Work("pattern.bin"), log));
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    const std::string after = ReadFile(log);
    ASSERT_GT(after.size(), earlier.size() + 1);
    EXPECT_EQ(after.substr(0, earlier.size() + 2), earlier + "\n{");
    EXPECT_EQ(after.back(), '\n');

    const std::string folder = Work("logs");
    fs::create_directory(folder);
    const struct {
        std::string log;
        std::string kind;
    } refused[] = {
        {folder, "a folder"}, {Fifo("log.fifo"), "a named pipe (FIFO)"}, {"/dev/null", "a character device"}};
    for (const auto& c : refused) {
        const ToolRun refusal = Run(OnePart(Work("pattern.bin"), c.log));
        EXPECT_EQ(refusal.exitStatus, 2) << refusal.err;
        EXPECT_EQ(refusal.err, "zavtool: program: --log: " + c.log + " is " + c.kind +
                                   "; a log is a regular file that records are added to\n");
    }
}

// A file that can only be written over in place (here: one with a second name) has its old
// content copied to the backups folder first, and the copy is named before the write.
TEST_F(ZavtoolIntegrityTest, AnOutputWrittenInPlaceHasItsOldContentKeptFirst)
{
    const std::string out = Work("out.bin");
    WriteFile(out, "earlier");
    fs::create_hard_link(out, Work("twin.bin"));
    const ToolRun run = Run({"convert", Work("small.s19"), out});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(ReadFile(Work("twin.bin")), "\x01\x02\x03\x04");
    const fs::path backups = config_.Path() / "share/zav/backups";
    const std::string told = "warning: Writing over " + out + " in place; its old content is kept in " +
                             (backups / "out.bin.").string();
    EXPECT_NE(run.err.find(told), std::string::npos) << run.err;
    std::vector<std::string> copies;
    for (const auto& entry : fs::directory_iterator(backups))
        copies.push_back(ReadFile(entry.path().string()));
    EXPECT_EQ(copies, std::vector<std::string>{"earlier"});
}

// convert stops on a signal like the other subcommands: the save into a FIFO nobody reads is
// given up, the message says so and the status is the shell's for the signal.
TEST_F(ZavtoolIntegrityTest, AConvertIntoAFifoEndsOnAStopSignal)
{
    const struct {
        int signal;
        int status;
        const char* name;
    } stops[] = {{SIGINT, 130, "Ctrl-C"}, {SIGTERM, 143, "SIGTERM"}, {SIGHUP, 129, "SIGHUP"}};
    for (const auto& stop : stops) {
        const std::string fifo = Fifo(std::string("out-") + stop.name + ".s19");
        const ToolRun run = runner_.RunAndSignal({"convert", Work("small.s19"), fifo},
                                                 "Writing file : " + fifo + "\n", stop.signal);
        EXPECT_EQ(run.exitStatus, stop.status) << run.err;
        EXPECT_EQ(Lines(run.err).back(), std::string("warning: Stopped by the user (") + stop.name +
                                             ") during the save; " + fifo + " is as it was.")
            << run.err;
    }
}

// A FIFO given as the input is read once: the log's CRC-32 comes from the bytes the load read,
// not from opening the FIFO again, which would wait for a writer for ever.
TEST_F(ZavtoolIntegrityTest, AFifoInputIsReadOnceAndItsChecksumLogged)
{
    const std::string fifo = Fifo("in.fifo");
    const std::string content = Pattern();
    std::thread writer([&] { std::ofstream(fifo, std::ios::binary) << content; });
    const ToolRun run = Run(OnePart(fifo, Work("parts.jsonl"), {"--in-format", "bin"}));
    writer.join();
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    char crc[32];
    std::snprintf(crc, sizeof crc, "\"input_crc32\":\"%08x\"", Crc32(content));
    EXPECT_NE(ReadFile(Work("parts.jsonl")).find(crc), std::string::npos) << ReadFile(Work("parts.jsonl"));
}

// The simulated memory is a regular file or none yet; anything else is refused at once.
TEST_F(ZavtoolIntegrityTest, ASimulatedMemoryThatIsNoRegularFileIsRefusedAtOnce)
{
    const std::string fifo = Fifo("image.fifo");
    const std::vector<std::vector<std::string>> runs = {
        {"read", "--device", "MC68HC05B6", "--simulate", "--sim-memory", fifo},
        {"blank-check", "--device", "MC68HC05B6", "--simulate", "--sim-memory", fifo},
        OnePart(Work("pattern.bin"), Work("parts.jsonl"), {"--sim-memory", fifo}),
    };
    for (const auto& arguments : runs) {
        const ToolRun run = Run(arguments);
        EXPECT_EQ(run.exitStatus, 2) << arguments.front();
        EXPECT_NE(run.err.find("--sim-memory: " + fifo +
                               " is a named pipe (FIFO); the simulated memory is kept in a regular file\n"),
                  std::string::npos)
            << run.err;
    }
}

} // namespace
} // namespace zav::testing
