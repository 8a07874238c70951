#include <QButtonGroup>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <memory>
#include <set>

#include "buffer/memory_buffer.h"
#include "ui/buffer/hex_edit_window.h"
#include "ui/devices/dev_id_form.h"
#include "files/backup_folder.h"
#include "ui/sequences/sequence_runner.h"
#include "ui/shell/status_list_model.h"
#include "ui/shell/status_win.h"
#include "shell_fixture.h"

namespace zav {

using testing::Lines;
using testing::OnNextModal;
using testing::SelectDevice;
using testing::ShellFixture;

namespace {

bool Contains(const std::vector<std::string>& lines, const std::string& text)
{
    return std::find(lines.begin(), lines.end(), text) != lines.end();
}

// Clicks a Start button and waits until its sequence has put it up again.
void RunSequence(TProgShell& shell, SequenceKind kind)
{
    QPushButton* start = shell.StartButton(kind);
    QTest::mouseClick(start, Qt::LeftButton);
    QVERIFY(start->isChecked());
    QTRY_VERIFY_WITH_TIMEOUT(!start->isChecked() && shell.Flow().PortIdle(), 20000);
    QTRY_VERIFY(!shell.Sequences().Running());
}

std::set<std::filesystem::path> FilesIn(const std::filesystem::path& folder)
{
    std::set<std::filesystem::path> files;
    if (!std::filesystem::exists(folder)) return files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) files.insert(entry.path());
    return files;
}

} // namespace

class SequencesInWindowTest : public QObject {
    Q_OBJECT

private slots:
    // MC68HC11E9 chosen in Select Device; the buffer programmed into the simulated board on
    // LPT1, then read back into a cleared buffer: the same bytes come back.
    void ProgramThenReadBackThroughTheSimulatedBoard()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        shell.show();
        SelectDevice(shell, 3, 0);
        MemoryBuffer& buffer = shell.HexEditor().Buffer();
        std::vector<std::uint8_t> image;
        buffer.BeginUpdate();
        for (std::int32_t address = 0xB600; address <= 0xB7FF; ++address) {
            image.push_back(static_cast<std::uint8_t>(address * 7 + 3));
            buffer.SetByte(address, image.back());
        }
        buffer.EndUpdate();

        // The backup a program run takes first lands outside the home folder, whoever runs
        // the tests and however.
        const std::filesystem::path backups = DefaultBackupFolder();
        QVERIFY2(!testing::InHomeFolder(backups), backups.c_str());
        const std::set<std::filesystem::path> backupsBefore = FilesIn(backups);

        QTest::mouseClick(shell.OptionButton(SequenceOption::Program), Qt::LeftButton);
        QTest::mouseClick(shell.OptionButton(SequenceOption::Verify), Qt::LeftButton);
        fixture.boxes.answers = {BoxAnswer::No};
        RunSequence(shell, SequenceKind::Program);
        std::set<std::filesystem::path> newBackups;
        std::ranges::set_difference(FilesIn(backups), backupsBefore, std::inserter(newBackups, newBackups.end()));
        QCOMPARE(newBackups.size(), std::size_t{1});
        std::vector<std::string> lines = Lines(shell);
        QVERIFY(Contains(lines, "Program Sequence in Progress ..."));
        QVERIFY(Contains(lines, "LPT1 is the simulated board: no real device is read or programmed."));
        QVERIFY(Contains(lines, "Program Sequence completed successful"));
        for (const std::string& line : lines) QVERIFY2(line.find("Error") == std::string::npos, line.c_str());
        QCOMPARE(fixture.boxes.shown.size(), std::size_t{1}); // the CONFIG question
        QVERIFY2(shell.Flow().BufferSaved(), "programming only reads the buffer");
        QCOMPARE(shell.ProgBar()->value(), 0);

