#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "shell/main_window_flow.h"
#include "support/recording_messages.h"

namespace zav {
namespace {

using testing::RecordingBoxes;

TEST(MainWindowFlow, StartsIdleSavedWithoutDeviceAndWithDefaultPorts)
{
    const MainWindowFlow flow;
    EXPECT_TRUE(flow.PortIdle());
    EXPECT_TRUE(flow.BufferSaved());
    EXPECT_FALSE(flow.SuppressSettingsSave());
    EXPECT_EQ(flow.DeviceName(), "No device selected");
    EXPECT_EQ(flow.Settings().program.lptPort, "LPT1");
    EXPECT_EQ(flow.Settings().mainWindow, (WindowBounds{6, 49, 263, 552}));
}

TEST(MainWindowFlow, BusyPortRefusesEveryPortCommand)
{
    MainWindowFlow flow;
    for (PortCommand command : {PortCommand::Print, PortCommand::PortsOptions, PortCommand::DeviceId,
                                PortCommand::StartSequence}) {
        flow.SetPortIdle(true);
        EXPECT_TRUE(flow.Allows(command));
        flow.SetPortIdle(false);
        EXPECT_FALSE(flow.Allows(command));
    }
}

TEST(MainWindowFlow, StartButtonsStartStopAndUndoAPressOnABusyPort)
{
    MainWindowFlow flow;
    EXPECT_EQ(flow.ProgramStartButtonClick(true), (StartButtonPlan{false, true}));
    EXPECT_TRUE(flow.BufferSaved()) << "programming only reads the buffer";
    EXPECT_EQ(flow.ReadStartButtonClick(true), (StartButtonPlan{false, true}));
    EXPECT_FALSE(flow.BufferSaved()) << "a read replaces the buffer";
    EXPECT_EQ(flow.ReadStartButtonClick(false), (StartButtonPlan{false, false}));

    MainWindowFlow busy;
    busy.SetPortIdle(false);
    EXPECT_EQ(busy.ReadStartButtonClick(true), (StartButtonPlan{true, false}));
    EXPECT_TRUE(busy.BufferSaved()) << "a refused read changes nothing";
    EXPECT_EQ(busy.ProgramStartButtonClick(true), (StartButtonPlan{true, false}));
    // Releasing a button always stops, busy or not: that is how a running sequence ends.
    EXPECT_EQ(busy.ProgramStartButtonClick(false), (StartButtonPlan{false, false}));
}

// The question before a close or a load: each answer and save outcome, and whether the
// work may then go.
TEST(MainWindowFlow, UnsavedWorkGoesOnlyWhenSavedOrGivenUp)
{
    struct Case {
        const char* name;
        bool undoEmpty;
        std::vector<BoxAnswer> answers;
        bool saveSucceeds;
        bool goesOn;
        int saves;
        bool savedAfter;
    };
    const Case cases[] = {
        {"nothing unsaved asks nothing", true, {}, true, true, 0, true},
        {"Cancel keeps the edits", false, {BoxAnswer::Cancel}, true, false, 0, true},
        {"No gives the edits up", false, {BoxAnswer::No}, true, true, 0, true},
        {"Yes and a save goes on", false, {BoxAnswer::Yes}, true, true, 1, true},
        {"Yes and a failed save keeps the edits", false, {BoxAnswer::Yes}, false, false, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MainWindowFlow flow;
        RecordingBoxes boxes;
        boxes.answers.assign(c.answers.begin(), c.answers.end());
        int saves = 0;
        EXPECT_EQ(flow.SettleUnsavedWork(c.undoEmpty, boxes, [&] { return ++saves, c.saveSucceeds; }), c.goesOn);
        EXPECT_EQ(saves, c.saves);
        EXPECT_EQ(boxes.shown.size(), c.answers.size());
        EXPECT_EQ(flow.BufferSaved(), c.savedAfter);
    }
}

TEST(MainWindowFlow, AReadIsUnsavedUntilASaveSucceeds)
{
    MainWindowFlow flow;
    (void)flow.ReadStartButtonClick(true);
    EXPECT_TRUE(flow.HasUnsavedWork(true));
    RecordingBoxes boxes;
    boxes.answers = {BoxAnswer::Yes, BoxAnswer::Yes};
    EXPECT_FALSE(flow.SettleUnsavedWork(true, boxes, [] { return false; }));
    EXPECT_FALSE(flow.BufferSaved()) << "a cancelled save leaves the read unsaved";
    EXPECT_TRUE(flow.SettleUnsavedWork(true, boxes, [] { return true; }));
    EXPECT_FALSE(flow.HasUnsavedWork(true));
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, "Save buffer to file ?");
    EXPECT_EQ(boxes.shown[0].buttons, BoxButtons::YesNoCancel);
}

TEST(MainWindowFlow, ResetToDefaultDeletesTheFileOnlyWhenConfirmed)
{
    testing::TempFolder folder;
    const auto file = folder / "zozadav.ini";
    testing::WriteFileBytes(file, "LPT_PORT=LPT2\r\n");
    MainWindowFlow flow;
    RecordingBoxes boxes;

    boxes.answers = {BoxAnswer::No};
    EXPECT_FALSE(flow.ResetToDefault(boxes, file));
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_FALSE(flow.SuppressSettingsSave());
    EXPECT_EQ(boxes.shown.back().text, "All previous LPT,COM Port and Hex Editor settings will be lost !");
    EXPECT_EQ(boxes.shown.back().kind, BoxKind::Warning);

    boxes.answers = {BoxAnswer::Yes};
    EXPECT_TRUE(flow.ResetToDefault(boxes, file));
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(flow.SuppressSettingsSave());
    // Without a file there is nothing to delete, and the restart still goes ahead.
    boxes.answers = {BoxAnswer::Yes};
    EXPECT_TRUE(flow.ResetToDefault(boxes, file));
}

TEST(MainWindowFlow, OnlyADifferentDeviceTextIsAChange)
{
    MainWindowFlow flow;
    EXPECT_FALSE(flow.ChangeDevice("No device selected"));
    EXPECT_TRUE(flow.ChangeDevice("MC68HC11E9"));
    EXPECT_FALSE(flow.ChangeDevice("MC68HC11E9"));
    EXPECT_EQ(flow.DeviceName(), "MC68HC11E9");
}

TEST(MainWindowFlow, AnOpenedFileMovesToTheFrontOfTheRecentFiles)
{
    MainWindowFlow flow;
    flow.FileOpened("/a.zef");
    flow.FileOpened("/b.s19");
    flow.FileOpened("/a.zef");
    EXPECT_EQ(flow.Settings().program.RecentFiles, (std::vector<std::string>{"/a.zef", "/b.s19"}));
}

} // namespace
} // namespace zav
