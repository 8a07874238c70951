#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QFile>
#include <QSlider>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QRegularExpression>
#include <QScreen>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include "buffer/memory_buffer.h"
#include "ui/buffer/explaine_window.h"
#include "ui/buffer/hex_edit_window.h"
#include "ui/buffer/hex_grid_view.h"
#include "ui/devices/dev_id_form.h"
#include "ui/sequences/sequence_runner.h"
#include "ui/shell/help_window.h"
#include "ui/shell/lpt_set.h"
#include "ui/shell/status_list_model.h"
#include "ui/shell/status_win.h"
#include "shell_fixture.h"

namespace zav {

using testing::OnNextModal;
using testing::SelectDevice;
using testing::ShellFixture;

namespace {

// The caption as the menu shows it: a single "&" underlines the next letter, "&&" is one "&".
QString Visible(QString caption)
{
    return caption.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&'))
        .replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

// Menu captions as shown, with "-" for separators.
QStringList Captions(const QList<QAction*>& actions)
{
    QStringList captions;
    for (const QAction* action : actions) {
        captions << (action->isSeparator() ? QStringLiteral("-") : Visible(action->text()));
    }
    return captions;
}

QMenu* Menu(TProgShell& shell, const QString& title)
{
    for (QAction* action : shell.menuBar()->actions()) {
        if (action->text() == title) return action->menu();
    }
    return nullptr;
}

QAction* Action(TProgShell& shell, const char* name)
{
    return shell.findChild<QAction*>(QString::fromLatin1(name));
}

} // namespace

class ProgShellTest : public QObject {
    Q_OBJECT

private slots:
    void CaptionMenusAndToolBarInTheirOrder()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        QCOMPARE(shell.windowTitle(), QStringLiteral("ZAV Zoruruzad Irodozeziz"));
        QStringList titles;
        for (const QAction* title : shell.menuBar()->actions()) titles << title->text();
        QCOMPARE(titles, (QStringList{"&File", "E&dit", "&Tools", "&Window", "&Help"}));
        QCOMPARE(Captions(Menu(shell, "&File")->actions()),
                 (QStringList{"Open", "Save", "Recent Files", "Restore Backup ...", "Compare With File ...", "-",
                              "Print", "-", "Exit"}));
        QCOMPARE(Captions(Menu(shell, "&Tools")->actions()),
                 (QStringList{"Hex Editor Options ...", "Ports Options ...", "Blank Check", "-", "Reset to Default"}));
        QCOMPARE(Captions(Menu(shell, "&Window")->actions()),
                 (QStringList{"Hex Editor", "Description", "Verify Differences", "Data Inspector"}));
        QCOMPARE(Captions(Menu(shell, "&Help")->actions()), (QStringList{"User Manual", "-", "About ..."}));
        const QStringList edit = Captions(Menu(shell, "E&dit")->actions());
        // With Redo, Replace, the three bookmark commands and the two difference commands.
        QCOMPARE(edit.size(), 22);
        QCOMPARE(edit.count(QStringLiteral("-")), 5);
        QCOMPARE(edit.at(1), QStringLiteral("Redo"));
        QCOMPARE(edit.at(2), QStringLiteral("-"));

        const QList<QAction*> tools = shell.ToolBar1()->actions();
        QCOMPARE(tools.size(), 16);
        QCOMPARE(tools.at(0), Action(shell, "ShowEditor"));
        QCOMPARE(tools.at(1), shell.HexEditor().Action(EditorAction::Property));
        QVERIFY(tools.at(2)->isSeparator());
        QCOMPARE(Captions(tools.mid(3, 4)), (QStringList{"Open", "Save", "Print", "User Manual"}));
        QVERIFY(tools.at(7)->isSeparator());
        QCOMPARE(tools.at(8), shell.HexEditor().Action(EditorAction::Copy));
        QCOMPARE(tools.at(15), shell.HexEditor().Action(EditorAction::GoToAddr));
        for (QAction* action : tools) QVERIFY(action->isSeparator() || !action->icon().isNull());
    }

