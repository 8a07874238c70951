// Boards of another generation than the device's code, end to end through the tool.
#include <string>

#include "tool_test_fixture.h"

namespace zav::testing {
namespace {

using ZavtoolBoardTest = ToolTest;

// The older TMS boards answer with their own identification and serve the 256-byte parts
// with their own board code: a program and a read through them give back the file.
TEST_F(ZavtoolBoardTest, ProgramAndReadThroughAnOlderTmsBoard)
{
    const std::string pattern = Pattern();
    WriteFile(Work("pattern.bin"), pattern);
    for (const char* device : {"TMS370Cx5x (256)", "TMS375C006 (256)"}) {
        SCOPED_TRACE(device);
        const std::string variants = "--simulate=old-board,write-ms=1,slow-port";
        const std::string image = Work(std::string(device) + ".img");
        const ToolRun program = Run({"program", "--device", device, "--in", Work("pattern.bin"), variants, "--erase",
                                     "--program", "--verify", "--yes", "--sim-memory", image});
        EXPECT_EQ(program.exitStatus, 0) << program.err;
        EXPECT_NE(program.err.find("\nProgram Sequence completed successful\n"), std::string::npos) << program.err;

        const std::string back = Work(std::string(device) + ".bin");
        const ToolRun read = Run({"read", "--device", device, variants, "--sim-memory", image, "--out", back});
        EXPECT_EQ(read.exitStatus, 0) << read.err;
        const std::string bytes = ReadFile(back);
        ASSERT_EQ(bytes.size(), 0x10000U);
        EXPECT_EQ(bytes.substr(0x1F00, 0x100), pattern.substr(0x1F00, 0x100));
    }
    // The 512-byte parts need the current board.
    const ToolRun refused = Run({"read", "--device", "TMS370Cx5x (512)", "--simulate=old-board"});
    EXPECT_EQ(refused.exitStatus, 1);
    EXPECT_NE(refused.err.find("error: Old Hardware, Contact ZAV\n"), std::string::npos) << refused.err;
}

} // namespace
} // namespace zav::testing
