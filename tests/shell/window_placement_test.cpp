#include <gtest/gtest.h>

#include <climits>

#include "shell/window_placement.h"

namespace zav {
namespace {

// A desktop of two monitors: a panel takes the bottom of the first, the second stands to its
// right and reaches lower.
const std::vector<ScreenRect> kTwoScreens{{0, 0, 1600, 973}, {1600, 0, 1280, 1024}};
constexpr FrameMargins kFrame{4, 30, 4, 4};

struct FitCase {
    const char* what;
    WindowBounds stored;
    StoredCorner corner;
    WindowBounds fitted;
};

class FitOnScreens : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitOnScreens, KeepsTheWholeFrameOnOneScreen)
{
    const FitCase& c = GetParam();
    EXPECT_EQ(FitWindowOnScreens(c.stored, c.corner, kFrame, kTwoScreens), c.fitted) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FitOnScreens,
    ::testing::Values(
        FitCase{"main window at its first-start place", {6, 49, 263, 552}, StoredCorner::Frame, {6, 49, 263, 552}},
        FitCase{"editor at its first-start place", {32, 43, 268, 545}, StoredCorner::Client, {32, 43, 268, 545}},
        FitCase{"window on the second screen", {2000, 100, 400, 600}, StoredCorner::Frame, {2000, 100, 400, 600}},
        FitCase{"extreme values: shrunk to the screen, title bar at its top",
                {-368, -2215, 32767, 700},
                StoredCorner::Frame,
                {0, 0, 973 - 34, 700}},
        FitCase{"client corner: the title bar comes down onto the screen",
                {32, 10, 268, 545},
                StoredCorner::Client,
                {32, 30, 268, 545}},
        FitCase{"monitor removed on the right: back to the nearest screen's edge",
                {5000, 300, 200, 300},
                StoredCorner::Frame,
                {2880 - 308, 300, 200, 300}},
        FitCase{"monitor removed on the left: nearest screen",
                {-3000, 500, 200, 300},
                StoredCorner::Frame,
                {0, 500, 200, 300}},
        FitCase{"straddling two screens: onto the one holding most of it",
                {1500, 100, 200, 400},
                StoredCorner::Frame,
                {1600, 100, 200, 400}},
        FitCase{"over the panel: moved up until the frame's bottom is above it",
                {100, 900, 263, 552},
                StoredCorner::Frame,
                {100, 973 - 297, 263, 552}},
        FitCase{"negative size: nothing left to shrink, placed on the screen",
                {-50, -50, -10, -20},
                StoredCorner::Frame,
                {0, 0, 0, 0}},
        FitCase{"largest numbers do not overflow",
                {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
                StoredCorner::Client,
                {1600 + 4, 30, 1024 - 34, 1280 - 8}},
        FitCase{"smallest numbers do not overflow",
                {INT_MIN, INT_MIN, 100, 100},
                StoredCorner::Client,
                {4, 30, 100, 100}}),
    [](const ::testing::TestParamInfo<FitCase>& info) { return "Case" + std::to_string(info.index); });

TEST(FitOnScreens, NoScreensChangeNothing)
{
    const WindowBounds stored{-368, -2215, 32767, 700};
    EXPECT_EQ(FitWindowOnScreens(stored, StoredCorner::Frame, kFrame, {}), stored);
}

TEST(CentredFramePosition, MiddleOfTheScreensAreaOrItsTopLeftWhenLarger)
{
    const ScreenRect screen{1600, 27, 800, 600};
    EXPECT_EQ(CentredFramePosition(200, 100, screen), (ScreenPoint{1600 + 300, 27 + 250}));
    EXPECT_EQ(CentredFramePosition(201, 101, screen), (ScreenPoint{1600 + 299, 27 + 249}));
    EXPECT_EQ(CentredFramePosition(900, 100, screen), (ScreenPoint{1600, 27 + 250}));
    EXPECT_EQ(CentredFramePosition(200, 700, screen), (ScreenPoint{1600 + 300, 27}));
}

} // namespace
} // namespace zav

namespace zav {
namespace {

// The main window's frame at 6,49, 560 x 300, beside which the editor's 553 x 300 frame goes.
TEST(FramePositionBeside, TheFirstSideWithRoomOnTheOthersScreen)
{
    const ScreenRect main{6, 49, 560, 300};
    struct Case {
        const char* what;
        std::vector<ScreenRect> screens;
        ScreenPoint expected;
    };
    for (const Case& c : {
             Case{"right", {{0, 0, 1920, 1050}}, {566, 49}},
             Case{"below on a narrow screen", {{0, 0, 1024, 738}}, {6, 349}},
             Case{"right, pulled up to fit", {{0, 0, 1920, 330}}, {566, 30}},
             Case{"on the screen the window is on", {{0, 0, 1024, 738}, {1024, 0, 1920, 1080}}, {6, 349}},
             Case{"no room anywhere: right, kept on", {{0, 0, 800, 500}}, {247, 49}},
         }) {
        EXPECT_EQ(FramePositionBeside(main, 553, 300, c.screens), c.expected) << c.what;
    }
    // Left of a window at the right edge, above one at the bottom.
    EXPECT_EQ(FramePositionBeside({1300, 700, 600, 300}, 553, 300, {{0, 0, 1920, 1050}}), (ScreenPoint{747, 700}));
    EXPECT_EQ(FramePositionBeside({0, 700, 1900, 300}, 553, 300, {{0, 0, 1920, 1050}}), (ScreenPoint{0, 400}));
}

TEST(WidthForCaption, LeavesRoomForTheTitleBarsButtons)
{
    EXPECT_EQ(WidthForCaption(100, 30), 280);
    EXPECT_EQ(WidthForCaption(200, 60), 560); // at twice the scale, twice the width
    EXPECT_EQ(WidthForCaption(-1, -1), 0);
}

} // namespace
} // namespace zav
