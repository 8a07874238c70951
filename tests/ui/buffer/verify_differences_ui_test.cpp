#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>

#include <functional>

#include "buffer/checksum.h"
#include "ui/buffer/editor_status.h"
#include "ui/buffer/byte_glyph_text.h"
#include "ui/buffer/editor_extra_actions.h"
#include "ui/buffer/data_inspector_window.h"
#include "ui/buffer/explaine_window.h"
#include "ui/buffer/verify_differences_window.h"
#include "editor_fixture.h"
#include "operations/data_inspector.h"

namespace zav {

using testing::EditorFixture;

namespace {

// The checksums the windows must show for cells first..last as the buffer holds them now.
QString ChecksumsNow(const MemoryBuffer& buffer, std::int32_t first, std::int32_t last)
{
    return QString::fromLatin1(ChecksumsCaption(BufferChecksums(buffer, {{first, last}})).c_str());
}

} // namespace

// The verify's findings as the editor, the differences window and the description window
// show them.
class VerifyDifferencesUiTest : public QObject {
    Q_OBJECT

private slots:
    void MarksAreSteppedThroughShowTheDeviceValueAndGoWithAnEdit()
    {
        EditorFixture fixture;
        THexEdit& editor = fixture.editor;
        QVERIFY(!editor.Differences().NextAction()->isEnabled());
        editor.Differences().SetVerify({{0xB612, 0x5A, 0xFF}, {0xB605, 0x00, 0x12}});
        QVERIFY(editor.Differences().NextAction()->isEnabled());

        editor.SelectAddress(0xB600);
        QVERIFY(!editor.Differences().DevicePanel()->isVisibleTo(&editor));
        QTest::keyClick(&fixture.Hex(), Qt::Key_F8);
        QCOMPARE(editor.CursorAddress(), 0xB605);
        QCOMPARE(editor.Differences().DevicePanel()->text(), QStringLiteral("Device: 0x12"));
        QTest::keyClick(&fixture.Hex(), Qt::Key_F8);
        QCOMPARE(editor.CursorAddress(), 0xB612);
        QTest::keyClick(&fixture.Hex(), Qt::Key_F8, Qt::ShiftModifier);
        QCOMPARE(editor.CursorAddress(), 0xB605);

        // Typing over the marked cell takes its mark, and only its.
        fixture.Type(fixture.Hex(), "77");
        QVERIFY(!editor.Differences().Marks().Find(0xB605));
        QVERIFY(editor.Differences().Marks().Find(0xB612));
        editor.SelectAddress(0xB605);
        QVERIFY(!editor.Differences().DevicePanel()->isVisibleTo(&editor));
    }

    void TheDifferencesWindowListsOpensAndCopies()
    {
        EditorFixture fixture;
        THexEdit& editor = fixture.editor;
        TVerifyDifferences window(editor, nullptr);
        QCOMPARE(window.List()->topLevelItemCount(), 0);
        QVERIFY(!window.CopyButton()->isEnabled());
        editor.Differences().SetVerify({{0xB605, 0x5A, 0xFF}, {0x0010, 0x00, 0x0A}});
        QCOMPARE(window.List()->topLevelItemCount(), 2);
        QTreeWidgetItem* second = window.List()->topLevelItem(1);
        QCOMPARE(second->text(0), QStringLiteral("0xB605"));
        QCOMPARE(second->text(1), QStringLiteral("0x5A"));
        QCOMPARE(second->text(2), QStringLiteral("0xFF"));

        emit window.List()->itemDoubleClicked(second, 0);
        QCOMPARE(editor.CursorAddress(), 0xB605);
        window.CopyButton()->click();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("0010 buffer 00 device 0A\nB605 buffer 5A device FF\n"));

        editor.Differences().SetVerify({});
        QCOMPARE(window.List()->topLevelItemCount(), 0);
    }

