#include <QAction>
#include <QButtonGroup>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QToolButton>

#include "buffer/memory_buffer.h"
#include "ui/buffer/explaine_window.h"
#include "ui/buffer/hex_edit_window.h"
#include "ui/buffer/hex_grid_view.h"
#include "ui/devices/dev_id_form.h"
#include "ui/sequences/sequence_runner.h"
#include "ui/shell/status_list_model.h"
#include "ui/shell/status_win.h"
#include "shell_fixture.h"

namespace zav {

using testing::ShellFixture;

namespace {

BoardSimOptions RealTimeBoard()
{
    BoardSimOptions options;
    options.realTime = true;
    return options;
}

// Starts an MC68HC11E9 read on a real-time board, which sits in its reset wait for a while.
void StartRealTimeRead(TProgShell& shell)
{
    shell.show();
    testing::OnNextModal<TDevIdForm>([](TDevIdForm& form) {
        form.HardBoard()->button(3)->click();
        form.DeviceListBox1()->setCurrentRow(0);
        form.accept();
    });
    shell.DeviceIDButton()->click();
    shell.OptionButton(SequenceOption::Read)->click();
    shell.StartButton(SequenceKind::Read)->click();
    QVERIFY(shell.Sequences().Running());
}

} // namespace

class ShellCloseTest : public QObject {
    Q_OBJECT

private slots:
    // Right after start nothing is asked, and the settings are written at close.
    void ExitRightAfterStartAsksNothingAndWritesTheSettings()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        shell.show();
        QVERIFY(shell.close());
        QVERIFY(fixture.boxes.shown.empty());
        const std::string text = testing::ReadFileBytes(fixture.SettingsFile());
        QVERIFY(text.find("LPT_PORT=LPT1\r\n") != std::string::npos);
        QVERIFY(text.find("H_WIN_VISIBLE=0\r\n") != std::string::npos);
    }

