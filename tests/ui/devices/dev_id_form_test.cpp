#include "ui/devices/dev_id_form.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

namespace zav {

namespace {

void ClickBoard(TDevIdForm& form, int board)
{
    QTest::mouseClick(form.HardBoard()->button(board), Qt::LeftButton);
}

void ClickDevice(TDevIdForm& form, int row)
{
    QListWidget* list = form.DeviceListBox1();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

QStringList Items(const QListWidget& list)
{
    QStringList items;
    for (int row = 0; row < list.count(); ++row) items << list.item(row)->text();
    return items;
}

} // namespace

class DevIdFormTest : public QObject {
    Q_OBJECT

private slots:
    // At first nothing is chosen, and OK answers Cancel.
    void FirstOpeningOkMeansCancel()
    {
        TDevIdForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.windowTitle(), QStringLiteral("Select Device"));
        QCOMPARE(form.HardBoard()->checkedId(), -1);
        QCOMPARE(form.DeviceListBox1()->count(), 0);
        QVERIFY(form.DeviceParam1()->toPlainText().isEmpty());
        form.accept();
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QVERIFY(!form.SelectedDevice());
    }

    // A board lists its devices; a device shows its memory map on two lines; another
    // board clears both; OK then gives the chosen name, and the dialog keeps it all.
    void BoardsListDevicesAndTheDialogRemembersThem()
    {
        TDevIdForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        ClickBoard(form, 4);
        QCOMPARE(Items(*form.DeviceListBox1()),
                 (QStringList{"MC68HC11KA1", "MC68HC11KA4", "MC68HC11PA8", "MC68HC11P2"}));
        ClickDevice(form, 0);
        QCOMPARE(form.DeviceParam1()->toPlainText(),
                 QStringLiteral("$0D80...$0FFF - EEPROM\n$003F - CONFIG Register"));

        ClickBoard(form, 5);
        QVERIFY(form.DeviceListBox1()->selectedItems().isEmpty());
        QVERIFY(form.DeviceParam1()->toPlainText().isEmpty());
        ClickDevice(form, 1);
        form.accept();
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(form.SelectedDevice(), std::optional<std::string>("TMS370Cx5x (512)"));

        form.show();
        QCOMPARE(form.HardBoard()->checkedId(), 5);
        QCOMPARE(form.DeviceListBox1()->currentRow(), 1);
        form.accept();
        QCOMPARE(form.SelectedDevice(), std::optional<std::string>("TMS370Cx5x (512)"));
    }

    // Every device name shows whole in the list, whichever board lists it, and its memory map
    // shows whole beside it.
    void EveryDeviceNameFitsTheList()
    {
        TDevIdForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QListWidget* list = form.DeviceListBox1();
        for (int board = 0; board < form.HardBoard()->buttons().size(); ++board) {
            ClickBoard(form, board);
            for (int row = 0; row < list->count(); ++row) {
                const QString name = list->item(row)->text();
                const QRect shown = list->visualItemRect(list->item(row)) & list->viewport()->rect();
                QVERIFY2(shown.width() > list->fontMetrics().horizontalAdvance(name), qPrintable(name));
                ClickDevice(form, row);
                QVERIFY2(!form.DeviceParam1()->toPlainText().isEmpty(), qPrintable(name));
                QCOMPARE(form.DeviceParam1()->horizontalScrollBar()->maximum(), 0);
            }
        }
    }

    void CancelAndEscapeAnswerCancel()
    {
        TDevIdForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        ClickBoard(form, 3);
        ClickDevice(form, 0);
        QTest::keyClick(&form, Qt::Key_Escape);
        QCOMPARE(form.result(), int(QDialog::Rejected));
    }
};

} // namespace zav

QTEST_MAIN(zav::DevIdFormTest)
#include "dev_id_form_test.moc"
