// The tool's waits end: a stop signal of any kind, a board that never comes ready, an output
// nobody reads.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <string>

#include "tool_test_fixture.h"

namespace zav::testing {
namespace {

using ZavtoolStopTest = ToolTest;

// A closed terminal is a stop like Ctrl-C: the sequence ends, the port is released and the
// exit status is the shell's for SIGHUP.
TEST_F(ZavtoolStopTest, HangUpStopsTheSequenceAndReleasesThePort)
{
    const ToolRun run = runner_.RunAndSignal({"read", "--device", "MC68HC11E9", "--simulate=no-board"},
                                             "warning: Opening try 1\n", SIGHUP);
    EXPECT_EQ(run.exitStatus, 129);
    EXPECT_EQ(Lines(run.err).back(), "warning: Stopped by the user (SIGHUP); the port is released.") << run.err;
    EXPECT_NE(run.err.find("Read Sequence Interrupted.\n"), std::string::npos) << run.err;
}

// A board whose ready line stays busy: --timeout ends a single wait and names the line;
// with --tries that wait is a failed try, and the tries run out.
TEST_F(ZavtoolStopTest, ReadyWaitsEndAtTheTimeout)
{
    struct Case {
        const char* device;
        const char* variants;
        std::vector<std::string> more;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"MC68HC705B16", "no-board", {"--timeout", "1"},
         "error: Programmer Not Ready: no ready signal on the status line (pin 15) within 1 s.\n"},
        {"MC68HC05B6", "never-ready,clock-readback", {"--timeout", "1"},
         "error: Programmer Not Ready: no ready signal on the clock line (pin 1) within 1 s.\n"},
        {"MC68HC705B16", "never-ready", {"--tries", "2", "--timeout", "1"},
         "warning: Programmer Not Ready: no ready signal on the status line (pin 15) within 1 s.\n"
         "warning: Opening try 0\n"
         "warning: Programmer Not Ready: no ready signal on the status line (pin 15) within 1 s.\n"
         "error: Programmer don't responding.\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments{"read", "--device", c.device, std::string("--simulate=") + c.variants};
        arguments.insert(arguments.end(), c.more.begin(), c.more.end());
        const ToolRun run = Run(arguments);
        EXPECT_EQ(run.exitStatus, 1) << c.device;
        EXPECT_NE(run.err.find(c.expected), std::string::npos) << run.err;
    }
    EXPECT_EQ(Run({"read", "--device", "MC68HC705B16", "--timeout", "0"}).exitStatus, 2);
}

void FillPipe(const std::string& fifo)
{
    const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    const std::string block(4096, 'x');
    while (::write(writer, block.data(), block.size()) > 0) {
    }
    ::close(writer);
}

// A save to a FIFO waits for its reader, or for the reader to take the bytes; a stop ends
// either wait with the shell's status for the signal, and the save says it was cut short.
TEST_F(ZavtoolStopTest, AStopEndsASaveThatWaitsForItsReader)
{
    for (const bool readerOpens : {false, true}) {
        const std::string fifo = Work(readerOpens ? "slow-reader" : "no-reader");
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        // A reader that holds the FIFO open and never reads, the pipe already full: the save
        // opens it and then blocks on its first write.
        const int reader = readerOpens ? ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK) : -1;
        if (readerOpens) FillPipe(fifo);
        const ToolRun run =
            runner_.RunAndSignal({"read", "--device", "MC68HC11E9", "--simulate", "--out", fifo, "--out-format", "hex"},
                                 "Writing file : " + fifo + "\n", readerOpens ? SIGTERM : SIGINT);
        if (reader >= 0) ::close(reader);
        EXPECT_EQ(run.exitStatus, readerOpens ? 143 : 130) << run.err;
        EXPECT_NE(run.err.find("error: Write file failed : " + fifo + " : interrupted by the user\n"),
                  std::string::npos)
            << run.err;
        EXPECT_EQ(Lines(run.err).back(), std::string("warning: Stopped by the user (") +
                                             (readerOpens ? "SIGTERM" : "Ctrl-C") + ") during the save; " + fifo +
                                             " is as it was.")
            << run.err;
    }
}

} // namespace
} // namespace zav::testing