    // The keys of the menus, plus the desktop's usual ones beside them.
    void ShortcutsIncludeTheDesktopKeys()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        const auto keys = [&shell](const char* name) {
            QStringList texts;
            for (const QKeySequence& key : Action(shell, name)->shortcuts()) texts << key.toString();
            return texts;
        };
        QCOMPARE(keys("EditOpenFile"), (QStringList{"F3", "Ctrl+O"}));
        QCOMPARE(keys("EditSaveFile"), (QStringList{"F2", "Ctrl+S"}));
        QCOMPARE(keys("EditPrint"), (QStringList{"Ctrl+P"}));
        QCOMPARE(keys("EditExit"), (QStringList{"Alt+X", "Ctrl+Q"}));
        QCOMPARE(keys("ShowEditor"), (QStringList{"Alt+E"}));
        QCOMPARE(keys("HelpProg"), (QStringList{"F1"}));
    }

    // Alt+E shows and closes the editor at the first press; the Edit menu opens with Alt+D.
    void AltETogglesTheEditorAndAltDOpensTheEditMenu()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("Ambiguous shortcut")));
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        shell.show();
        QVERIFY(QTest::qWaitForWindowActive(&shell));
        QTest::keyClick(&shell, Qt::Key_E, Qt::AltModifier);
        QVERIFY(shell.HexEditor().isVisible());
        shell.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&shell));
        QTest::keyClick(&shell, Qt::Key_E, Qt::AltModifier);
        QVERIFY(!shell.HexEditor().isVisible());

        QTest::keyClick(&shell, Qt::Key_D, Qt::AltModifier);
        QTRY_VERIFY(Menu(shell, "E&dit")->isVisible());
        Menu(shell, "E&dit")->close();
    }

    // Every item of every menu has a letter of its own within its menu.
    void EveryMenuItemHasItsOwnUnderlinedLetter()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        for (const QAction* title : shell.menuBar()->actions()) {
            QSet<QChar> letters;
            for (const QAction* item : title->menu()->actions()) {
                if (item->isSeparator()) continue;
                const QString text = item->text();
                const auto mark = text.indexOf(QLatin1Char('&'));
                QVERIFY2(mark >= 0 && mark + 1 < text.size(), qPrintable(title->text() + ": " + text));
                QVERIFY2(!letters.contains(text.at(mark + 1).toLower()), qPrintable(title->text() + ": " + text));
                letters.insert(text.at(mark + 1).toLower());
            }
        }
    }

    // From the keyboard alone: Alt+H opens Help, A then opens About.
    void AltHThenAOpensAbout()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        shell.show();
        QVERIFY(QTest::qWaitForWindowActive(&shell));
        QTest::keyClick(&shell, Qt::Key_H, Qt::AltModifier);
        QTRY_VERIFY(Menu(shell, "&Help")->isVisible());
        bool opened = false;
        OnNextModal<QDialog>([&opened](QDialog& about) {
            opened = about.windowTitle() == QStringLiteral("About");
            about.accept();
        });
        QTest::keyClick(Menu(shell, "&Help"), Qt::Key_A);
        QTRY_VERIFY(opened);
    }

    // Alt+E closes the editor also when pressed inside it, where the focus is after opening it.
    void AltEInsideTheEditorClosesIt()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("Ambiguous shortcut")));
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        shell.show();
        QVERIFY(QTest::qWaitForWindowActive(&shell));
        QTest::keyClick(&shell, Qt::Key_E, Qt::AltModifier);
        THexEdit& editor = shell.HexEditor();
        editor.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        editor.HexPane().setFocus();
        QTest::keyClick(&editor.HexPane(), Qt::Key_E, Qt::AltModifier);
        QVERIFY(!editor.isVisible());
        QVERIFY(!Action(shell, "ShowEditor")->isChecked());
    }

    // About, Select Device and Ports Setup open in the middle of the desktop, not of the main
    // window, and in the same place every time.
    void DialogsOpenCentredOnTheDesktop()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        shell.show();
        QVERIFY(QTest::qWaitForWindowExposed(&shell));
        const QPoint middle = shell.screen()->availableGeometry().center();
        QVERIFY(shell.frameGeometry().center() != middle);
        const std::pair<const char*, std::function<void()>> openers[] = {
            {"About", [&shell] { Action(shell, "HelpAbout")->trigger(); }},
            {"Select Device", [&shell] { shell.DeviceIDButton()->click(); }},
            {"Ports Setup", [&shell] { Action(shell, "ToolLPT")->trigger(); }},
        };
        for (const auto& [caption, open] : openers) {
            QRect first;
            for (int time = 0; time < 3; ++time) {
                QRect frame;
                OnNextModal<QDialog>([&frame](QDialog& dialog) {
                    frame = dialog.frameGeometry();
                    dialog.reject();
                });
                open();
                QVERIFY2((frame.center() - middle).manhattanLength() <= 2, caption);
                if (time == 0) first = frame;
                QCOMPARE(frame, first);
            }
        }
    }

    // The hint of what the pointer rests on goes to the hint bar.
    void HintsGoToTheHintBar()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        Action(shell, "EditSaveFile")->showStatusText(&shell);
        QCOMPARE(shell.HelpHint()->text(), QStringLiteral("Save Current File"));
        QStatusTipEvent tip(shell.DeviceIDValue()->statusTip());
        QApplication::sendEvent(shell.DeviceIDValue(), &tip);
        QCOMPARE(shell.HelpHint()->text(), QStringLiteral("Device ID/Mode of Operation"));
        QCOMPARE(shell.StartButton(SequenceKind::Read)->statusTip(), QStringLiteral("Start Sequence"));
        QCOMPARE(shell.OptionButton(SequenceOption::Erase)->statusTip(), QStringLiteral("EEPROM ON/OFF"));
        QVERIFY(shell.OptionButton(SequenceOption::Lock)->statusTip().isEmpty());
    }

    void StartsWithoutDeviceOptionsDisabledAndTheListFocused()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        shell.show();
        QVERIFY(QTest::qWaitForWindowActive(&shell));
        QCOMPARE(shell.DeviceIDValue()->text(), QStringLiteral("No device selected"));
        for (SequenceOption option : {SequenceOption::Erase, SequenceOption::Program, SequenceOption::Verify,
                                      SequenceOption::Read, SequenceOption::Lock, SequenceOption::Unlock}) {
            QVERIFY(!shell.OptionButton(option)->isEnabled());
        }
        QVERIFY(shell.StartButton(SequenceKind::Read)->isEnabled());
        QCOMPARE(shell.SeqWin1()->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&shell.Status()));
        QCOMPARE(shell.geometry().size(), QSize(552, 263));
        QCOMPARE(shell.ProgBar()->maximum(), 100);
    }

    // Lock and Unlock: at most one down, and both may be up.
    void LockAndUnlockExcludeEachOther()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        SelectDevice(shell, 3, 0);
        QPushButton* lock = shell.OptionButton(SequenceOption::Lock);
        QPushButton* unlock = shell.OptionButton(SequenceOption::Unlock);
        QTest::mouseClick(lock, Qt::LeftButton);
        QVERIFY(lock->isChecked());
        QTest::mouseClick(unlock, Qt::LeftButton);
        QVERIFY(unlock->isChecked() && !lock->isChecked());
        QTest::mouseClick(unlock, Qt::LeftButton);
        QVERIFY(!unlock->isChecked() && !lock->isChecked());
        // A pressed toggle stays pressed (and disabled) on a device without Lock.
        QTest::mouseClick(lock, Qt::LeftButton);
        SelectDevice(shell, 2, 0);
        QVERIFY(lock->isChecked() && !lock->isEnabled());
    }

    // The Select Device dialog's choice becomes the device; choosing it again changes nothing.
    void SelectingADeviceAppliesItOnlyWhenItChanges()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        SelectDevice(shell, 3, 0);
        QCOMPARE(shell.DeviceIDValue()->text(), QStringLiteral("MC68HC11E9"));
        MemoryBuffer& buffer = shell.HexEditor().Buffer();
        int implemented = 0;
        for (std::int32_t address = 0; address <= 0xFFFF; ++address) implemented += buffer.IsUnimplemented(address) ? 0 : 1;
        QCOMPARE(implemented, 513);
        QVERIFY(shell.OptionButton(SequenceOption::Lock)->isEnabled());
        buffer.SetByte(0xB600, 0x5A);

        // The dialog remembers its board and device; OK at once re-confirms the same device.
        OnNextModal<TDevIdForm>([](TDevIdForm& form) {
            QCOMPARE(form.HardBoard()->checkedId(), 3);
            form.accept();
        });
        shell.DeviceIDButton()->click();
        QCOMPARE(buffer.GetByte(0xB600), 0x5A);

        // OK without a device answers Cancel: nothing changes.
        OnNextModal<TDevIdForm>([](TDevIdForm& form) {
            form.HardBoard()->button(4)->click();
            form.accept();
        });
        shell.DeviceIDButton()->click();
        QCOMPARE(shell.DeviceIDValue()->text(), QStringLiteral("MC68HC11E9"));
    }

    // While the port is busy, Print, Ports Options, the device button and both Start
    // buttons do nothing, without a word.
    void ABusyPortRefusesItsCommandsSilently()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        shell.Flow().SetPortIdle(false);
        shell.DeviceIDButton()->click();
        QVERIFY(shell.findChild<TDevIdForm*>() == nullptr);
        Action(shell, "ToolLPT")->trigger();
        QVERIFY(shell.findChild<TLptSet*>() == nullptr);
        Action(shell, "EditPrint")->trigger();
        for (SequenceKind kind : {SequenceKind::Read, SequenceKind::Program}) {
            QTest::mouseClick(shell.StartButton(kind), Qt::LeftButton);
            QVERIFY(!shell.StartButton(kind)->isChecked());
        }
        QVERIFY(!shell.Sequences().Running());
        QVERIFY(fixture.boxes.shown.empty());
        QVERIFY2(shell.Flow().BufferSaved(), "a refused read changes nothing");
        shell.Flow().SetPortIdle(true);
    }

    // Ports Setup lists the simulated ports, stores OK and drops Cancel.
    void PortsSetupStoresOkAndDropsCancel()
    {
        ShellFixture fixture("LPT1=simulator\nLPT3=simulator\nCOM2=simulator\n");
        TProgShell& shell = fixture.Make();
        shell.Flow().Settings().program.comPort = "COM2";
        OnNextModal<TLptSet>([](TLptSet& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Ports Setup"));
            QVERIFY(dialog.ComboBox1()->count() >= 2);
            QCOMPARE(dialog.ComboBox1()->findText(QStringLiteral("LPT3")) > 0, true);
            QCOMPARE(dialog.ComboBox2()->currentText(), QStringLiteral("COM2"));
            QCOMPARE(dialog.TrackBar1()->value(), 5);
            QCOMPARE(dialog.TrackBar1()->maximum(), 50);
            QCOMPARE(dialog.TrackBar1()->tickInterval(), 5);
            dialog.ComboBox1()->setCurrentIndex(dialog.ComboBox1()->findText(QStringLiteral("LPT3")));
            dialog.TrackBar1()->setValue(50);
            dialog.accept();
        });
        Action(shell, "ToolLPT")->trigger();
        QCOMPARE(shell.Flow().Settings().program.lptPort, "LPT3");
        QCOMPARE(shell.Flow().Settings().program.lptDelay, 50);
        QVERIFY(shell.Flow().PortIdle());

        OnNextModal<TLptSet>([](TLptSet& dialog) {
            dialog.TrackBar1()->setValue(0);
            dialog.reject();
        });
        Action(shell, "ToolLPT")->trigger();
        QCOMPARE(shell.Flow().Settings().program.lptDelay, 50);
    }

    // Tab walks Ports Setup from top to bottom: LPT list, slider, COM list, OK, Cancel.
    void PortsSetupTabFollowsTheControlsTopToBottom()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        QStringList visited;
        OnNextModal<TLptSet>([&visited](TLptSet& dialog) {
            // A loaded machine may run this before the dialog has taken the focus.
            if (QTest::qWaitForWindowActive(&dialog) && QApplication::focusWidget() != nullptr) {
                for (int step = 0; step < 5; ++step) {
                    visited << QApplication::focusWidget()->objectName();
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                }
            }
            dialog.reject();
        });
        Action(shell, "ToolLPT")->trigger();
        QCOMPARE(visited, (QStringList{"ComboBox1", "TrackBar1", "ComboBox2", "Button1", "Button2"}));
    }

    void ShowEditorTogglesTheEditorWindow()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        QAction* showEditor = Action(shell, "ShowEditor");
        showEditor->trigger();
        QVERIFY(shell.HexEditor().isVisible());
        QVERIFY(showEditor->isChecked());
        showEditor->trigger();
        QVERIFY(!shell.HexEditor().isVisible());
        QVERIFY(!showEditor->isChecked());
        // Closed by its own close box, the editor still unchecks the button.
        shell.HexEditor().show();
        QVERIFY(showEditor->isChecked());
        shell.HexEditor().close();
        QVERIFY(!showEditor->isChecked());
    }

    // Hex Editor Options shows a hidden editor for the dialog's time only.
    void HexEditorOptionsShowsTheEditorForTheDialogOnly()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        bool shownDuringDialog = false;
        OnNextModal<QDialog>([&](QDialog& dialog) {
            shownDuringDialog = shell.HexEditor().isVisible();
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Hex Editor Options"));
            dialog.reject();
        });
        Action(shell, "ToolEditor")->trigger();
        QVERIFY(shownDuringDialog);
        QVERIFY(!shell.HexEditor().isVisible());

        shell.HexEditor().show();
        OnNextModal<QDialog>([](QDialog& dialog) { dialog.reject(); });
        Action(shell, "ToolEditor")->trigger();
        QVERIFY(shell.HexEditor().isVisible());
    }

    // F1 opens the manual with the desktop's PDF application, else in the help window
    // (one, raised again); only a missing manual shows a box, naming where it was looked for.
    void HelpOpensTheManualAlways()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        Action(shell, "HelpProg")->trigger();
        QCOMPARE(fixture.boxes.Texts(),
                 (std::vector<std::string>{"The user manual ridirirodo.pdf was not found. Looked in:\n" +
                                           fixture.folder.Path().string()}));
        QVERIFY(fixture.opened.empty());

        testing::WriteFileBytes(fixture.folder / "ridirirodo.pdf", "%PDF-1.4");
        Action(shell, "HelpProg")->trigger();
        QCOMPARE(fixture.opened, (std::vector<std::filesystem::path>{fixture.folder / "ridirirodo.pdf"}));
        QVERIFY(shell.findChild<HelpWindow*>() == nullptr);

        fixture.viewerInstalled = false;
        Action(shell, "HelpProg")->trigger();
        auto* help = shell.findChild<HelpWindow*>();
        QVERIFY(help != nullptr && help->isVisible());
        QCOMPARE(help->ManualPath(), QString::fromStdString((fixture.folder / "ridirirodo.pdf").string()));
        // Its reading size is made smaller to fit a small screen, frame included.
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(screen.contains(help->geometry().adjusted(-4, -30, 4, 4)),
                 qPrintable(QStringLiteral("%1 x %2 at %3,%4").arg(help->width()).arg(help->height())
                                .arg(help->x()).arg(help->y())));
        help->close();
        Action(shell, "HelpProg")->trigger();
        QCOMPARE(shell.findChildren<HelpWindow*>(), (QList<HelpWindow*>{help}));
        QVERIFY(help->isVisible());
        QCOMPARE(fixture.boxes.shown.size(), std::size_t{1});
    }

    // A first start, without a settings file, opens the main window where the manual's
    // settings table says, and the hex editor and the description window beside it, each
    // whole on the screen and covering neither the main window nor each other.
    void AFirstStartPlacesTheWindowsBesideEachOther()
    {
        QFile chapter(QStringLiteral(ZAV_MANUAL_CHAPTERS "/09-settings.md"));
        QVERIFY(chapter.open(QIODevice::ReadOnly | QIODevice::Text));
        const QString table = QString::fromUtf8(chapter.readAll());
        const QRegularExpression row(QStringLiteral("^\\| P_WIN_POS_LEFT.*\\| (\\d+), (\\d+),[^|]*\\|$"),
                                     QRegularExpression::MultilineOption);
        const QRegularExpressionMatch documented = row.match(table);
        QVERIFY(documented.hasMatch());
        {
            ShellFixture fixture;
            TProgShell& shell = fixture.Make();
            shell.LoadSettings();
            QCOMPARE(shell.pos(), QPoint(documented.captured(1).toInt(), documented.captured(2).toInt()));
        }
        // The test screen is small: a main window in its corner leaves room below it.
        ShellFixture fixture;
        testing::WriteFileBytes(fixture.SettingsFile(),
                                "P_WIN_POS_LEFT=0\r\nP_WIN_POS_TOP=0\r\nP_WIN_POS_HEIGHT=150\r\nP_WIN_POS_WIDTH=552\r\n");
        TProgShell& shell = fixture.Make();
        shell.LoadSettings();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        // Frames as placement reckons them before the window manager drew any.
        const auto frame = [](const QRect& client) { return client.adjusted(-4, -30, 4, 4); };
        const QRect main = QRect(shell.pos(), shell.size()).adjusted(0, 0, 8, 34);
        const QRect editor = frame(shell.HexEditor().geometry());
        const QRect description = frame(shell.HexEditor().DescriptionWindow().geometry());
        QVERIFY2(screen.contains(editor), qPrintable(QStringLiteral("%1,%2").arg(editor.x()).arg(editor.y())));
        QVERIFY(!editor.intersects(main));
        QVERIFY(screen.contains(description));
    }

    // An exception escaping a command shows one box, and the window carries on.
    void AnExceptionShowsOneBoxAndTheWindowGoesOn()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        testing::WriteFileBytes(fixture.folder / "ridirirodo.pdf", "%PDF-1.4");
        fixture.openThrows = true;
        QString shown;
        QString caption;
        OnNextModal<QMessageBox>([&shown, &caption](QMessageBox& box) {
            shown = box.text();
            caption = box.windowTitle();
            box.accept();
        });
        Action(shell, "HelpProg")->trigger();
        QCOMPARE(shown, QStringLiteral("viewer crashed"));
        QCOMPARE(caption, QStringLiteral("ZAV Zoruruzad Irodozeziz"));
        fixture.openThrows = false;
        Action(shell, "HelpProg")->trigger();
        QCOMPARE(fixture.opened.size(), std::size_t{1});
    }

    void AboutOpensAFreshWindowEachTime()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        for (int time = 0; time < 2; ++time) {
            OnNextModal<QDialog>([](QDialog& about) {
                QCOMPARE(about.windowTitle(), QStringLiteral("About"));
                about.accept();
            });
            Action(shell, "HelpAbout")->trigger();
            QCOMPARE(shell.findChildren<QDialog*>().size(), 0);
        }
    }
};

} // namespace zav

QTEST_MAIN(zav::ProgShellTest)
#include "prog_shell_test.moc"
