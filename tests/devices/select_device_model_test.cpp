#include <gtest/gtest.h>

#include "devices/select_device_model.h"

namespace zav {
namespace {

TEST(SelectDeviceModel, FirstOpeningHasNothingAndOkMeansCancel)
{
    const SelectDeviceModel model;
    EXPECT_FALSE(model.Board());
    EXPECT_TRUE(model.Devices().empty());
    EXPECT_TRUE(model.InfoLines().empty());
    EXPECT_FALSE(model.Accept());
}

TEST(SelectDeviceModel, TheHc11BoardListsFourDevicesAndShowsTwoInfoLines)
{
    SelectDeviceModel model;
    model.ChooseBoard(4);
    EXPECT_EQ(model.Devices(),
              (std::vector<std::string>{"MC68HC11KA1", "MC68HC11KA4", "MC68HC11PA8", "MC68HC11P2"}));
    EXPECT_FALSE(model.SelectedDevice());
    EXPECT_FALSE(model.Accept()) << "a board alone is no device";
    model.ChooseDevice(0);
    EXPECT_EQ(model.InfoLines(), (std::vector<std::string>{"$0D80...$0FFF - EEPROM", "$003F - CONFIG Register"}));
    EXPECT_EQ(model.Accept(), "MC68HC11KA1");
}

TEST(SelectDeviceModel, AnotherBoardClearsTheSelectionAndTheInfo)
{
    SelectDeviceModel model;
    model.ChooseBoard(5);
    model.ChooseDevice(1);
    EXPECT_EQ(model.InfoLines().size(), 2u);
    model.ChooseBoard(0);
    EXPECT_EQ(model.Devices(), (std::vector<std::string>{"MC68HC05B6"}));
    EXPECT_FALSE(model.SelectedDevice());
    EXPECT_TRUE(model.InfoLines().empty());
    EXPECT_FALSE(model.Accept());
}

TEST(SelectDeviceModel, IndicesOutsideTheListsSelectNothing)
{
    SelectDeviceModel model;
    model.ChooseBoard(2);
    model.ChooseDevice(0);
    model.ChooseDevice(1);
    EXPECT_FALSE(model.SelectedDevice());
    EXPECT_TRUE(model.InfoLines().empty());
    model.ChooseBoard(7);
    EXPECT_FALSE(model.Board());
    EXPECT_TRUE(model.Devices().empty());
    model.ChooseBoard(-1);
    EXPECT_TRUE(model.Devices().empty());
}

TEST(SelectDeviceModel, SingleLineDescriptionsStayOneLine)
{
    SelectDeviceModel model;
    model.ChooseBoard(2);
    model.ChooseDevice(0);
    EXPECT_EQ(model.InfoLines(), (std::vector<std::string>{"$0300...$03FF - EEPROM"}));
}

} // namespace
} // namespace zav