    // Unsaved work asks "Save buffer to file ?": Cancel stays, No closes, Yes saves first.
    void UnsavedWorkAsksBeforeClosing()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        shell.show();
        (void)shell.Flow().ReadStartButtonClick(true);
        fixture.boxes.answers = {BoxAnswer::Cancel, BoxAnswer::No};
        QVERIFY(!shell.close());
        QVERIFY(shell.isVisible());
        QVERIFY(!std::filesystem::exists(fixture.SettingsFile()));
        QVERIFY(shell.close());
        QCOMPARE(fixture.boxes.Texts(), (std::vector<std::string>{"Save buffer to file ?", "Save buffer to file ?"}));
        QVERIFY(std::filesystem::exists(fixture.SettingsFile()));
    }

    // Yes to the question closes only after a save that wrote the file: a save that fails
    // (its folder is gone) or is cancelled keeps the program open with the edits.
    void AnExitKeepsTheEditsUnlessTheyAreSaved()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        shell.show();
        testing::EditCell(shell, 0x10, "42");
        const std::filesystem::path missingFolder = fixture.folder / "gone" / "image.zef";
        for (const std::optional<std::filesystem::path>& target :
             {std::optional<std::filesystem::path>(missingFolder), std::optional<std::filesystem::path>()}) {
            fixture.boxes.answers = {BoxAnswer::Yes};
            testing::SaveOnNextDialog(target);
            QVERIFY(!shell.close());
            QVERIFY(shell.isVisible());
            QCOMPARE(shell.HexEditor().Buffer().GetByte(0x10), 0x42);
            QVERIFY(!shell.HexEditor().IsUndoEmpty());
            QVERIFY(!std::filesystem::exists(fixture.SettingsFile()));
        }

        const std::filesystem::path saved = fixture.folder / "image.zef";
        fixture.boxes.answers = {BoxAnswer::Yes};
        testing::SaveOnNextDialog(saved);
        QVERIFY(shell.close());
        QVERIFY(std::filesystem::exists(saved));
        QVERIFY(!shell.isVisible());
    }

    // Reset to Default answered No changes nothing; Yes deletes the file, restarts and ends
    // without the close question and without writing the settings again.
    void ResetToDefaultRestartsWithoutSettings()
    {
        ShellFixture fixture;
        testing::WriteFileBytes(fixture.SettingsFile(), "LPT_PORT=LPT2\r\n");
        TProgShell& shell = fixture.Make();
        shell.LoadSettings();
        shell.show();
        (void)shell.Flow().ReadStartButtonClick(true);
        QAction* reset = shell.findChild<QAction*>(QStringLiteral("ResDefSet"));
        fixture.boxes.answers = {BoxAnswer::No};
        reset->trigger();
        QVERIFY(std::filesystem::exists(fixture.SettingsFile()));
        QVERIFY(shell.isVisible());
        QCOMPARE(fixture.restarts, 0);

        fixture.boxes.answers = {BoxAnswer::Yes};
        reset->trigger();
        QCOMPARE(fixture.restarts, 1);
        QVERIFY(!shell.isVisible());
        QVERIFY(!std::filesystem::exists(fixture.SettingsFile()));
        QCOMPARE(fixture.boxes.shown.size(), std::size_t{2}); // no save question
        QCOMPARE(fixture.boxes.shown.back().text,
                 std::string("All previous LPT,COM Port and Hex Editor settings will be lost !"));
    }

    // The file's values reach the windows, and what the windows hold goes back into it.
    void SettingsReachTheWindowsAndComeBack()
    {
        ShellFixture fixture;
        testing::WriteFileBytes(fixture.SettingsFile(),
                                "P_WIN_POS_LEFT=40\r\nP_WIN_POS_TOP=60\r\nP_WIN_POS_HEIGHT=400\r\nP_WIN_POS_WIDTH=700\r\n"
                                "H_WIN_VISIBLE=5\r\nHE_EDIT_COLOR=58\r\nLPT_PORT=LPT2\r\nCOM_PORT=COM3\r\n"
                                "LPT_DELAY=9\r\nLPT_READY_PIN=300\r\nLOF0=/a.zef\r\nLOF3=/b.s19\r\n");
        TProgShell& shell = fixture.Make();
        shell.LoadSettings();
        shell.show();
        QCOMPARE(shell.size(), QSize(700, 400));
        QVERIFY(shell.HexEditor().isVisible());
        QCOMPARE(shell.HexEditor().GetEditorOptions().colours.edited, Colour{0xFFAAAA});
        const ProgramSettings& program = shell.Flow().Settings().program;
        QCOMPARE(program.lptPort, "LPT2");
        QCOMPARE(program.comPort, "COM3");
        QCOMPARE(program.lptDelay, 9);
        QCOMPARE(program.lptReadyPin, std::uint8_t{44});
        QCOMPARE(program.RecentFiles, (std::vector<std::string>{"/a.zef", "/b.s19"}));
        shell.resize(640, 300);
        QVERIFY(shell.close());
        const std::string text = testing::ReadFileBytes(fixture.SettingsFile());
        QVERIFY(text.find("P_WIN_POS_WIDTH=640\r\n") != std::string::npos);
        QVERIFY(text.find("H_WIN_VISIBLE=1\r\n") != std::string::npos);
        QVERIFY(text.find("HE_EDIT_COLOR=58\r\n") != std::string::npos);
        QVERIFY(text.find("LOF1=/b.s19\r\n") != std::string::npos);
    }

    // Closing while a sequence runs stops it first; the window goes on painting until the
    // sequence has ended, then closes without asking again.
    void ClosingWhileASequenceRunsStopsItFirst()
    {
        ShellFixture fixture("", RealTimeBoard());
        TProgShell& shell = fixture.Make();
        StartRealTimeRead(shell);
        fixture.boxes.answers = {BoxAnswer::No};
        QVERIFY(!shell.close());
        QVERIFY(shell.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!shell.isVisible(), 10000);
        QVERIFY(!shell.Sequences().Running());
        const StatusListModel& lines = shell.Status().Lines();
        QCOMPARE(lines.Line(lines.rowCount() - 1), std::string("0Read Sequence Interrupted."));
        QCOMPARE(fixture.boxes.shown.size(), std::size_t{1});
        QVERIFY(std::filesystem::exists(fixture.SettingsFile()));
    }

    // Reset to Default while a sequence runs: the sequence ends first, then the program
    // restarts without a question and without settings.
    void ResetToDefaultWhileASequenceRunsStopsItFirst()
    {
        ShellFixture fixture("", RealTimeBoard());
        TProgShell& shell = fixture.Make();
        StartRealTimeRead(shell);
        fixture.boxes.answers = {BoxAnswer::Yes};
        shell.findChild<QAction*>(QStringLiteral("ResDefSet"))->trigger();
        QCOMPARE(fixture.restarts, 0);
        QTRY_VERIFY_WITH_TIMEOUT(!shell.isVisible(), 10000);
        QCOMPARE(fixture.restarts, 1);
        QVERIFY(!shell.Sequences().Running());
        QCOMPARE(fixture.boxes.shown.size(), std::size_t{1});
        QVERIFY(!std::filesystem::exists(fixture.SettingsFile()));
    }

    // A first start places the editor's windows beside the main window, not over it, and a
    // start-and-close writes those places back, with the hex pane at its design width.
    void AFirstStartKeepsTheWindowsItPlaced()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        shell.LoadSettings();
        const QPoint editor = shell.HexEditor().geometry().topLeft();
        const QPoint description = shell.HexEditor().DescriptionWindow().geometry().topLeft();
        QVERIFY(editor != QPoint(32, 43));
        QVERIFY(description != QPoint(69, 71));
        shell.show();
        // The hex pane at its design width leaves the character pane room for all 16 bytes.
        shell.HexEditor().show();
        QVERIFY(QTest::qWaitForWindowExposed(&shell.HexEditor()));
        QCOMPARE(shell.HexEditor().CharPane().horizontalScrollBar()->maximum(), 0);
        QVERIFY(shell.close());
        const std::string text = testing::ReadFileBytes(fixture.SettingsFile());
        for (const std::string& line :
             {"H_WIN_POS_LEFT=" + std::to_string(editor.x()) + "\r\n", "H_WIN_POS_TOP=" + std::to_string(editor.y()) + "\r\n",
              std::string("H_SPLIT_POS_LEFT=365\r\n"), "E_WIN_POS_LEFT=" + std::to_string(description.x()) + "\r\n",
              "E_WIN_POS_TOP=" + std::to_string(description.y()) + "\r\n", std::string("P_WIN_POS_LEFT=6\r\n"),
              std::string("P_WIN_POS_TOP=49\r\n")}) {
            QVERIFY2(text.find(line) != std::string::npos, line.c_str());
        }
    }

    // The editor's windows are built when first shown: a run that never shows them writes
    // the settings file a run that showed and closed them writes, whether the file was there
    // before or not.
    void ARunThatNeverShowsTheEditorWritesTheSameSettings()
    {
        for (const bool fileBefore : {false, true}) {
            std::string shownRun;
            std::string unshownRun;
            for (const bool showEditor : {true, false}) {
                ShellFixture fixture;
                if (fileBefore) {
                    testing::WriteFileBytes(fixture.SettingsFile(),
                                            "H_WIN_POS_LEFT=120\r\nH_WIN_POS_TOP=140\r\nH_WIN_POS_WIDTH=500\r\n"
                                            "H_SPLIT_POS_LEFT=340\r\nE_WIN_POS_LEFT=300\r\nE_WIN_POS_TOP=90\r\n"
                                            "E_WIN_POS_WIDTH=420\r\n");
                }
                TProgShell& shell = fixture.Make();
                shell.LoadSettings();
                shell.show();
                if (showEditor) {
                    shell.HexEditor().show();
                    shell.HexEditor().DescriptionWindow().show();
                    QVERIFY(QTest::qWaitForWindowExposed(&shell.HexEditor()));
                    shell.HexEditor().DescriptionWindow().close();
                    shell.HexEditor().close();
                }
                QVERIFY(shell.close());
                (showEditor ? shownRun : unshownRun) = testing::ReadFileBytes(fixture.SettingsFile());
            }
            QVERIFY(!shownRun.empty());
            QCOMPARE(QString::fromStdString(unshownRun), QString::fromStdString(shownRun));
        }
    }

    // Stored geometry from another desktop, or damaged, puts every window onto the screen.
    void StoredGeometryIsFittedOntoTheScreen()
    {
        ShellFixture fixture;
        testing::WriteFileBytes(fixture.SettingsFile(),
                                "P_WIN_POS_LEFT=-368\r\nP_WIN_POS_TOP=-2215\r\nP_WIN_POS_HEIGHT=32767\r\n"
                                "H_WIN_POS_LEFT=5000\r\nH_WIN_POS_TOP=-40\r\nH_WIN_VISIBLE=1\r\n"
                                "E_WIN_POS_LEFT=-2000\r\nE_WIN_POS_TOP=3000\r\nE_WIN_VISIBLE=1\r\n");
        TProgShell& shell = fixture.Make();
        shell.LoadSettings();
        shell.show();
        QVERIFY(QTest::qWaitForWindowExposed(&shell));
        const QRect screen = shell.screen()->availableGeometry();
        for (const QWidget* window : std::initializer_list<const QWidget*>{
                 &shell, &shell.HexEditor(), &shell.HexEditor().DescriptionWindow()}) {
            QVERIFY2(screen.contains(window->frameGeometry()), qPrintable(window->objectName()));
        }
    }

    // A bad integer shows the conversion box; what came before it stays.
    void ABadIntegerShowsTheConversionErrorAndKeepsWhatCameBefore()
    {
        ShellFixture fixture;
        testing::WriteFileBytes(fixture.SettingsFile(), "P_WIN_POS_WIDTH=610\r\nH_WIN_POS_LEFT=abc\r\nLPT_PORT=LPT3\r\n");
        TProgShell& shell = fixture.Make();
        shell.LoadSettings();
        QCOMPARE(fixture.boxes.shown.size(), std::size_t{1});
        QCOMPARE(fixture.boxes.shown.front().kind, BoxKind::Error);
        QCOMPARE(shell.width(), 610);
        QCOMPARE(shell.Flow().Settings().program.lptPort, "LPT1");
    }

    // A bad value after the left edge: the box comes once the window stands where the file
    // put it (a box over a window not yet placed creates it, and a window manager then takes
    // the move as the inner position), so the left edge stays 100, the top keeps 49.
    void ABadValueKeepsTheEdgeBeforeItAndTheDefaultAfterIt()
    {
        ShellFixture fixture;
        testing::WriteFileBytes(fixture.SettingsFile(), "P_WIN_POS_LEFT=100\r\nP_WIN_POS_TOP=abc\r\n");
        TProgShell& shell = fixture.Make();
        QPoint atTheBox;
        fixture.boxes.onShow = [&] { atTheBox = shell.pos(); };
        shell.LoadSettings();
        QCOMPARE(fixture.boxes.shown.size(), std::size_t{1});
        QCOMPARE(atTheBox, QPoint(100, 49));
        shell.show();
        QCOMPARE(shell.pos(), QPoint(100, 49));
        QVERIFY(shell.close());
        const std::string text = testing::ReadFileBytes(fixture.SettingsFile());
        QVERIFY(text.find("P_WIN_POS_LEFT=100\r\nP_WIN_POS_TOP=49\r\n") != std::string::npos);
    }

    // A settings file that is a folder: a Warning line at start and the defaults.
    void ASettingsFileThatIsAFolderIsAWarningLine()
    {
        ShellFixture fixture;
        std::filesystem::create_directory(fixture.SettingsFile());
        TProgShell& shell = fixture.Make();
        shell.LoadSettings();
        const StatusListModel& lines = shell.Status().Lines();
        QCOMPARE(lines.Line(lines.rowCount() - 1),
                 "1" + fixture.SettingsFile().string() + " is not read: it is a folder; the defaults are used.");
        QCOMPARE(shell.Flow().Settings().program, ProgramSettings{});
    }

    // Settings that cannot be saved (here the settings file is a folder): one box at close
    // saying so and why; the window still closes.
    void SettingsThatCannotBeSavedAreToldOnceAndTheWindowStillCloses()
    {
        ShellFixture fixture;
        std::filesystem::create_directory(fixture.SettingsFile());
        TProgShell& shell = fixture.Make();
        shell.LoadSettings();
        shell.show();
        QVERIFY(shell.close());
        QVERIFY(!shell.isVisible());
        QCOMPARE(fixture.boxes.shown.size(), std::size_t{1});
        QCOMPARE(fixture.boxes.shown.front().kind, BoxKind::Warning);
        QCOMPARE(fixture.boxes.shown.front().text,
                 "The settings could not be saved to " + fixture.SettingsFile().string() + ": Is a directory.");
    }

    // A stored delay out of range is a Warning line and the nearest limit.
    void AStoredDelayOutOfRangeIsAWarningLine()
    {
        ShellFixture fixture;
        testing::WriteFileBytes(fixture.SettingsFile(), "LPT_DELAY=2147483647\r\n");
        TProgShell& shell = fixture.Make();
        shell.LoadSettings();
        QCOMPARE(shell.Flow().Settings().program.lptDelay, 50);
        const StatusListModel& lines = shell.Status().Lines();
        QCOMPARE(lines.Line(lines.rowCount() - 1),
                 "1" + fixture.SettingsFile().string() +
                     ": LPT_DELAY=2147483647 is out of range (0 to 50); 50 is used instead.");
        QVERIFY(fixture.boxes.shown.empty());
    }
};

} // namespace zav

QTEST_MAIN(zav::ShellCloseTest)
#include "shell_close_test.moc"
