#include <QAction>
#include <QButtonGroup>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QLabel>
#include <QTreeWidget>

#include <cstdlib>

#include "buffer/memory_buffer.h"
#include "ui/buffer/hex_edit_window.h"
#include "ui/buffer/verify_differences_window.h"
#include "ui/devices/dev_id_form.h"
#include "ui/sequences/sequence_runner.h"
#include "ui/shell/compare_command.h"
#include "ui/shell/safety_commands.h"
#include "ui/shell/status_list_model.h"
#include "ui/shell/status_win.h"
#include "shell_fixture.h"

namespace zav {

using testing::Lines;
using testing::OnNextModal;
using testing::SelectDevice;
using testing::ShellFixture;

namespace {

void WaitForTheEnd(TProgShell& shell, SequenceKind kind)
{
    QTRY_VERIFY_WITH_TIMEOUT(!shell.StartButton(kind)->isChecked() && shell.Flow().PortIdle(), 20000);
    QTRY_VERIFY(!shell.Sequences().Running());
}

void RunProgram(TProgShell& shell)
{
    QTest::mouseClick(shell.StartButton(SequenceKind::Program), Qt::LeftButton);
    WaitForTheEnd(shell, SequenceKind::Program);
}

QAction* ActionNamed(TProgShell& shell, const char* name)
{
    return shell.findChild<QAction*>(QString::fromLatin1(name));
}

std::size_t FilesIn(const std::filesystem::path& folder)
{
    if (!std::filesystem::exists(folder)) return 0;
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

} // namespace

class SafetyInWindowTest : public QObject {
    Q_OBJECT

private slots:
    // The backups go into the test's own folder.
    void init() { qputenv("XDG_DATA_HOME", QByteArray::fromStdString((data_.Path()).string())); }

    // A verify against a part holding something else: the failure is the last line, the
    // editor marks the cells, the differences window lists them, and choosing another
    // device drops them.
    void AFailedVerifyIsReportedMarkedAndListed()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        shell.show();
        SelectDevice(shell, 3, 0); // MC68HC11E9
        MemoryBuffer& buffer = shell.HexEditor().Buffer();
        buffer.BeginUpdate();
        for (std::int32_t address = 0xB600; address <= 0xB7FF; ++address) buffer.SetByte(address, 0x5A);
        buffer.EndUpdate();
        QTest::mouseClick(shell.OptionButton(SequenceOption::Verify), Qt::LeftButton);
        RunProgram(shell);

        const std::vector<std::string> lines = Lines(shell);
        QVERIFY2(lines.back().rfind("Verify failed: ", 0) == 0, lines.back().c_str());
        const std::size_t marked = shell.HexEditor().Differences().Marks().All().size();
        QVERIFY(marked > 0);
        ActionNamed(shell, "WindowVerifyDifferences")->trigger();
        QVERIFY(shell.Safety().VerifyDifferencesWindow()->isVisible());
        QCOMPARE(static_cast<std::size_t>(shell.Safety().VerifyDifferencesWindow()->List()->topLevelItemCount()), marked);

        // A blank check has its own result line; the verify's marks stay the verify's.
        ActionNamed(shell, "ToolBlankCheck")->trigger();
        WaitForTheEnd(shell, SequenceKind::Read);
        QCOMPARE(shell.HexEditor().Differences().Marks().All().size(), marked);
        QCOMPARE(static_cast<std::size_t>(shell.Safety().VerifyDifferencesWindow()->List()->topLevelItemCount()), marked);

        SelectDevice(shell, 0, 0);
        QVERIFY(shell.HexEditor().Differences().Marks().Empty());
        QCOMPARE(shell.Safety().VerifyDifferencesWindow()->List()->topLevelItemCount(), 0);
    }

