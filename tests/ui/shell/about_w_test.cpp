#include "ui/shell/about_w.h"
#include "ui/shell/zav_version.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace zav {

class AboutWTest : public QObject {
    Q_OBJECT

private slots:
    void ShowsTheProductVersionMakerAndBoards()
    {
        TAboutW about;
        QStringList labels;
        for (const QLabel* label : about.findChildren<QLabel*>()) labels << label->text();
        QVERIFY(labels.contains(QStringLiteral("ZAV Zoruruzad Irodozeziz for Windows 95/98/NT/2000.")));
        QVERIFY(labels.contains(QStringLiteral("Software Version : 1.2")));
        QVERIFY(labels.contains(QStringLiteral("zavprog ") + ZavVersion()));
        QVERIFY(labels.contains(QStringLiteral("Programmer Board Supported ")));
        QCOMPARE(about.windowTitle(), QStringLiteral("About"));
        QCOMPARE(about.BoardList()->toPlainText().split(QLatin1Char('\n')),
                 (QStringList{"Vesion 1.0", "MC68HC705B16", "MC68HC05B6", "MC68HC05L28", "MC68HC11E9", "MC68HC11PA8",
                              "TMS370Cx5x", "TMS375C006"}));
        QVERIFY(about.BoardList()->isReadOnly());
        QVERIFY(about.LinkButton()->isFlat());
        QVERIFY(about.LinkButton()->text().startsWith(QStringLiteral("https://")));
        const auto* logo = about.findChild<QLabel*>(QStringLiteral("Logo"));
        QVERIFY(logo != nullptr && !logo->pixmap().isNull());
    }

    // Enter, Escape and the close box all close it.
    void EnterEscapeAndCloseBoxCloseIt()
    {
        for (const int key : {int(Qt::Key_Return), int(Qt::Key_Escape), 0}) {
            TAboutW about;
            about.show();
            QVERIFY(QTest::qWaitForWindowExposed(&about));
            if (key == 0) {
                about.close();
            } else {
                QTest::keyClick(&about, static_cast<Qt::Key>(key));
            }
            QVERIFY(!about.isVisible());
        }
    }
};

} // namespace zav

QTEST_MAIN(zav::AboutWTest)
#include "about_w_test.moc"
