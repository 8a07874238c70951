#include "ui/shell/status_list_model.h"
#include "ui/shell/status_win.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QToolTip>

namespace zav {

class StatusWinTest : public QObject {
    Q_OBJECT

private slots:
    // Kinds 0, 1 and 2 are black, purple and red, anything else black; each line shows one
    // leading blank in place of its tag.
    void LinesShowTheirKindsColourAndALeadingBlank()
    {
        StatusWin list;
        list.AddStatusMessage("done", StatusKind::Normal);
        list.AddStatusMessage("odd line", StatusKind::Warning);
        list.AddStatusMessage("Programmer Not Ready.", StatusKind::Error);
        list.AddStatusMessage("strange", static_cast<StatusKind>(9));
        const QAbstractItemModel& model = list.Lines();
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral(" done"));
        QCOMPARE(model.index(2, 0).data().toString(), QStringLiteral(" Programmer Not Ready."));
        const auto colour = [&model](int row) {
            return model.index(row, 0).data(Qt::ForegroundRole).value<QBrush>().color();
        };
        QCOMPARE(colour(0), QColor(0, 0, 0));
        QCOMPARE(colour(1), QColor(128, 0, 128));
        QCOMPARE(colour(2), QColor(255, 0, 0));
        QCOMPARE(colour(3), QColor(0, 0, 0));
    }

    // The newest line is selected and scrolled into view once the event loop comes round,
    // and drawn on the tool-tip background while the others keep the window background.
    void NewestLineIsSelectedAndDrawnOnTheToolTipBackground()
    {
        StatusWin list;
        QPalette palette = list.palette();
        palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 200));
        palette.setColor(QPalette::Base, QColor(250, 250, 250));
        list.setPalette(palette);
        list.resize(300, 100);
        list.show();
        for (int line = 0; line < 50; ++line) list.AddStatusMessage("line " + std::to_string(line), StatusKind::Normal);
        QTRY_COMPARE(list.currentIndex().row(), 49);
        QVERIFY(list.selectionModel()->isSelected(list.currentIndex()));

        const QRect newest = list.visualRect(list.currentIndex());
        QVERIFY(list.viewport()->rect().contains(newest));
        const QRect older = list.visualRect(list.Lines().index(48, 0));
        const QImage image = list.viewport()->grab().toImage();
        const double ratio = image.devicePixelRatio();
        const auto pixel = [&](const QRect& row) {
            return image.pixelColor(static_cast<int>((row.right() - 4) * ratio), static_cast<int>(row.center().y() * ratio));
        };
        QCOMPARE(pixel(newest), QColor(255, 255, 200));
        QCOMPARE(pixel(older), QColor(250, 250, 250));
        QVERIFY(newest.height() >= StatusWin::kItemHeight);
        QCOMPARE(older.height(), newest.height());
    }

    // A line wider than the list shows whole in its tool tip, and its row marks the cut.
    void ALongLineShowsWholeInItsToolTip()
    {
        StatusWin list;
        list.resize(200, 100);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const std::string line = "Backup saved to /home/user/.local/share/zav/backups/MC68HC11E9-20261208-001500.s19";
        list.AddStatusMessage(line, StatusKind::Normal);
        list.AddStatusMessage("short", StatusKind::Normal);
        const QRect row = list.visualRect(list.Lines().index(0, 0));
        QHelpEvent help(QEvent::ToolTip, row.center(), list.viewport()->mapToGlobal(row.center()));
        QApplication::sendEvent(list.viewport(), &help);
        QTRY_COMPARE(QToolTip::text(), QString::fromStdString(" " + line));
        QToolTip::hideText();

        // The row ends in "..." where it is cut: it looks as the cut text with the ellipsis.
        StatusWin cut;
        cut.resize(list.size());
        cut.show();
        QVERIFY(QTest::qWaitForWindowExposed(&cut));
        const QString shown = list.fontMetrics().elidedText(QString::fromStdString(" " + line), Qt::ElideRight,
                                                            row.width() - 1);
        QVERIFY(shown.endsWith(QChar(0x2026)));
        cut.AddStatusMessage(shown.mid(1).toStdString(), StatusKind::Normal);
        cut.AddStatusMessage("short", StatusKind::Normal);
        QTRY_COMPARE(cut.currentIndex().row(), 1);
        QTRY_COMPARE(list.currentIndex().row(), 1);
        const auto rowImage = [](StatusWin& view) {
            return view.viewport()->grab(view.visualRect(view.Lines().index(0, 0))).toImage();
        };
        QCOMPARE(rowImage(list), rowImage(cut));
    }

    // The list keeps no limit, and the Tab key reaches it.
    void KeepsEveryLineAndIsATabStop()
    {
        StatusWin list;
        for (int line = 0; line < 5000; ++line) list.AddStatusMessage("x", StatusKind::Warning);
        QCOMPARE(list.LineCount(), 5000);
        QVERIFY((list.focusPolicy() & Qt::TabFocus) != 0);
        QCOMPARE(list.statusTip(), QStringLiteral("Program Messages"));
    }
};

} // namespace zav

QTEST_MAIN(zav::StatusWinTest)
#include "status_win_test.moc"
