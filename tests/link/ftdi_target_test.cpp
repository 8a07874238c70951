// The ports map's FTDI adapter lines: the target's grammar, the pin map's rules, and how a
// line that breaks them is refused with its number.
#include <gtest/gtest.h>

#include "link/ftdi_target.h"
#include "link/ports_map.h"

namespace zav {
namespace {

TEST(FtdiTarget, ReadsIdsSerialAndPinMapInEveryAllowedForm)
{
    struct Case {
        const char* text;
        std::uint16_t vendor;
        std::uint16_t product;
        const char* serial;
        bool defaultPins;
    };
    for (const Case c : {Case{"ftdi:0403:6001", 0x0403, 0x6001, "", true},
                         Case{"ftdi:403:6014", 0x0403, 0x6014, "", true},
                         Case{"ftdi:0403:6001:A6008isP", 0x0403, 0x6001, "A6008isP", true},
                         Case{"ftdi:0403:6010:data0=RXD,paper-out=TXD,strobe=RTS,error=CTS,autofeed=DTR", 0x0403,
                              0x6010, "", false},
                         Case{"ftdi:0403:6001:FT1:DATA0=d1,Paper-Out=d0,strobe=d2,error=d3,autofeed=d4", 0x0403,
                              0x6001, "FT1", false}}) {
        std::string error;
        const auto target = FtdiTarget::Parse(c.text, error);
        ASSERT_TRUE(target) << c.text << ": " << error;
        EXPECT_EQ(target->vendor, c.vendor) << c.text;
        EXPECT_EQ(target->product, c.product) << c.text;
        EXPECT_EQ(target->serial, c.serial) << c.text;
        EXPECT_EQ(target->pins == FtdiPinMap::Default(), c.defaultPins) << c.text;
        if (!c.defaultPins) {
            EXPECT_EQ(target->pins.PinOf(ConnectorLine::Data0), 1) << c.text;
        }
    }
}

TEST(FtdiTarget, RefusesWhatItCannotRead)
{
    for (const char* text : {"ftdi:", "ftdi:0403", "ftdi:0403:", "ftdi:xyz:6001", "ftdi:0000:6001",
                             "ftdi:12345:6001", "ftdi:0403:6001:a:data0=D0:extra", "ftdi:0403:6001:ser ial",
                             "ftdi:0403:6001::data0=D0"}) {
        std::string error;
        EXPECT_FALSE(FtdiTarget::Parse(text, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

TEST(FtdiPinMap, TheDefaultWiringDrivesTheOutputsAndReadsTheInputs)
{
    const FtdiPinMap pins = FtdiPinMap::Default();
    EXPECT_EQ(pins.Text(), "data0=D0,strobe=D2,autofeed=D4,paper-out=D1,error=D3");
    // TXD, RTS and DTR out; RXD and CTS in.
    EXPECT_EQ(pins.OutputMask(), 0b0001'0101);
    std::string error;
    EXPECT_EQ(FtdiPinMap::Parse(pins.Text(), error), pins) << error;
}

// A pin map with a fault is refused, naming the line or pin at fault.
TEST(FtdiPinMap, RefusesAPinTwiceALineTwiceAndAMissingLine)
{
    const std::string rest = ",autofeed=D4,paper-out=D1,error=D3";
    struct Case {
        std::string text;
        std::string error;
    };
    for (const Case& c : std::vector<Case>{
             {"data0=D0,strobe=D0" + rest, "the pin map puts both data0 and strobe on D0 (TXD)"},
             {"data0=D0,strobe=D2,data0=D5" + rest, "the pin map names data0 twice"},
             {"strobe=D2" + rest, "the pin map has no pin for data0 (connector pin 2, the data line to the board)"},
             {"data0=D0" + rest, "the pin map has no pin for strobe (connector pin 1, the clock line)"},
             {"data0=D0,strobe=D2,paper-out=D1,error=D3",
              "the pin map has no pin for autofeed (connector pin 14, the reset line)"},
             {"data0=D0,strobe=D2,autofeed=D4,error=D3",
              "the pin map has no pin for paper-out (connector pin 12, the data line from the board)"},
             {"data0=D0,strobe=D2,autofeed=D4,paper-out=D1",
              "the pin map has no pin for error (connector pin 15, the board's ready line)"},
             {"data0=D8,strobe=D2" + rest,
              "\"D8\" is not an FTDI pin (D0 to D7, or TXD, RXD, RTS, CTS, DTR, DSR, DCD, RI)"},
             {"clock=D2" + rest, "\"clock\" is not a connector line (data0, strobe, autofeed, init, select-in, ack, "
                                 "busy, paper-out, select, error)"},
             {"data0" + rest, "pin map entry \"data0\" is not LINE=PIN"},
             {"data0=D0,,strobe=D2" + rest, "pin map entry \"\" is not LINE=PIN"},
         }) {
        std::string error;
        EXPECT_FALSE(FtdiPinMap::Parse(c.text, error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

TEST(FtdiPortsMapLines, ABadAdapterLineIsRefusedWithItsNumberAndTheOthersKept)
{
    const PortsMap map = PortsMap::Parse("# adapters\n"
                                         "LPT1=ftdi:0403:6001:A1\n"
                                         "LPT2=ftdi:0403:6001:strobe=D2\n"
                                         "COM1=ftdi:0403:6001\n"
                                         "COM2=/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0\n");
    EXPECT_EQ(map.TargetOf("LPT1"), "ftdi:0403:6001:A1");
    EXPECT_EQ(map.TargetOf("LPT2"), std::nullopt);
    EXPECT_EQ(map.TargetOf("COM1"), std::nullopt);
    EXPECT_EQ(map.TargetOf("COM2"), "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0");
    ASSERT_EQ(map.UnreadableLines().size(), 2U);
    EXPECT_EQ(map.UnreadableLines()[0].number, 3);
    EXPECT_EQ(map.UnreadableLines()[0].reason,
              "the pin map has no pin for data0 (connector pin 2, the data line to the board)");
    EXPECT_EQ(map.UnreadableLines()[1].number, 4);
    EXPECT_NE(map.UnreadableLines()[1].reason.find("LPT1 to LPT3"), std::string::npos);
}

} // namespace
} // namespace zav
