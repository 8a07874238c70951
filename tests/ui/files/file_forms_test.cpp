#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <filesystem>
#include <fstream>

#include "buffer/memory_buffer.h"
#include "ui/files/load_file_form.h"
#include "ui/files/save_file_form.h"
#include "shell/app_settings.h"
#include "shell/settings_file.h"
#include "ui/shell/status_list_model.h"
#include "support/recording_messages.h"
#include "ui/widget_finders.h"
#include "widgets/radio_group.h"

namespace zav {

using testing::RecordingBoxes;
using testing::RecordingStatus;

using testing::Child;

namespace {

QStringList Items(QComboBox& combo)
{
    QStringList items;
    for (int i = 0; i < combo.count(); ++i) items.append(combo.itemText(i));
    return items;
}

void Click(QWidget& dialog, const char* button)
{
    Child<QAbstractButton>(dialog, button)->click();
}

void Show(QDialog& dialog)
{
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
}

// Browse answers with this file and filter instead of showing the system dialog.
FileChooser Answer(const QString& path, int filterIndex = 1)
{
    return [path, filterIndex](QWidget*) { return std::optional<ChosenFile>(ChosenFile{path, filterIndex}); };
}

} // namespace

class FileFormsTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        buffer = std::make_unique<MemoryBuffer>();
        boxes.shown.clear();
        status.lines.clear();
        settings = ProgramSettings{};
    }

    void openOffersTheDetectedFormatsAndEnablesOkForAFileThatOpened()
    {
        const QString s19 =
            Write("plain.s19", "S1130000000102030405060708090A0B0C0D0E0F74\r\nS9030000FC\r\n");
        TLoadf form(*buffer, settings, status, boxes);
        Show(form);
        QVERIFY(Child<QToolButton>(form, "Button4")->hasFocus());
        auto* ok = Child<QPushButton>(form, "Button2");
        QVERIFY(!ok->isEnabled());
        QVERIFY(Child<QCheckBox>(form, "CheckBox1")->isChecked());
        QVERIFY(!Child<QLineEdit>(form, "Edit2")->isEnabled());
        QCOMPARE(Child<QLineEdit>(form, "Edit3")->text(), QStringLiteral("0xFFFFFF"));

        form.SetFileChooser(Answer(s19));
        Click(form, "Button1");
        QCOMPARE(Child<QLineEdit>(form, "Edit1")->text(), s19);
        QCOMPARE(Child<QLineEdit>(form, "Edit1")->selectedText(), s19);
        QCOMPARE(Items(*Child<QComboBox>(form, "ComboBox1")),
                 (QStringList{QStringLiteral("Motorola S"), QStringLiteral("Binary")}));
        QVERIFY(ok->isEnabled());

        // A file that cannot be opened disables OK and keeps the earlier formats.
        form.SetFileChooser(Answer(dir.filePath(QStringLiteral("missing.bin"))));
        Click(form, "Button1");
        QVERIFY(!ok->isEnabled());
        QCOMPARE(boxes.Texts(), std::vector<std::string>{"File not Accessible or not Exist!"});
        QCOMPARE(Child<QComboBox>(form, "ComboBox1")->count(), 2);
    }

    void openLoadsARangeWithANegativeOffsetAndRecordsTheFile()
    {
        std::string bytes(0x200, '\0');
        for (int i = 0; i < 0x200; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<char>(i >> 4);
        const QString bin = Write("image.bin", bytes);
        settings.RecentFiles = {"/older/one.zef"};
        TLoadf form(*buffer, settings, status, boxes);
        form.SetFileChooser(Answer(bin));
        Show(form);
        Click(form, "Button1");
        QCOMPARE(Items(*Child<QComboBox>(form, "ComboBox1")), QStringList{QStringLiteral("Binary")});
        Click(form, "CheckBox1");
        QVERIFY(Child<QLineEdit>(form, "Edit4")->isEnabled());
        Child<QLineEdit>(form, "Edit2")->setText(QStringLiteral("0x01FF"));
        Child<QLineEdit>(form, "Edit3")->setText(QStringLiteral("0x0100"));
        Child<QLineEdit>(form, "Edit4")->setText(QStringLiteral("-256"));
        Child<RadioGroup>(form, "RadioGroup1")->SetItemIndex(2);
        Click(form, "Button2");
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(int(buffer->GetByte(0x0000)), 0x10);
        QCOMPARE(int(buffer->GetByte(0x00FF)), 0x1F);
        QCOMPARE(int(buffer->GetByte(0x0100)), 0xFF); // cleared with ones
        QCOMPARE(status.Texts().back(), std::string("Read file complete"));
        QCOMPARE(settings.RecentFiles, (std::vector<std::string>{bin.toStdString(), "/older/one.zef"}));

        // Shown again: the options are kept and the recent entries rebuilt.
        Show(form);
        QVERIFY(!Child<QCheckBox>(form, "CheckBox1")->isChecked());
        QCOMPARE(Child<QLineEdit>(form, "Edit4")->text(), QStringLiteral("-256"));
        const auto entries = Child<QMenu>(form, "OpenedFileList")->actions();
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0]->text(), QStringLiteral("0 ") + bin);
        QCOMPARE(entries[1]->text(), QStringLiteral("1 /older/one.zef"));

        // Loading the same file again keeps it once, at the front.
        Click(form, "Button2");
        QCOMPARE(settings.RecentFiles, (std::vector<std::string>{bin.toStdString(), "/older/one.zef"}));
    }

    // A file of records the reader skips is not taken, and the list says so in one line
    // after the lines it could not read.
    void openSaysWhenAFileGaveNoData()
    {
        const QString s3 = Write("wide.s19", "S0030000FC\r\nS3090000010001020304EB\r\nS70500000000FA\r\n");
        TLoadf form(*buffer, settings, status, boxes);
        form.SetFileChooser(Answer(s3));
        Show(form);
        Click(form, "Button1");
        Click(form, "Button2");
        const std::vector<std::string> texts = status.Texts();
        QVERIFY(texts.size() >= 4);
        QCOMPARE(texts[texts.size() - 4], std::string("Unrecognized Line in S file !"));
        QCOMPARE(
            texts[texts.size() - 2],
            std::string("No data loaded; 2 lines not read: S3, S7 records are not read (first at line 2)"));
        QCOMPARE(status.lines[status.lines.size() - 2].kind, StatusKind::Warning);
    }

    void openTakesTheFileOfARecentEntry()
    {
        const QString text = Write("notes & more.txt", "Hello");
        settings.RecentFiles = {text.toStdString()};
        TLoadf form(*buffer, settings, status, boxes);
        Show(form);
        const auto entries = Child<QMenu>(form, "OpenedFileList")->actions();
        QCOMPARE(entries.size(), 1);
        entries[0]->trigger();
        QCOMPARE(Child<QLineEdit>(form, "Edit1")->text(), text);
        Click(form, "Button2");
        QCOMPARE(int(buffer->GetByte(0)), int('H')); // a text read as binary keeps its character codes
        QCOMPARE(int(buffer->GetByte(4)), int('o'));
    }

    void openRefusesABadOffsetAndLeavesTheBufferAlone()
    {
        const QString bin = Write("one.bin", "\x11");
        TLoadf form(*buffer, settings, status, boxes);
        form.SetFileChooser(Answer(bin));
        Show(form);
        Click(form, "Button1");
        Click(form, "CheckBox1");
        Child<QLineEdit>(form, "Edit4")->setText(QStringLiteral("ten"));
        Click(form, "Button2");
        QVERIFY(form.isVisible());
        QCOMPARE(boxes.Texts(), std::vector<std::string>{
                                    "To Enter Address Value in Hexadecimal format prefix 0x must be use."});
        QCOMPARE(int(buffer->GetByte(0)), 0);
        QVERIFY(settings.RecentFiles.empty());
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
    }

    void saveTakesTheFormatFromTheFilterAndDisablesUnimplementedForBinary()
    {
        TSavef form(*buffer, status, boxes);
        Show(form);
        auto* ok = Child<QPushButton>(form, "Button2");
        auto* format = Child<QComboBox>(form, "ComboBox1");
        auto* unimplemented = Child<QCheckBox>(form, "CheckBox2");
        QVERIFY(!ok->isEnabled());
        QCOMPARE(Items(*format),
                 (QStringList{QStringLiteral("ZAV Extended Format"), QStringLiteral("Motorola S"),
                              QStringLiteral("Binary"), QStringLiteral("Intel HEX")}));
        QCOMPARE(Child<QLineEdit>(form, "Edit3")->text(), QStringLiteral("0xFFFF"));
        QVERIFY(!Child<QLineEdit>(form, "Edit2")->isEnabled());

        const QString path = dir.filePath(QStringLiteral("out.s19"));
        const std::vector<std::pair<int, QString>> filters{{2, QStringLiteral("Motorola S")},
                                                           {4, QStringLiteral("ZAV Extended Format")},
                                                           {3, QStringLiteral("Binary")},
                                                           {5, QStringLiteral("Intel HEX")},
                                                           {1, QStringLiteral("ZAV Extended Format")}};
        for (const auto& [index, name] : filters) {
            form.SetFileChooser(Answer(path, index));
            Click(form, "Button1");
            QCOMPARE(format->currentText(), name);
            QCOMPARE(unimplemented->isEnabled(), name != QStringLiteral("Binary"));
        }
        QVERIFY(ok->isEnabled());
        QCOMPARE(Child<QLineEdit>(form, "Edit1")->text(), path);
    }

    void saveOfTheWholeBufferInBinaryIs65536Bytes()
    {
        buffer->SetUnimplemented(0x0042, true);
        TSavef form(*buffer, status, boxes);
        const QString path = dir.filePath(QStringLiteral("all.bin"));
        form.SetFileChooser(Answer(path, 3));
        Show(form);
        Click(form, "Button1");
        Click(form, "Button2");
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(std::filesystem::file_size(path.toStdString()), std::uintmax_t{65536});
        QCOMPARE(status.Texts().back(), std::string("Write file complete"));
    }

    void saveOfAReversedRangeTurnsItRoundAndABigOneIsRefused()
    {
        TSavef form(*buffer, status, boxes);
        const QString path = dir.filePath(QStringLiteral("part.bin"));
        form.SetFileChooser(Answer(path, 3));
        Show(form);
        Click(form, "Button1");
        Click(form, "CheckBox1");
        QVERIFY(Child<QLineEdit>(form, "Edit2")->isEnabled());
        Child<QLineEdit>(form, "Edit2")->setText(QStringLiteral("0x0200"));
        Child<QLineEdit>(form, "Edit3")->setText(QStringLiteral("0x0100"));
        Click(form, "Button2");
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(std::filesystem::file_size(path.toStdString()), std::uintmax_t{0x101});

        const QString big = dir.filePath(QStringLiteral("big.bin"));
        form.SetFileChooser(Answer(big, 3));
        Show(form);
        Click(form, "Button1");
        QCOMPARE(Child<QLineEdit>(form, "Edit2")->text(), QStringLiteral("0x0200")); // the range is kept
        Child<QLineEdit>(form, "Edit2")->setText(QStringLiteral("0x0000"));
        Child<QLineEdit>(form, "Edit3")->setText(QStringLiteral("0x10000"));
        Click(form, "Button2");
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QCOMPARE(boxes.Texts(), std::vector<std::string>{"Too big Address value"});
        QVERIFY(!QFile::exists(big));
    }

    // Names in several writing systems go to the file system, the recent files and the
    // settings file in the system's encoding and come back as the same characters: every
    // save lands under its own name (no "??.bin" replacing another), opens again, and its
    // recent entry and status lines read as typed.
    void pathsInEveryWritingSystemRoundTrip()
    {
        buffer->SetByte(0x0100, 0x5A);
        const struct {
            QString name;
            int filterIndex;
        } files[] = {
            {QStringLiteral("caf\u00E9.bin"), 3},         {QStringLiteral("\u20ACuro.bin"), 3},
            {QStringLiteral("\u65E5\u672C.bin"), 3},       {QStringLiteral("\u4E2D\u56FD.bin"), 3},
            {QStringLiteral("\u0395\u03BB\u03BB\u03AC\u03B4\u03B1.s19"), 2},
            {QStringLiteral("\u0645\u0635\u0631 \U0001F600.zef"), 1},
        };
        QDir names(dir.path());
        QVERIFY(names.mkpath(QStringLiteral("names")) && names.cd(QStringLiteral("names")));
        for (const auto& file : files) {
            const QString path = names.filePath(file.name);
            const std::string systemPath = path.toUtf8().toStdString();
            TSavef save(*buffer, status, boxes);
            save.SetFileChooser(Answer(path, file.filterIndex));
            Show(save);
            Click(save, "Button1");
            QCOMPARE(Child<QLineEdit>(save, "Edit1")->text(), path);
            Click(save, "Button2");
            QCOMPARE(save.result(), int(QDialog::Accepted));
            QVERIFY2(std::filesystem::is_regular_file(systemPath), systemPath.c_str());
            QCOMPARE(status.Texts().front(), "Writing file : " + systemPath);

            TLoadf open(*buffer, settings, status, boxes);
            open.SetFileChooser(Answer(path));
            Show(open);
            Click(open, "Button1");
            QCOMPARE(Child<QLineEdit>(open, "Edit1")->text(), path);
            QVERIFY2(Child<QPushButton>(open, "Button2")->isEnabled(), file.name.toUtf8().constData());
            Click(open, "Button2");
            QCOMPARE(open.result(), int(QDialog::Accepted));
            QCOMPARE(buffer->GetByte(0x0100), std::uint8_t{0x5A});
            QCOMPARE(settings.RecentFiles.front(), systemPath);

            // The recent entry shows the name as typed and opens the file again.
            open.hide();
            Show(open);
            QMenu* recent = Child<QMenu>(open, "OpenedFileList");
            QCOMPARE(recent->actions().front()->text(), QStringLiteral("0 ") + path);
            Child<QLineEdit>(open, "Edit1")->clear();
            recent->actions().front()->trigger();
            QCOMPARE(Child<QLineEdit>(open, "Edit1")->text(), path);
            QVERIFY(boxes.shown.empty());
            status.lines.clear();
        }
        QStringList saved = names.entryList(QDir::Files);
        saved.sort();
        QStringList expected;
        for (const auto& file : files) expected.append(file.name);
        expected.sort();
        QCOMPARE(saved, expected);

        // The settings file keeps the recent files (its five) byte for byte.
        AppSettings written;
        written.program.RecentFiles.assign(settings.RecentFiles.begin(), settings.RecentFiles.begin() + 5);
        const std::filesystem::path ini = dir.filePath(QStringLiteral("zozadav.ini")).toStdString();
        std::string failure;
        QVERIFY(SaveSettingsFile(ini, written, failure));
        AppSettings read;
        const SettingsFileReport report = ReadSettingsFile(ini, read);
        QCOMPARE(read.program.RecentFiles, written.program.RecentFiles);
        QVERIFY(report.warnings.empty() && !report.error);
    }

    // A status line or a box with such a path in it reads as typed in the message list.
    void aStatusLineShowsThePathAsTyped()
    {
        const QString path = dir.filePath(QStringLiteral("\u65E5\u672C.bin"));
        StatusListModel lines;
        lines.Append("Writing file : " + path.toUtf8().toStdString(), StatusKind::Normal);
        QVERIFY(lines.data(lines.index(0), Qt::DisplayRole).toString().endsWith(
            QStringLiteral("Writing file : ") + path));
    }

    // Neither a FIFO chosen to open nor one chosen to save to holds up the window's thread:
    // each is refused at once, saying why.
    void aFifoNeitherOpensNorSavesButNeverHangs()
    {
        const QString fifo = dir.filePath(QStringLiteral("pipe.s19"));
        QCOMPARE(::mkfifo(fifo.toUtf8().constData(), 0600), 0);
        // Should a regression wait on the pipe, opening its other end after ten seconds ends
        // the wait, and the checks below fail.
        std::atomic<bool> done{false};
        std::thread release([&] {
            for (int i = 0; i < 1000 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (!done) {
                ::close(::open(fifo.toUtf8().constData(), O_RDWR | O_NONBLOCK));
            }
        });

        TLoadf open(*buffer, settings, status, boxes);
        open.SetFileChooser(Answer(fifo));
        Show(open);
        Click(open, "Button1");
        QVERIFY(!Child<QPushButton>(open, "Button2")->isEnabled());
        QCOMPARE(boxes.Texts(), std::vector<std::string>{"File not Accessible or not Exist!\n" +
                                                         fifo.toUtf8().toStdString() +
                                                         " is a named pipe (FIFO), not a regular file: only files are loaded."});

        TSavef save(*buffer, status, boxes);
        save.SetFileChooser(Answer(fifo, 2));
        Show(save);
        Click(save, "Button1");
        Click(save, "Button2");
        done = true;
        release.join();
        QCOMPARE(save.result(), int(QDialog::Rejected));
        QCOMPARE(status.Texts().back(),
                 "Write file failed : " + fifo.toUtf8().toStdString() + " : no process reads from this named pipe (FIFO)");
        QVERIFY(std::filesystem::is_fifo(fifo.toStdString()));
    }

private:
    QString Write(const char* name, const std::string& content)
    {
        const QString path = dir.filePath(QString::fromLatin1(name));
        std::ofstream(path.toStdString(), std::ios::binary) << content;
        return path;
    }

    QTemporaryDir dir;
    std::unique_ptr<MemoryBuffer> buffer;
    ProgramSettings settings;
    RecordingBoxes boxes;
    RecordingStatus status;
};

} // namespace zav

QTEST_MAIN(zav::FileFormsTest)
#include "file_forms_test.moc"
