#include <QAction>
#include <QClipboard>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>

#include "buffer/memory_buffer.h"
#include "ui/buffer/hex_edit_window.h"
#include "ui/files/load_file_form.h"
#include "ui/shell/file_commands.h"
#include "ui/shell/message_list_menu.h"
#include "ui/shell/safety_commands.h"
#include "ui/shell/status_list_model.h"
#include "ui/shell/status_win.h"
#include "shell_fixture.h"

namespace zav {

using testing::OnNextModal;
using testing::ReadFileBytes;
using testing::ShellFixture;
using testing::WriteFileBytes;

namespace {

constexpr const char* kIntelHex = ":0400100001020304E2\r\n:00000001FF\r\n";

std::string LastLine(TProgShell& shell)
{
    const StatusListModel& lines = shell.Status().Lines();
    return lines.rowCount() == 0 ? std::string() : lines.Line(lines.rowCount() - 1).substr(1);
}

QAction* FindAction(TProgShell& shell, const char* name)
{
    return shell.findChild<QAction*>(QString::fromLatin1(name));
}

// Confirms the next open dialog as it comes up, with the path it shows.
void ConfirmNextOpenDialog()
{
    OnNextModal<TLoadf>([](TLoadf& dialog) { dialog.findChild<QPushButton*>(QStringLiteral("Button2"))->click(); });
}

// Every way a file reaches the buffer. `answered` says the load will go ahead, so any dialog
// it opens must be confirmed.
struct LoadRoute {
    const char* name;
    std::function<void(TProgShell& shell, const std::string& path, bool answered)> load;
};

std::vector<LoadRoute> LoadRoutes()
{
    return {
        {"File > Open",
         [](TProgShell& shell, const std::string& path, bool answered) {
             if (answered) {
                 OnNextModal<TLoadf>([path](TLoadf& dialog) {
                     dialog.PresetPath(QString::fromStdString(path));
                     dialog.findChild<QPushButton*>(QStringLiteral("Button2"))->click();
                 });
             }
             FindAction(shell, "EditOpenFile")->trigger();
         }},
        {"File > Recent Files",
         [](TProgShell& shell, const std::string& path, bool answered) {
             shell.Flow().Settings().program.RecentFiles = {path};
             if (answered) ConfirmNextOpenDialog();
             shell.Files().OpenRecentFile(path);
         }},
        {"a drop or the command line",
         [](TProgShell& shell, const std::string& path, bool) { shell.Files().OpenFileFromDesktop(QString::fromStdString(path)); }},
        {"File > Restore Backup",
         [](TProgShell& shell, const std::string& path, bool) {
             shell.Safety().SetBackupChooser([path](QWidget*, const QString&) { return QString::fromStdString(path); });
             FindAction(shell, "EditRestoreBackup")->trigger();
         }},
    };
}

} // namespace

class ShellExtrasTest : public QObject {
    Q_OBJECT

private slots:
    // Restore Backup's folder goes into the test's own.
    void init() { qputenv("XDG_DATA_HOME", QByteArray::fromStdString(data_.Path().string())); }

    // Each way of loading asks about unsaved edits first: Cancel keeps the edits and their
    // Undo, No loads, Yes loads only after the edits were saved.
    void ALoadAsksBeforeItReplacesUnsavedEdits()
    {
        for (const LoadRoute& route : LoadRoutes()) {
            ShellFixture fixture;
            TProgShell& shell = fixture.Make();
            shell.show();
            const std::string path = (fixture.folder / "image.hex").string();
            WriteFileBytes(path, kIntelHex);
            testing::EditCell(shell, 0x13, "77");

            fixture.boxes.answers = {BoxAnswer::Cancel};
            route.load(shell, path, false);
            QVERIFY2(shell.HexEditor().Buffer().GetByte(0x13) == 0x77, route.name);
            QVERIFY2(!shell.HexEditor().IsUndoEmpty(), route.name);
            QCOMPARE(fixture.boxes.Texts(), std::vector<std::string>{"Save buffer to file ?"});

            // Yes with a save that is cancelled loads nothing.
            fixture.boxes.answers = {BoxAnswer::Yes};
            testing::SaveOnNextDialog(std::nullopt);
            route.load(shell, path, false);
            QVERIFY2(shell.HexEditor().Buffer().GetByte(0x13) == 0x77, route.name);

            fixture.boxes.answers = {BoxAnswer::No};
            route.load(shell, path, true);
            QTRY_VERIFY2(shell.HexEditor().Buffer().GetByte(0x13) == 0x04, route.name);
            QVERIFY2(shell.HexEditor().IsUndoEmpty(), route.name);
            QCOMPARE(fixture.boxes.shown.size(), std::size_t{3});
        }
    }