        buffer.BeginUpdate();
        for (std::int32_t address = 0xB600; address <= 0xB7FF; ++address) buffer.SetByte(address, 0);
        buffer.EndUpdate();
        shell.SeqWin1()->setCurrentIndex(1);
        QTest::mouseClick(shell.OptionButton(SequenceOption::Read), Qt::LeftButton);
        RunSequence(shell, SequenceKind::Read);
        QVERIFY(Contains(Lines(shell), "Read Sequence completed successful."));
        QVERIFY(!shell.Flow().BufferSaved());
        for (std::int32_t address = 0xB600; address <= 0xB7FF; ++address) {
            QCOMPARE(buffer.GetByte(address), image[static_cast<std::size_t>(address - 0xB600)]);
        }
        // The simulated notice comes before the sequence's first operation.
        lines = Lines(shell);
        const auto notice = std::find(lines.rbegin(), lines.rend(), "LPT1 is the simulated board: no real device is read or programmed.");
        const auto progress = std::find(lines.rbegin(), lines.rend(), "Read Sequence in Progress ...");
        QVERIFY(notice < progress);
    }

    // A ports map that cannot be read opens no port, not even one it might have given to the
    // simulator: the sequence ends at the open and says why, naming the file.
    void AnUnreadablePortsMapOpensNoPort()
    {
        ShellFixture fixture;
        const std::filesystem::path mapFile = fixture.folder / "ports";
        std::filesystem::remove(mapFile);
        std::filesystem::create_directory(mapFile);
        fixture.map = LoadPortsMap(mapFile);
        fixture.links = std::make_unique<PortsMapLinkFactory>(fixture.map);
        fixture.ports = std::make_unique<SystemPortListing>(fixture.map);
        TProgShell& shell = fixture.Make();
        shell.show();
        SelectDevice(shell, 3, 0);
        shell.SeqWin1()->setCurrentIndex(1);
        QTest::mouseClick(shell.OptionButton(SequenceOption::Read), Qt::LeftButton);
        RunSequence(shell, SequenceKind::Read);
        const std::vector<std::string> lines = Lines(shell);
        QVERIFY(Contains(lines, "Error opening port: LPT1"));
        QVERIFY(
            Contains(lines, "the ports map " + mapFile.string() +
                                " cannot be read: it is a folder; no port is opened until it is mended or "
                                "removed."));
        QVERIFY(!Contains(lines, "LPT1 is the simulated board: no real device is read or programmed."));
        QVERIFY(!Contains(lines, "Read Sequence completed successful."));
    }

    // A second Start while one sequence owns the port stays up and leaves the first alone.
    void AStartWhileTheOtherSequenceRunsStaysUp()
    {
        ShellFixture fixture("LPT1=simulator\n");
        TProgShell& shell = fixture.Make();
        shell.show();
        SelectDevice(shell, 0, 0);
        QTest::mouseClick(shell.OptionButton(SequenceOption::Erase), Qt::LeftButton);
        QTest::mouseClick(shell.StartButton(SequenceKind::Program), Qt::LeftButton);
        QVERIFY(!shell.Flow().PortIdle());
        QTest::mouseClick(shell.StartButton(SequenceKind::Read), Qt::LeftButton);
        QVERIFY(!shell.StartButton(SequenceKind::Read)->isChecked());
        QVERIFY(shell.StartButton(SequenceKind::Program)->isChecked());
        QTRY_VERIFY_WITH_TIMEOUT(!shell.StartButton(SequenceKind::Program)->isChecked(), 20000);
        QVERIFY(Contains(Lines(shell), "Program Sequence completed successful"));
        QVERIFY(!Contains(Lines(shell), "Read Sequence Interrupted."));
    }

    // Releasing a Start button stops its sequence, also while the sequence waits on the
    // CONFIG question; the window keeps working and reports the interruption.
    void StopWhileTheSequenceWaitsOnABox()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        shell.show();
        SelectDevice(shell, 3, 0);
        QTest::mouseClick(shell.OptionButton(SequenceOption::Program), Qt::LeftButton);
        QPushButton* start = shell.StartButton(SequenceKind::Program);
        // The box the worker raised is up: the user's Stop arrives.
        fixture.boxes.onShow = [start] { start->click(); };
        QTest::mouseClick(start, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!start->isChecked() && shell.Flow().PortIdle() && !shell.Sequences().Running(), 20000);
        const std::vector<std::string> lines = Lines(shell);
        QVERIFY(Contains(lines, "Program Sequence Interrupted."));
        QVERIFY(!Contains(lines, "Program Sequence completed successful"));
    }
};

} // namespace zav

QTEST_MAIN(zav::SequencesInWindowTest)
#include "sequences_in_window_test.moc"
