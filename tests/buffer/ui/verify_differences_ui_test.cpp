#include <QPushButton>
#include <QTreeWidget>

#include "buffer/ui/explaine_window.h"
#include "buffer/ui/verify_differences_window.h"
#include "editor_fixture.h"

namespace zav {

using testing::EditorFixture;

// The verify's findings as the editor, the differences window and the description window
// show them.
class VerifyDifferencesUiTest : public QObject {
    Q_OBJECT

private slots:
    void MarksAreSteppedThroughShowTheDeviceValueAndGoWithAnEdit()
    {
        EditorFixture fixture;
        THexEdit& editor = fixture.editor;
        QVERIFY(!editor.NextDifferenceAction()->isEnabled());
        editor.SetVerifyDifferences({{0xB612, 0x5A, 0xFF}, {0xB605, 0x00, 0x12}});
        QVERIFY(editor.NextDifferenceAction()->isEnabled());

        editor.SelectAddress(0xB600);
        QVERIFY(!editor.DevicePanel()->isVisibleTo(&editor));
        QTest::keyClick(&fixture.Hex(), Qt::Key_F8);
        QCOMPARE(editor.CursorAddress(), 0xB605);
        QCOMPARE(editor.DevicePanel()->text(), QStringLiteral("Device: 0x12"));
        QTest::keyClick(&fixture.Hex(), Qt::Key_F8);
        QCOMPARE(editor.CursorAddress(), 0xB612);
        QTest::keyClick(&fixture.Hex(), Qt::Key_F8, Qt::ShiftModifier);
        QCOMPARE(editor.CursorAddress(), 0xB605);

        // Typing over the marked cell takes its mark, and only its.
        fixture.Type(fixture.Hex(), "77");
        QVERIFY(!editor.Differences().Find(0xB605));
        QVERIFY(editor.Differences().Find(0xB612));
        editor.SelectAddress(0xB605);
        QVERIFY(!editor.DevicePanel()->isVisibleTo(&editor));
    }

    void TheDifferencesWindowListsOpensAndCopies()
    {
        EditorFixture fixture;
        THexEdit& editor = fixture.editor;
        TVerifyDifferences window(editor, nullptr);
        QCOMPARE(window.List()->topLevelItemCount(), 0);
        QVERIFY(!window.CopyButton()->isEnabled());
        editor.SetVerifyDifferences({{0xB605, 0x5A, 0xFF}, {0x0010, 0x00, 0x0A}});
        QCOMPARE(window.List()->topLevelItemCount(), 2);
        QTreeWidgetItem* second = window.List()->topLevelItem(1);
        QCOMPARE(second->text(0), QStringLiteral("0xB605"));
        QCOMPARE(second->text(1), QStringLiteral("0x5A"));
        QCOMPARE(second->text(2), QStringLiteral("0xFF"));

        emit window.List()->itemDoubleClicked(second, 0);
        QCOMPARE(editor.CursorAddress(), 0xB605);
        window.CopyButton()->click();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("0010 buffer 00 device 0A\nB605 buffer 5A device FF\n"));

        editor.SetVerifyDifferences({});
        QCOMPARE(window.List()->topLevelItemCount(), 0);
    }

    void ChecksumsFollowTheBufferAndTheSelection()
    {
        EditorFixture fixture;
        THexEdit& editor = fixture.editor;
        MemoryBuffer& buffer = fixture.Buffer();
        TExplaine& description = editor.DescriptionWindow();
        description.show();
        description.SetChecksumDevice("MC68HC05B6");
        const QString erased = description.ChecksumLine()->text();
        QVERIFY2(erased.startsWith(QStringLiteral("EEPROM 0x0100-0x01FF:")), qPrintable(erased));
        buffer.SetByte(0x0150, 0x42);
        QVERIFY(description.ChecksumLine()->text() != erased);
        description.SetChecksumDevice("No device selected");
        QCOMPARE(description.ChecksumLine()->text(), QStringLiteral("EEPROM checksums: no device selected"));

        // "1234" in cells 0x20-0x23, selected with Shift+Right.
        for (std::int32_t i = 0; i < 4; ++i) buffer.SetByte(0x20 + i, static_cast<std::uint8_t>('1' + i));
        QVERIFY(!editor.SelectionChecksumPanel()->isVisibleTo(&editor));
        editor.SelectAddress(0x20);
        for (int i = 0; i < 3; ++i) fixture.Key(fixture.Hex(), Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(editor.SelectionChecksumPanel()->text(), QStringLiteral("CRC-32 0x9BE3E0A3  Sum16 0x00CA"));
    }
};

} // namespace zav

QTEST_MAIN(zav::VerifyDifferencesUiTest)
#include "verify_differences_ui_test.moc"