    // Yes saves the edits, then loads; the next load has nothing to ask about.
    void YesSavesTheEditsBeforeTheLoad()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        shell.show();
        const std::string path = (fixture.folder / "image.hex").string();
        WriteFileBytes(path, kIntelHex);
        testing::EditCell(shell, 0x13, "77");
        fixture.boxes.answers = {BoxAnswer::Yes};
        const std::filesystem::path saved = fixture.folder / "edits.zef";
        testing::SaveOnNextDialog(saved);
        shell.Files().OpenFileFromDesktop(QString::fromStdString(path));
        QCOMPARE(shell.HexEditor().Buffer().GetByte(0x13), 0x04);
        QVERIFY(std::filesystem::exists(saved));
        shell.Files().OpenFileFromDesktop(QString::fromStdString(path));
        QCOMPARE(fixture.boxes.shown.size(), std::size_t{1});
    }

    // The Recent Files menu is enabled by the files the settings name and by a load, without
    // having to be opened first; the open dialog's own list fills its path field.
    void RecentFilesAreOfferedOnceThereAreAny()
    {
        ShellFixture fixture;
        const std::string path = (fixture.folder / "image.hex").string();
        WriteFileBytes(path, kIntelHex);
        testing::WriteFileBytes(fixture.SettingsFile(), "LOF0=" + path + "\r\nLOF1=/b.s19\r\nLOF2=/c.zef\r\n");
        TProgShell& shell = fixture.Make();
        QVERIFY(!shell.Files().RecentFilesMenu()->isEnabled());
        shell.LoadSettings();
        QVERIFY(shell.Files().RecentFilesMenu()->isEnabled());

        ShellFixture empty;
        TProgShell& fresh = empty.Make();
        fresh.LoadSettings();
        QVERIFY(!fresh.Files().RecentFilesMenu()->isEnabled());
        fresh.Files().OpenFileFromDesktop(QString::fromStdString(path));
        QVERIFY(fresh.Files().RecentFilesMenu()->isEnabled());

        QString shownPath;
        OnNextModal<TLoadf>([&shownPath](TLoadf& dialog) {
            auto* list = dialog.findChild<QMenu*>(QStringLiteral("OpenedFileList"));
            dialog.findChild<QToolButton*>(QStringLiteral("Button4"))->click();
            QTRY_VERIFY(list->isVisible());
            list->actions().at(0)->trigger();
            shownPath = dialog.findChild<QLineEdit*>(QStringLiteral("Edit1"))->text();
            list->hide();
            dialog.reject();
        });
        FindAction(shell, "EditOpenFile")->trigger();
        QCOMPARE(shownPath.toStdString(), path);
    }

    void AFileFromTheDesktopOrADropLoadsWithTheDialogsDefaults()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        shell.show();
        const std::string path = (fixture.folder / "image.hex").string();
        WriteFileBytes(path, kIntelHex);
        shell.Files().OpenFileFromDesktop(QString::fromStdString(path));
        QCOMPARE(shell.HexEditor().Buffer().GetByte(0x0013), 0x04);
        QCOMPARE(LastLine(shell), std::string("Read file complete"));
        QCOMPARE(shell.Flow().Settings().program.RecentFiles.front(), path);