    // Every change of many cells at once (a read, a load, a restore, a paste, Undo, Redo)
    // brings every figure taken from the buffer up to date: the description's EEPROM
    // checksums, the selection's checksums and the count of marks left.
    void EveryBulkChangeRefreshesTheFigures()
    {
        struct Change {
            const char* name;
            std::function<void(EditorFixture&)> apply;
        };
        const auto type = [](EditorFixture& f) {
            f.editor.SelectAddress(0x0100);
            f.Type(f.Hex(), "9A");
        };
        const Change changes[] = {
            {"a read or a load", [](EditorFixture& f) { f.Load(0x0100, {0x11, 0x22, 0x33, 0x44}); }},
            {"a paste",
             [](EditorFixture& f) {
                 QApplication::clipboard()->setText(QStringLiteral("A1 B2 C3"));
                 f.editor.SelectAddress(0x0100);
                 f.editor.Action(EditorAction::Paste)->trigger();
             }},
            {"Undo",
             [type](EditorFixture& f) {
                 type(f);
                 f.editor.Action(EditorAction::Undo)->trigger();
             }},
            {"Redo",
             [type](EditorFixture& f) {
                 type(f);
                 f.editor.Action(EditorAction::Undo)->trigger();
                 f.editor.ExtraAction(EditorExtraAction::Redo)->trigger();
             }},
        };
        for (const Change& change : changes) {
            EditorFixture fixture;
            THexEdit& editor = fixture.editor;
            TExplaine& description = editor.DescriptionWindow();
            description.show();
            description.SetChecksumDevice("MC68HC05B6"); // EEPROM 0x0100-0x01FF
            editor.DataInspector().show();
            fixture.Load(0x0100, {0x01, 0x02, 0x03, 0x04});
            editor.Differences().SetVerify({{0x0100, 0x01, 0xFF}, {0x0180, 0x00, 0xFF}});
            TVerifyDifferences differences(editor, nullptr);
            editor.SelectAddress(0x0100);
            for (int i = 0; i < 3; ++i) fixture.Key(fixture.Hex(), Qt::Key_Right, Qt::ShiftModifier);

            // The figures are read where the change left the cursor: no move refreshes them.
            change.apply(fixture);
            const MemoryBuffer& buffer = fixture.Buffer();
            QVERIFY2(description.ChecksumLine()->text().endsWith(ChecksumsNow(buffer, 0x0100, 0x01FF)), change.name);
            if (editor.HasSelection()) {
                const Selection selection = editor.CurrentSelection();
                const std::int32_t first = HexCellAddress(selection.Left(), selection.Top());
                const std::int32_t last = HexCellAddress(selection.Right(), selection.Bottom());
                QVERIFY2(editor.Status().SelectionChecksumPanel()->text() == ChecksumsNow(buffer, first, last), change.name);
            }
            for (int row = 0; row < kInspectorRowCount; ++row) {
                const auto inspectorRow = static_cast<InspectorRow>(row);
                const std::string shown = InspectorValueText(buffer, editor.CursorAddress(), inspectorRow);
                // The character row shows the byte's glyph, as the character pane does.
                const QString expected = inspectorRow == InspectorRow::Latin1 && shown.size() == 1
                                             ? QString(GlyphOf(static_cast<std::uint8_t>(shown.front())))
                                             : QString::fromLatin1(shown.c_str());
                QVERIFY2(editor.DataInspector().Table().item(row, 1)->text() == expected, change.name);
            }
            const bool firstCellChanged = buffer.GetByte(0x0100) != 0x01;
            QVERIFY2(editor.Differences().Marks().All().size() == (firstCellChanged ? 1U : 2U), change.name);
            QVERIFY2(differences.List()->topLevelItemCount() == (firstCellChanged ? 1 : 2), change.name);
        }
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
        QVERIFY(!editor.Status().SelectionChecksumPanel()->isVisibleTo(&editor));
        editor.SelectAddress(0x20);
        for (int i = 0; i < 3; ++i) fixture.Key(fixture.Hex(), Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(editor.Status().SelectionChecksumPanel()->text(), QStringLiteral("CRC-32 0x9BE3E0A3  Sum16 0x00CA"));
    }
};

} // namespace zav

QTEST_MAIN(zav::VerifyDifferencesUiTest)
#include "verify_differences_ui_test.moc"
