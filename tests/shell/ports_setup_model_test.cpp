#include <gtest/gtest.h>

#include "shell/main_window_flow.h"
#include "shell/ports_setup_model.h"

namespace zav {
namespace {

PortStatus Present(const std::string& name)
{
    return {name, "/dev/x", true, PortProblem::None, "", ""};
}

PortStatus Missing(const std::string& name, PortProblem problem, const std::string& group = "",
                   const std::string& cause = "")
{
    return {name, "/dev/x", false, problem, group, cause};
}

// Lists given ports and records whether the port was busy while it was asked.
class ScriptedListing : public PortListing {
public:
    explicit ScriptedListing(MainWindowFlow& flow) : flow_(flow) {}
    std::vector<PortStatus> ParallelPorts() override
    {
        busyWhileListing = !flow_.PortIdle();
        return parallel;
    }
    std::vector<PortStatus> SerialPorts() override { return serial; }
    std::vector<UsbAdapterStatus> UsbAdapters() override
    {
        busyWhileListingAdapters = !flow_.PortIdle();
        return adapters;
    }

    std::vector<PortStatus> parallel;
    std::vector<PortStatus> serial;
    std::vector<UsbAdapterStatus> adapters;
    bool busyWhileListingAdapters = false;
    bool busyWhileListing = false;

private:
    MainWindowFlow& flow_;
};

TEST(PortsSetupModel, ListsPresentPortsInOrderAndPreselectsTheSetting)
{
    MainWindowFlow flow;
    flow.Settings().program.comPort = "com3";
    ScriptedListing listing(flow);
    listing.parallel = {Present("LPT1"), Missing("LPT2", PortProblem::NoDevice), Present("LPT3")};
    listing.serial = {Present("COM1"), Missing("COM2", PortProblem::HeldByDriver), Present("COM3")};
    PortsSetupModel model;
    model.Show(listing, flow);
    EXPECT_TRUE(listing.busyWhileListing);
    EXPECT_TRUE(flow.PortIdle());
    EXPECT_EQ(model.Parallel().names, (std::vector<std::string>{"LPT1", "LPT3"}));
    EXPECT_EQ(model.Parallel().selected, 0);
    EXPECT_EQ(model.Serial().names, (std::vector<std::string>{"COM1", "COM3"}));
    EXPECT_EQ(model.Serial().selected, 1) << "compared without regard to case";
    EXPECT_EQ(model.Delay(), 5);
}

TEST(PortsSetupModel, AVanishedPortFallsBackToTheFirstAndNothingFoundOffersOneEntry)
{
    MainWindowFlow flow;
    flow.Settings().program.comPort = "COM2";
    flow.Settings().program.lptPort = "LPT2";
    ScriptedListing listing(flow);
    listing.serial = {Present("COM1"), Missing("COM2", PortProblem::NoDevice), Present("COM3")};
    PortsSetupModel model;
    model.Show(listing, flow);
    EXPECT_EQ(model.Serial().selected, 0);
    EXPECT_EQ(model.Parallel().names, (std::vector<std::string>{"NO port detected"}));

    model.Accept(0, 0, 12, flow);
    EXPECT_EQ(flow.Settings().program.lptPort, "NO port detected");
    EXPECT_EQ(flow.Settings().program.comPort, "COM1");
    EXPECT_EQ(flow.Settings().program.lptDelay, 12);
}

TEST(PortsSetupModel, TheSliderEndsAreTheDelayLimits)
{
    MainWindowFlow flow;
    ScriptedListing listing(flow);
    listing.parallel = {Present("LPT1")};
    listing.serial = {Present("COM1")};
    PortsSetupModel model;
    model.Show(listing, flow);
    model.Accept(0, 0, PortsSetupModel::kMinDelay, flow);
    EXPECT_EQ(flow.Settings().program.lptDelay, 0);
    model.Accept(0, 0, PortsSetupModel::kMaxDelay, flow);
    EXPECT_EQ(flow.Settings().program.lptDelay, 50);
    // A delay beyond the slider (from an edited settings file) shows at its end.
    flow.Settings().program.lptDelay = 400;
    model.Show(listing, flow);
    EXPECT_EQ(model.Delay(), 50);
}

TEST(PortsSetupModel, WhyMissingNamesTheTroubleAndTheGroupToJoin)
{
    EXPECT_EQ(PortsSetupModel::WhyMissing({Present("COM1")}), "");
    EXPECT_EQ(PortsSetupModel::WhyMissing({Missing("COM1", PortProblem::NoPermission, "dialout"),
                                           Missing("COM2", PortProblem::NoPermission, "dialout"),
                                           Missing("COM3", PortProblem::NoDevice), Present("COM4")}),
              "COM1, COM2: no permission (join the group dialout, then log in again); COM3: no device");
    EXPECT_EQ(PortsSetupModel::WhyMissing({Present("COM1"), Missing("COM2", PortProblem::NoDevice),
                                           Missing("COM3", PortProblem::NoDevice), Missing("COM4", PortProblem::NoDevice),
                                           Present("COM5"), Missing("COM6", PortProblem::NoDevice),
                                           Missing("COM7", PortProblem::NoDevice)}),
              "COM2-COM4, COM6, COM7: no device");
    EXPECT_EQ(PortsSetupModel::WhyMissing({Missing("LPT1", PortProblem::HeldByDriver)}),
              "LPT1: held by another driver or program");
    EXPECT_EQ(PortsSetupModel::WhyMissing({Missing("LPT1", PortProblem::Unsuitable, "", "a USB printer adapter")}),
              "LPT1: a USB printer adapter");
    EXPECT_EQ(PortsSetupModel::WhyMissing({Missing("LPT1", PortProblem::None)}), "LPT1: cannot be opened");
}

// Each adapter comes with the ports map line that names it, and why it cannot serve if so.
TEST(PortsSetupModel, ListsTheUsbAdaptersWithTheirPortsMapTargets)
{
    MainWindowFlow flow;
    ScriptedListing listing(flow);
    listing.adapters = {
        {true, "ftdi:0403:6001:A1", "/dev/bus/usb/001/004", "FTDI FT232R USB UART (0403:6001, FT232R)", ""},
        {true, "ftdi:0403:6001:B2", "/dev/bus/usb/001/005", "FTDI (0403:6001, FT232BM)", "no synchronous bit-bang"},
        {false, "/dev/serial/by-id/usb-FTDI_A1-if00-port0", "/dev/ttyUSB0", "FTDI FT232R USB UART (0403:6001)", ""},
    };
    PortsSetupModel model;
    model.Show(listing, flow);
    EXPECT_TRUE(listing.busyWhileListingAdapters);
    EXPECT_EQ(model.UsbAdapters(),
              (std::vector<std::string>{
                  "LPTn=ftdi:0403:6001:A1  FTDI FT232R USB UART (0403:6001, FT232R)",
                  "LPTn=ftdi:0403:6001:B2  FTDI (0403:6001, FT232BM): not usable: no synchronous bit-bang",
                  "COMn=/dev/serial/by-id/usb-FTDI_A1-if00-port0  FTDI FT232R USB UART (0403:6001)"}));
}

} // namespace
} // namespace zav
