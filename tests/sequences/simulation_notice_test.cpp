#include <gtest/gtest.h>

#include "sequences/simulation_notice_link_factory.h"
#include "support/recording_messages.h"

namespace zav {
namespace {

// Hands out nothing of interest; records which ports it was asked for.
class CountingLinks final : public LinkFactory {
public:
    std::unique_ptr<LinkEndpoint> PortsFor(const std::string& portName, std::uint8_t) override
    {
        asked.push_back(portName);
        return nullptr;
    }
    std::vector<std::string> asked;
};

TEST(SimulationNoticeLinkFactory, ASimulatedPortIsSaidOnceBeforeItsLinkIsMade)
{
    CountingLinks links;
    testing::RecordingStatus status;
    SimulationNoticeLinkFactory notices(
        links, [&links](const std::string& portName) {
            // The notice is posted before the link exists.
            EXPECT_TRUE(links.asked.empty());
            return portName == "LPT1";
        },
        status);
    (void)notices.PortsFor("LPT1", 4);
    ASSERT_EQ(status.lines.size(), 1u);
    EXPECT_EQ(status.lines[0], (testing::StatusLine{"LPT1 is the simulated board: no real device is read or programmed.",
                                                    StatusKind::Normal}));
    EXPECT_EQ(links.asked, (std::vector<std::string>{"LPT1"}));
}

TEST(SimulationNoticeLinkFactory, ARealPortSaysNothing)
{
    CountingLinks links;
    testing::RecordingStatus status;
    SimulationNoticeLinkFactory notices(links, [](const std::string&) { return false; }, status);
    (void)notices.PortsFor("COM1", 1);
    EXPECT_TRUE(status.lines.empty());
    SimulationNoticeLinkFactory unknown(links, {}, status);
    (void)unknown.PortsFor("COM2", 1);
    EXPECT_TRUE(status.lines.empty());
    EXPECT_EQ(links.asked.size(), 2u);
}

} // namespace
} // namespace zav
