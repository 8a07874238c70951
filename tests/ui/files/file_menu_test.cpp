#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

#include "buffer/memory_buffer.h"
#include "ui/buffer/hex_edit_window.h"
#include "ui/files/load_file_form.h"
#include "ui/files/print_form.h"
#include "ui/files/save_file_form.h"
#include "ui/shell/shell_fixture.h"
#include "ui/widget_finders.h"
#include "ui/shell/file_commands.h"
#include "ui/shell/status_list_model.h"
#include "ui/shell/status_win.h"

namespace zav {

using testing::OnNextModal;
using testing::ShellFixture;

using testing::Child;

namespace {

std::vector<std::string> StatusLines(TProgShell& shell)
{
    std::vector<std::string> lines;
    for (int row = 0; row < shell.Status().LineCount(); ++row)
        lines.push_back(shell.Status().Lines().Line(row).substr(1)); // after the kind tag
    return lines;
}

bool Contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

FileChooser Answer(const QString& path, int filterIndex)
{
    return [path, filterIndex](QWidget*) { return std::optional<ChosenFile>(ChosenFile{path, filterIndex}); };
}

} // namespace

// The File menu's Open, Save and Print reach the dialogs, the editor's buffer, the message
// list, the recent files and the progress bar of the main window.
class FileMenuTest : public QObject {
    Q_OBJECT

private slots:
    void openLoadsIntoTheEditorsBufferAndRecordsTheFile()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        const QString path = dir.filePath(QStringLiteral("two.bin"));
        std::ofstream(path.toStdString(), std::ios::binary) << "\x12\x34";
        OnNextModal<TLoadf>([path](TLoadf& dialog) {
            dialog.SetFileChooser(Answer(path, 1));
            Child<QPushButton>(dialog, "Button1")->click();
            Child<QPushButton>(dialog, "Button2")->click();
        });
        shell.Files().EditOpenFileExecute();
        QCOMPARE(int(shell.HexEditor().Buffer().GetByte(1)), 0x34);
        QCOMPARE(shell.Flow().Settings().program.RecentFiles.front(), path.toStdString());
        QVERIFY(Contains(StatusLines(shell), "Read file complete"));
    }

    void saveTellsTheMainWindowTheBufferIsSaved()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        shell.HexEditor().Buffer().SetByte(0, 0x55);
        const QString path = dir.filePath(QStringLiteral("saved.s19"));
        OnNextModal<TSavef>([path](TSavef& dialog) {
            dialog.SetFileChooser(Answer(path, 2));
            Child<QPushButton>(dialog, "Button1")->click();
            Child<QPushButton>(dialog, "Button2")->click();
        });
        QVERIFY(shell.Files().SaveFile());
        QVERIFY(QFile::exists(path));

        OnNextModal<TSavef>([](TSavef& dialog) { Child<QPushButton>(dialog, "Button3")->click(); });
        QVERIFY(!shell.Files().SaveFile());
    }

    void printMovesTheProgressBarAndReportsInTheMessageList()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        const QString pdf = dir.filePath(QStringLiteral("dump.pdf"));
        int highest = 0;
        connect(shell.ProgBar(), &QProgressBar::valueChanged, this,
                [&highest](int value) { highest = std::max(highest, value); });
        OnNextModal<TPrintd>([pdf](TPrintd& dialog) {
            dialog.SetPdfFileChooser([pdf](QWidget*, const QString&) { return pdf; });
            Child<QPushButton>(dialog, "Button2")->click();
        });
        shell.Files().EditPrintExecute();
        const auto lines = StatusLines(shell);
        QVERIFY(Contains(lines, "Printing buffer : 0x0000-0xFFFF -> " + pdf.toStdString()));
        QVERIFY(Contains(lines, "Print buffer complete"));
        QVERIFY(QFile::exists(pdf));
        QCOMPARE(shell.ProgBar()->value(), 0);
        QCOMPARE(shell.ProgBar()->maximum(), 1 + 4096);
        QVERIFY(highest > 0);
    }

private:
    QTemporaryDir dir;
};

} // namespace zav

QTEST_MAIN(zav::FileMenuTest)
#include "file_menu_test.moc"
