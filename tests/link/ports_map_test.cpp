#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "link/ports_map.h"

namespace zav {
namespace {

TEST(PortsMap, ReadsNameTargetLinesAndIgnoresTheRest)
{
    const PortsMap map = PortsMap::Parse("LPT1=/dev/parport2\r\n"
                                         "  COM3 = simulator  \n"
                                         "# a comment\n"
                                         "garbage line\n"
                                         "LPT4=/dev/parport3\n"
                                         "lpt2=/dev/parport1\n"
                                         "COM1=\n"
                                         "=/dev/ttyS0\n"
                                         "COM8=/dev/ttyUSB0\n"
                                         "COM8=/dev/ttyUSB1");
    EXPECT_EQ(map.TargetOf("LPT1"), "/dev/parport2");
    EXPECT_EQ(map.TargetOf("COM3"), "simulator");
    EXPECT_TRUE(map.IsSimulated("COM3"));
    EXPECT_FALSE(map.IsSimulated("LPT1"));
    EXPECT_EQ(map.TargetOf("COM8"), "/dev/ttyUSB1");
    EXPECT_EQ(map.Entries().size(), 3u);
    EXPECT_FALSE(map.TargetOf("LPT2").has_value());
    EXPECT_FALSE(map.TargetOf("COM1").has_value());

    // The lines it could not read, numbered from 1, for the user to be shown.
    std::vector<int> numbers;
    for (const auto& line : map.UnreadableLines()) numbers.push_back(line.number);
    EXPECT_EQ(numbers, (std::vector<int>{4, 5, 6, 7, 8}));
    EXPECT_EQ(map.UnreadableLines()[2],
              (PortsMap::UnreadableLine{6, "lpt2=/dev/parport1",
                                        "NAME is one of LPT1 to LPT3 or COM1 to COM8, in capitals"}));
    EXPECT_EQ(map.UnreadableLines()[0].reason, "not NAME=TARGET");
    EXPECT_EQ(map.UnreadableLines()[3].reason, "no TARGET after the =");
}

// CR LF, LF and a lone CR each end a line: a map saved with any of them reads the same, and
// no CR is left in a target.
TEST(PortsMap, EveryLineEndReadsTheSame)
{
    for (const char* end : {"\n", "\r\n", "\r"}) {
        SCOPED_TRACE(testing::PrintToString(end));
        const std::string e = end;
        const PortsMap map = PortsMap::Parse("COM1=simulator" + e + "LPT1=/dev/parport1" + e + "nonsense" +
                                             e + "COM1=/dev/ttyUSB0" + e);
        EXPECT_EQ(map.Entries(),
                  (std::map<std::string, std::string>{{"COM1", "/dev/ttyUSB0"}, {"LPT1", "/dev/parport1"}}));
        ASSERT_EQ(map.UnreadableLines().size(), 1U);
        EXPECT_EQ(map.UnreadableLines()[0].number, 3);
        // The last line for a name wins, and the one it replaced is noted.
        EXPECT_EQ(map.RepeatedNames(), (std::vector<PortsMap::RepeatedName>{{"COM1", 1, 4}}));
    }
}

TEST(PortsMap, PortNamesAreExact)
{
    for (const char* good : {"LPT1", "LPT3", "COM1", "COM8"}) EXPECT_TRUE(PortsMap::IsPortName(good)) << good;
    for (const char* bad : {"LPT0", "LPT4", "COM0", "COM9", "COM10", "lpt1", "LPT", "", "LPT1 "}) {
        EXPECT_FALSE(PortsMap::IsPortName(bad)) << bad;
    }
}

} // namespace
} // namespace zav