        WriteFileBytes(fixture.folder / "other.hex", ":01002000AA35\r\n:00000001FF\r\n");
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString((fixture.folder / "other.hex").string()))});
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        // Qt delivers a drop to the window that accepted the drag's entry.
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&shell, &enter);
        QVERIFY(enter.isAccepted());
        QApplication::sendEvent(&shell, &drop);
        // The load comes once the drop has ended.
        QTRY_COMPARE(shell.HexEditor().Buffer().GetByte(0x0020), 0xAA);
        const int lines = shell.Status().LineCount();
        emit shell.HexEditor().FileDropped(QString::fromStdString((fixture.folder / "gone.hex").string()));
        QTRY_COMPARE(shell.Status().LineCount(), lines + 1);
        QCOMPARE(shell.Status().Lines().Line(shell.Status().LineCount() - 1).front(), '2'); // an error line
        QVERIFY(fixture.boxes.shown.empty());
    }

    void RecentFilesOpenTheDialogPresetWithTheirPath()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        std::vector<std::string>& recent = shell.Flow().Settings().program.RecentFiles;
        for (int index = 0; index < 7; ++index) {
            std::string name = "f";
            name += std::to_string(index);
            recent.push_back((fixture.folder / name).string());
        }
        WriteFileBytes(recent[1], kIntelHex);
        QMenu* menu = shell.Files().RecentFilesMenu();
        emit menu->aboutToShow();
        QCOMPARE(menu->actions().size(), 5);

        QString shownPath;
        OnNextModal<TLoadf>([&shownPath](TLoadf& dialog) {
            shownPath = dialog.findChild<QLineEdit*>(QStringLiteral("Edit1"))->text();
            dialog.reject();
        });
        menu->actions().at(1)->trigger();
        QCOMPARE(shownPath.toStdString(), recent[1]);
    }

    // Recent paths are the file system's bytes (UTF-8), not Latin-1 buffer text.
    void ARecentFileNamedOutsideLatin1IsShownAndOpenedByItsName()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        const std::string path = (fixture.folder / "\xC3\xBC\x62\x65rlauf \xE2\x82\xAC.hex").string();
        WriteFileBytes(path, kIntelHex);
        shell.Flow().Settings().program.RecentFiles = {path};
        QMenu* menu = shell.Files().RecentFilesMenu();
        emit menu->aboutToShow();
        QVERIFY(menu->actions().at(0)->text().endsWith(QString::fromUtf8("\xC3\xBC\x62\x65rlauf \xE2\x82\xAC.hex")));

        QString shownPath;
        OnNextModal<TLoadf>([&shownPath](TLoadf& dialog) {
            shownPath = dialog.findChild<QLineEdit*>(QStringLiteral("Edit1"))->text();
            dialog.reject();
        });
        menu->actions().at(0)->trigger();
        QCOMPARE(shownPath, QString::fromUtf8(path.c_str()));
        QVERIFY(fixture.boxes.shown.empty());
    }

    void MessageListMenuCopiesSavesAndClears()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        shell.Status().AddStatusMessage("first", StatusKind::Normal);
        shell.Status().AddStatusMessage("second", StatusKind::Error);
        shell.Status().SelectLastLine();
        MessageListMenu& menu = shell.MessageMenu();
        const QList<QAction*> items = menu.Menu()->actions();
        const auto item = [&items](const char* text) {
            for (QAction* action : items) {
                if (QString(action->text()).remove(QLatin1Char('&')) == QLatin1String(text)) return action;
            }
            qFatal("no item %s", text);
        };
        item("Copy")->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("second\n"));
        item("Copy All")->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("first\nsecond\n"));

        const auto target = fixture.folder / "messages.txt";
        menu.SetFileChooser([&target](QWidget*) { return ChosenFile{QString::fromStdString(target.string()), 1}; });
        item("Save As ...")->trigger();
        QCOMPARE(ReadFileBytes(target), std::string("first\r\nsecond\r\n"));
        item("Clear")->trigger();
        QCOMPARE(shell.Status().LineCount(), 0);
    }

    // While a sequence owns the port the interlocked commands are disabled; the running
    // sequence's own Start button stays, to stop it.
    void ABusyPortDisablesTheCommandsItWouldRefuse()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        QPushButton* read = shell.StartButton(SequenceKind::Read);
        QPushButton* program = shell.StartButton(SequenceKind::Program);
        const auto interlocked = [&] {
            return std::vector<bool>{program->isEnabled(), shell.DeviceIDButton()->isEnabled(),
                                     FindAction(shell, "EditPrint")->isEnabled(),
                                     FindAction(shell, "ToolLPT")->isEnabled()};
        };
        shell.Flow().SetPortIdle(false);
        read->setChecked(true);
        QCOMPARE(interlocked(), (std::vector<bool>{false, false, false, false}));
        QVERIFY(read->isEnabled());

        // The program page in view: its disabled Start ignores the key.
        shell.SeqWin1()->setCurrentIndex(0);
        QSignalSpy programClicks(program, &QPushButton::clicked);
        FindAction(shell, "StartStopSequence")->trigger();
        QCOMPARE(programClicks.count(), 0);

        shell.Flow().SetPortIdle(true);
        read->setChecked(false);
        QCOMPARE(interlocked(), (std::vector<bool>{true, true, true, true}));
    }

    // F9 presses the Start button of the page in view: a read runs and ends by itself.
    void TheStartStopKeyPressesTheVisiblePagesStart()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        shell.show();
        shell.SeqWin1()->setCurrentIndex(1);
        QPushButton* read = shell.StartButton(SequenceKind::Read);
        QSignalSpy readClicks(read, &QPushButton::clicked);
        FindAction(shell, "StartStopSequence")->trigger();
        QCOMPARE(readClicks.count(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(!read->isChecked() && shell.Flow().PortIdle(), 20000);
        QTRY_VERIFY(shell.StartButton(SequenceKind::Program)->isEnabled());
    }

private:
    testing::TempFolder data_;
};

} // namespace zav

QTEST_MAIN(zav::ShellExtrasTest)
#include "shell_extras_test.moc"