    // An erase backs the part up first unless Program Options says no; Restore Backup
    // loads a backup from that folder into the buffer.
    void WritesAreBackedUpAndABackupComesBack()
    {
        ShellFixture fixture("LPT1=simulator\n");
        TProgShell& shell = fixture.Make();
        shell.show();
        SelectDevice(shell, 0, 0); // MC68HC05B6
        QTest::mouseClick(shell.OptionButton(SequenceOption::Erase), Qt::LeftButton);
        RunProgram(shell);
        const std::filesystem::path backups = data_.Path() / "zav" / "backups";
        QCOMPARE(FilesIn(backups), std::size_t{1});
        const std::filesystem::path backup = std::filesystem::directory_iterator(backups)->path();
        const std::vector<std::string> lines = Lines(shell);
        QVERIFY(std::find(lines.begin(), lines.end(), "Backup saved to " + backup.string()) != lines.end());

        shell.Flow().Settings().program.backupBeforeWrite = false;
        RunProgram(shell);
        QCOMPARE(FilesIn(backups), std::size_t{1});

        QString offered;
        shell.Safety().SetBackupChooser([&](QWidget*, const QString& folder) {
            offered = folder;
            return QString::fromStdString(backup.string());
        });
        ActionNamed(shell, "EditRestoreBackup")->trigger();
        QCOMPARE(offered.toStdString(), backups.string());
        QCOMPARE(Lines(shell).back(), std::string("The backup is in the buffer: program it to restore the part."));
    }

    // File > Compare With File marks where the buffer and a file differ, as a verify marks,
    // lists the cells, steps through them with F8 and sums them up, and loads nothing.
    void CompareWithFileMarksTheDifferencesAndLoadsNothing()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        shell.show();
        const std::filesystem::path file = fixture.folder / "image.hex";
        testing::WriteFileBytes(file, ":0400100001020304E2\r\n:00000001FF\r\n"); // 01 02 03 04 at 0x10
        testing::EditCell(shell, 0x11, "02");
        testing::EditCell(shell, 0x40, "99");
        shell.Compare().SetCompareChooser([&file](QWidget*) { return ChosenFile{QString::fromStdString(file.string())}; });
        ActionNamed(shell, "FileCompareWithFile")->trigger();

        THexEdit& editor = shell.HexEditor();
        QCOMPARE(Lines(shell).back(), std::string("3 cells differ, first at 0x0010"));
        QCOMPARE(editor.Buffer().GetByte(0x10), std::uint8_t{0x00});
        QCOMPARE(editor.Buffer().GetByte(0x40), std::uint8_t{0x99});
        QVERIFY(!editor.IsUndoEmpty());
        QTreeWidget* list = shell.Safety().VerifyDifferencesWindow()->List();
        QVERIFY(shell.Safety().VerifyDifferencesWindow()->isVisible());
        QCOMPARE(list->topLevelItemCount(), 3);
        QCOMPARE(list->headerItem()->text(2), QStringLiteral("File"));
        editor.SelectAddress(0);
        editor.Differences().NextAction()->trigger();
        QCOMPARE(editor.CursorAddress(), 0x10);
        QCOMPARE(editor.Differences().DevicePanel()->text(), QStringLiteral("File: 0x01"));

        // Typed to match the file, the buffer compares equal.
        for (const auto& [address, digits] : {std::pair{0x10, "01"}, {0x12, "03"}, {0x13, "04"}})
            testing::EditCell(shell, address, digits);
        ActionNamed(shell, "FileCompareWithFile")->trigger();
        QCOMPARE(Lines(shell).back(), std::string("No differences"));
        QCOMPARE(list->topLevelItemCount(), 0);
        QVERIFY(fixture.boxes.shown.empty());
    }

    // Tools > Blank Check takes the Read Start button for its run and leaves the buffer be.
    void BlankCheckRunsAsAReadWithoutTouchingTheBuffer()
    {
        ShellFixture fixture("LPT1=simulator\n");
        TProgShell& shell = fixture.Make();
        shell.show();
        SelectDevice(shell, 0, 0);
        MemoryBuffer& buffer = shell.HexEditor().Buffer();
        buffer.SetByte(0x0120, 0x33);
        ActionNamed(shell, "ToolBlankCheck")->trigger();
        QVERIFY(shell.StartButton(SequenceKind::Read)->isChecked());
        WaitForTheEnd(shell, SequenceKind::Read);
        const std::string last = Lines(shell).back();
        QVERIFY2(last == "Device is blank" || last.rfind("Device is not blank: ", 0) == 0, last.c_str());
        QCOMPARE(buffer.GetByte(0x0120), std::uint8_t{0x33});
    }

private:
    testing::TempFolder data_;
};

} // namespace zav

QTEST_MAIN(zav::SafetyInWindowTest)
#include "safety_in_window_test.moc"
