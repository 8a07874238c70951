#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <string>
#include <utility>

#include "boardsim/simulated_board.h"
#include "platform/ftdi_parallel_port_io.h"
#include "platform/ppdev_parallel_port_io.h"
#include "link/programmer_link.h"
#include "ports/ports_map_link_factory.h"
#include "ports/system_port_listing.h"
#include "support/temp_folder.h"

namespace zav {
namespace {

// Every LPT and COM name mapped to a device that does not exist, LPT2 and COM3 to the simulator.
PortsMap MostlyMissing(const testing::TempFolder& folder)
{
    PortsMap map;
    for (const char* name :
         {"LPT1", "LPT2", "LPT3", "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"}) {
        map.SetTarget(name, (folder / name).string());
    }
    map.SetTarget("LPT2", "simulator");
    map.SetTarget("COM3", "simulator");
    return map;
}

TEST(PortsMapLinkFactory, EachNameLeadsWhereTheMapSays)
{
    testing::TempFolder folder;
    PortsMapLinkFactory links(MostlyMissing(folder), std::nullopt);
    EXPECT_TRUE(links.Simulates("LPT2"));
    EXPECT_FALSE(links.Simulates("LPT1"));
    EXPECT_EQ(links.SimulatedBoardOn("LPT1", 2), nullptr);

    std::atomic<bool> stop{false};
    const auto simulated = links.PortsFor("LPT2", 2);
    ProgrammerLink link(simulated->Access());
    link.Open("LPT2", 0, stop, 2);
    EXPECT_EQ(link.LastError(), "");
    link.ResetTarget();
    EXPECT_EQ(link.ReadBoardId(), 0xA1);
    link.Close();

    const auto real = links.PortsFor("LPT1", 2);
    ProgrammerLink missing(real->Access());
    missing.Open("LPT1", 0, stop, 2);
    EXPECT_EQ(missing.LastError(), "Error opening port: LPT1");
    EXPECT_EQ(missing.ErrorCause().rfind("no such device: " + (folder / "LPT1").string(), 0), 0u);
}

// A simulated board is hardware on a cable: what one sequence wrote, the next one finds,
// until a device of another board is worked on.
TEST(PortsMapLinkFactory, SimulatedBoardStaysOnItsPortForOneBoardCode)
{
    testing::TempFolder folder;
    PortsMapLinkFactory links(MostlyMissing(folder), std::nullopt);
    SimulatedBoard* board = links.SimulatedBoardOn("COM3", 1);
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(links.SimulatedBoardOn("COM3", 1), board);
    EXPECT_EQ(links.PortsFor("COM3", 1)->Access().serial, board->Access().serial);
    EXPECT_NE(links.SimulatedBoardOn("LPT2", 1), board);

    SimulatedBoard* other = links.SimulatedBoardOn("COM3", 4);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->Options().boardCode, 4);
}

TEST(PortsMapLinkFactory, SimulateOptionsPutTheBoardBehindEveryName)
{
    testing::TempFolder folder;
    BoardSimOptions options;
    options.oldBoard = true;
    PortsMapLinkFactory links(MostlyMissing(folder), options);
    EXPECT_TRUE(links.Simulates("LPT1"));
    SimulatedBoard* board = links.SimulatedBoardOn("LPT1", 6);
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(board->Parallel().ProtocolCode(), 5);
}

TEST(SystemPortListing, SimulatedNamesArePresentAndMissingOnesSayWhy)
{
    testing::TempFolder folder;
    SystemPortListing listing(MostlyMissing(folder), std::nullopt);
    const std::vector<PortStatus> parallel = listing.ParallelPorts();
    ASSERT_EQ(parallel.size(), 3u);
    EXPECT_EQ(parallel[1], (PortStatus{"LPT2", "simulator", true, PortProblem::None, "", ""}));
    EXPECT_FALSE(parallel[0].present);
    EXPECT_EQ(parallel[0].target, (folder / "LPT1").string());
    EXPECT_EQ(parallel[0].problem, PortProblem::NoDevice);
    EXPECT_EQ(parallel[0].cause.rfind("no such device: ", 0), 0u) << parallel[0].cause;
    EXPECT_EQ(PresentPortNames(parallel), (std::vector<std::string>{"LPT2"}));

    const std::vector<PortStatus> serial = listing.SerialPorts();
    ASSERT_EQ(serial.size(), 8u);
    EXPECT_EQ(PresentPortNames(serial), (std::vector<std::string>{"COM3"}));
    EXPECT_EQ(serial[7].name, "COM8");
    EXPECT_EQ(serial[7].problem, PortProblem::NoDevice);

    SystemPortListing simulated(MostlyMissing(folder), BoardSimOptions{});
    EXPECT_EQ(PresentPortNames(simulated.ParallelPorts()), (std::vector<std::string>{"LPT1", "LPT2", "LPT3"}));
    EXPECT_EQ(PresentPortNames(simulated.SerialPorts()).size(), 8u);
}

TEST(SystemPortListing, PlainFileIsNoSerialPort)
{
    testing::TempFolder folder;
    PortsMap map = MostlyMissing(folder);
    testing::WriteFileBytes(folder / "plain", "");
    map.SetTarget("COM1", (folder / "plain").string());
    const std::vector<PortStatus> serial = SystemPortListing(map, std::nullopt).SerialPorts();
    EXPECT_FALSE(serial[0].present);
    EXPECT_EQ(serial[0].problem, PortProblem::Unsuitable);
}

// While the map cannot be read no name reaches a device or the simulator: every open fails
// with the map's error as the cause, and the listing offers nothing.
TEST(PortsMapLinkFactory, AnUnreadableMapOpensNoPort)
{
    testing::TempFolder folder;
    PortsMap map = MostlyMissing(folder);
    const std::string error = "the ports map /cfg/ports cannot be read: it is a folder";
    map.SetFileError(error);
    for (const std::optional<BoardSimOptions>& simulate :
         {std::optional<BoardSimOptions>{}, {BoardSimOptions{}}}) {
        PortsMapLinkFactory links(map, simulate);
        EXPECT_EQ(links.SimulatedBoardOn("LPT2", 2), nullptr);
        for (const auto& [name, code] :
             {std::pair<std::string, std::uint8_t>{"LPT1", 2}, {"LPT2", 2}, {"COM3", 1}}) {
            SCOPED_TRACE(name);
            std::atomic<bool> stop{false};
            const auto ports = links.PortsFor(name, code);
            ProgrammerLink link(ports->Access());
            link.Open(name, 0, stop, code);
            EXPECT_EQ(link.LastError(), "Error opening port: " + name);
            EXPECT_EQ(link.ErrorCause(), error);
        }
    }
    SystemPortListing listing(map, std::nullopt);
    EXPECT_EQ(PresentPortNames(listing.ParallelPorts()), (std::vector<std::string>{"NO port detected"}));
    const std::vector<PortStatus> serial = listing.SerialPorts();
    EXPECT_EQ(PresentPortNames(serial), (std::vector<std::string>{"NO port detected"}));
    EXPECT_EQ(serial[2].cause, error);
}

TEST(PresentPortNames, NoPresentPortGivesTheNoPortEntry)
{
    EXPECT_EQ(PresentPortNames({}), (std::vector<std::string>{"NO port detected"}));
    EXPECT_EQ(PresentPortNames({PortStatus{"COM1", "/dev/ttyS0", false, PortProblem::NoPermission, "dialout", ""}}),
              (std::vector<std::string>{"NO port detected"}));
}

// An LPTn on an FTDI adapter is reached through the adapter alone: with no adapter plugged in
// the link fails to open, and ppdev refuses the name rather than open a device for it.
TEST(PortsMapLinkFactory, AnAdapterPortNeverFallsBackToAParallelPort)
{
    PortsMap map;
    map.SetTarget("LPT1", "ftdi:0403:6001:NOT-PLUGGED-IN");
    PortsMapLinkFactory links(map, std::nullopt);
    const auto ports = links.PortsFor("LPT1", 2);
    EXPECT_NE(dynamic_cast<FtdiParallelPortIo*>(ports->Access().parallel), nullptr);

    std::atomic<bool> stop{false};
    ProgrammerLink link(ports->Access());
    link.Open("LPT1", 0, stop, 2);
    EXPECT_EQ(link.LastError(), "Error opening port: LPT1");
    EXPECT_EQ(link.ErrorCause(), "no FTDI adapter 0403:6001 with serial number NOT-PLUGGED-IN is plugged in");

    PpdevParallelPortIo ppdev(map);
    EXPECT_EQ(ppdev.BaseAddress(1), 0);
    EXPECT_FALSE(ppdev.Claim(1));
}

} // namespace
} // namespace zav
