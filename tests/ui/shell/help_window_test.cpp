// The help window on the manual the build made.
#include "ui/shell/help_window.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPdfBookmarkModel>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

namespace zav {

namespace {

const QString kManual = QStringLiteral(ZAV_BUILT_MANUAL);

// The chapters' titles: every level-1 heading of the Markdown chapters, outside code.
QStringList ChapterTitles()
{
    QStringList titles;
    const QDir folder(QStringLiteral(ZAV_MANUAL_CHAPTERS));
    for (const QString& name : folder.entryList({QStringLiteral("*.md")}, QDir::Files, QDir::Name)) {
        QFile chapter(folder.filePath(name));
        if (!chapter.open(QIODevice::ReadOnly | QIODevice::Text)) continue;
        bool inFence = false;
        for (const QString& line : QString::fromUtf8(chapter.readAll()).split(QLatin1Char('\n'))) {
            if (line.startsWith(QStringLiteral("```"))) inFence = !inFence;
            if (!inFence && line.startsWith(QStringLiteral("# "))) titles << line.mid(2).trimmed();
        }
    }
    return titles;
}

QStringList TopLevelBookmarks(const QPdfBookmarkModel& model)
{
    QStringList titles;
    for (int row = 0; row < model.rowCount(QModelIndex()); ++row)
        titles << model.index(row, 0).data(static_cast<int>(QPdfBookmarkModel::Role::Title)).toString();
    return titles;
}

QAction* Action(const HelpWindow& window, const char* name)
{
    return window.findChild<QAction*>(QString::fromLatin1(name));
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

private slots:
    void ShowsPageOneAndEveryChapterAsABookmark()
    {
        HelpWindow help(kManual);
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QVERIFY(help.Loaded());
        QVERIFY(help.PageCount() > 10);
        QCOMPARE(help.CurrentPage(), 0);
        QVERIFY(help.FitsWidth());

        const QStringList bookmarks = TopLevelBookmarks(*help.Bookmarks());
        const QStringList chapters = ChapterTitles();
        QVERIFY(chapters.size() >= 10);
        for (const QString& chapter : chapters) QVERIFY2(bookmarks.contains(chapter), qPrintable(chapter));
        QCOMPARE(help.BookmarkTree()->model(), help.Bookmarks());
    }

    // A bookmark shows its page; the chapters lie on ever later pages.
    void ABookmarkShowsItsPage()
    {
        HelpWindow help(kManual);
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        const QPdfBookmarkModel& model = *help.Bookmarks();
        int previousPage = -1;
        for (int row = 1; row < model.rowCount(QModelIndex()); ++row) {
            const QModelIndex chapter = model.index(row, 0);
            const int page = chapter.data(static_cast<int>(QPdfBookmarkModel::Role::Page)).toInt();
            QVERIFY(page > previousPage);
            previousPage = page;
            emit help.BookmarkTree()->activated(chapter);
            QCOMPARE(help.CurrentPage(), page);
        }
        help.GoToPage(0);
        QCOMPARE(help.CurrentPage(), 0);
    }

    // Ctrl+F puts the text cursor in the find field; F3 goes from match to match and round
    // again, Shift+F3 back.
    void FindsTextFromMatchToMatch()
    {
        HelpWindow help(kManual);
        help.show();
        QVERIFY(QTest::qWaitForWindowActive(&help));
        QTest::keyClick(&help, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(help.FindField()->hasFocus());
        QTest::keyClicks(help.FindField(), QStringLiteral("simulator"));
        QTest::keyClick(&help, Qt::Key_F3);
        QTRY_VERIFY(help.FindResult()->text().startsWith(QStringLiteral("1 of ")));
        const int count = help.FindResult()->text().section(QLatin1Char(' '), 2).toInt();
        QVERIFY(count > 2);
        const int firstPage = help.CurrentPage();
        QVERIFY(firstPage > 1);

        QTest::keyClick(&help, Qt::Key_F3);
        QCOMPARE(help.FindResult()->text(), QStringLiteral("2 of %1").arg(count));
        QTest::keyClick(&help, Qt::Key_F3, Qt::ShiftModifier);
        QTest::keyClick(&help, Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(help.FindResult()->text(), QStringLiteral("%1 of %1").arg(count));
        QVERIFY(help.CurrentPage() >= firstPage);

        help.FindField()->setText(QStringLiteral("no such words in the manual"));
        help.FindNext();
        QCOMPARE(help.FindResult()->text(), QStringLiteral("Not found"));
    }

    // Ctrl++ and Ctrl+- zoom from what is shown in steps of a quarter; Fit Width returns.
    void ZoomsInStepsAndFitsTheWidthAgain()
    {
        HelpWindow help(kManual);
        help.show();
        QVERIFY(QTest::qWaitForWindowActive(&help));
        const qreal fitted = help.ZoomFactor();
        QVERIFY(fitted > 0);
        QTest::keyClick(&help, Qt::Key_Plus, Qt::ControlModifier);
        QVERIFY(!help.FitsWidth());
        QVERIFY(qAbs(help.ZoomFactor() - fitted * 1.25) < 0.01);
        QTest::keyClick(&help, Qt::Key_Minus, Qt::ControlModifier);
        QTest::keyClick(&help, Qt::Key_Minus, Qt::ControlModifier);
        QVERIFY(qAbs(help.ZoomFactor() - fitted / 1.25) < 0.01);
        for (int step = 0; step < 20; ++step) help.ZoomOut();
        QCOMPARE(help.ZoomFactor(), 0.25);
        Action(help, "FitWidth")->trigger();
        QVERIFY(help.FitsWidth());
        QVERIFY(Action(help, "FitWidth")->isChecked());
    }

    // "Open with ..." hands the file to xdg-open, and says so when that cannot start.
    void OpenWithHandsTheManualToXdgOpen()
    {
        for (const bool starts : {true, false}) {
            QStringList started;
            HelpWindow help(kManual, nullptr, [&](const QString& program, const QStringList& arguments) {
                started << program << arguments;
                return starts;
            });
            auto* button = qobject_cast<QToolButton*>(
                help.findChild<QToolBar*>()->widgetForAction(Action(help, "OpenWith")));
            QVERIFY(button != nullptr);
            QCOMPARE(button->text(), QStringLiteral("Open with ..."));
            button->click();
            QCOMPARE(started, (QStringList{QStringLiteral("xdg-open"), kManual}));
            QCOMPARE(help.statusBar()->currentMessage().contains(QStringLiteral("xdg-open")), !starts);
        }
    }

    void AFileThatIsNoPdfIsSaidSo()
    {
        const QString path = QDir::temp().filePath(QStringLiteral("zav-help-test-%1.pdf").arg(QCoreApplication::applicationPid()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("%PDF-1.4 cut short");
        file.close();
        HelpWindow help(path);
        QVERIFY(!help.Loaded());
        QVERIFY(help.statusBar()->currentMessage().contains(path));
        QFile::remove(path);
    }
};

} // namespace zav

QTEST_MAIN(zav::HelpWindowTest)
#include "help_window_test.moc"
