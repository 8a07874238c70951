#include <QAccessible>
#include <QTest>

#include "buffer/difference_marks.h"
#include "editor_fixture.h"

namespace zav {

using testing::EditorFixture;

namespace {

QAccessibleTableInterface* Table(HexGridView& pane)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&pane);
    return iface != nullptr ? iface->tableInterface() : nullptr;
}

QString CellName(HexGridView& pane, std::int32_t address)
{
    return Table(pane)->cellAt(address / 16, address % 16)->text(QAccessible::Name);
}

} // namespace

class HexPaneAccessibleTest : public QObject {
    Q_OBJECT

private slots:
    // Both panes are tables over the whole buffer whose cells read address and value, follow
    // edits, and stay the same objects, so a reader's place survives a change.
    void BothPanesAreTablesOfTheWholeBuffer()
    {
        EditorFixture fixture;
        fixture.Load(0xB600, {0x5A, 0x00});
        for (HexGridView* pane : {&fixture.Hex(), &fixture.Char()}) {
            QAccessibleTableInterface* table = Table(*pane);
            QVERIFY(table != nullptr);
            QCOMPARE(table->rowCount(), 4096);
            QCOMPARE(table->columnCount(), 16);
            QCOMPARE(QAccessible::queryAccessibleInterface(pane)->childCount(), 65536);
            QCOMPARE(table->rowDescription(0xB60), QStringLiteral("0xB600"));
            QVERIFY(table->cellAt(4096, 0) == nullptr);
            QVERIFY(table->cellAt(0, 16) == nullptr);

            QAccessibleInterface* cell = table->cellAt(0xB60, 1);
            QCOMPARE(cell, table->cellAt(0xB60, 1));
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(pane);
            QCOMPARE(iface->indexOfChild(cell), 0xB601);
            QCOMPARE(iface->child(0xB601), cell);
            QCOMPARE(cell->tableCellInterface()->rowIndex(), 0xB60);
            QCOMPARE(cell->tableCellInterface()->columnIndex(), 1);
            QCOMPARE(cell->parent(), iface);
        }
        QCOMPARE(CellName(fixture.Hex(), 0xB600), QStringLiteral("0xB600: 5A"));
        QCOMPARE(CellName(fixture.Char(), 0xB600), QStringLiteral("0xB600: Z"));
        QCOMPARE(CellName(fixture.Char(), 0xB601), QStringLiteral("0xB601: 00"));

        fixture.editor.SelectAddress(0xB601);
        fixture.Type(fixture.Hex(), "41");
        QCOMPARE(CellName(fixture.Hex(), 0xB601), QStringLiteral("0xB601: 41"));
        QCOMPARE(CellName(fixture.Char(), 0xB601), QStringLiteral("0xB601: A"));
    }

    // A reader follows the cursor: the cursor cell of the focused pane is the focused cell,
    // however the cursor got there.
    void TheCursorCellIsTheFocusedOne()
    {
        EditorFixture fixture;
        fixture.editor.SelectAddress(0x0123);
        QAccessibleTableInterface* hex = Table(fixture.Hex());
        QVERIFY(hex->cellAt(0x12, 3)->state().focused);
        QVERIFY(!hex->cellAt(0x12, 4)->state().focused);
        QVERIFY2(!Table(fixture.Char())->cellAt(0x12, 3)->state().focused, "the character pane has no focus");
        QCOMPARE(QAccessible::queryAccessibleInterface(&fixture.Hex())->focusChild(), hex->cellAt(0x12, 3));

        fixture.Key(fixture.Hex(), Qt::Key_Down);
        QVERIFY(hex->cellAt(0x13, 3)->state().focused);

        fixture.Char().setFocus();
        QVERIFY(Table(fixture.Char())->cellAt(0x13, 3)->state().focused);
        QVERIFY(!hex->cellAt(0x13, 3)->state().focused);
    }

    // What the reader adds to a cell's name: the marks a sighted user sees as colour and hatching.
    void CellDescriptionCarriesTheVerifysMarks()
    {
        EditorFixture fixture;
        fixture.Load(0x0200, {0x5A});
        fixture.editor.Differences().SetVerify({{0x0200, 0x5A, 0xFF}});
        QCOMPARE(Table(fixture.Hex())->cellAt(0x20, 0)->text(QAccessible::Description), QStringLiteral("device FF"));
        QCOMPARE(Table(fixture.Hex())->cellAt(0x20, 1)->text(QAccessible::Description), QString());
    }

    // Selecting a block selects its cells; whole rows count as selected rows.
    void SelectionIsTheEditorsBlock()
    {
        EditorFixture fixture;
        fixture.editor.SelectAddress(0x0010);
        fixture.Key(fixture.Hex(), Qt::Key_End, Qt::ShiftModifier);
        fixture.Key(fixture.Hex(), Qt::Key_Down, Qt::ShiftModifier);
        QAccessibleTableInterface* hex = Table(fixture.Hex());
        QCOMPARE(hex->selectedCellCount(), 32);
        QCOMPARE(hex->selectedRows(), QList<int>({1, 2}));
        QVERIFY(hex->selectedColumns().isEmpty());
        QVERIFY(hex->cellAt(2, 15)->tableCellInterface()->isSelected());
        QVERIFY(!hex->cellAt(3, 0)->tableCellInterface()->isSelected());
    }
};

} // namespace zav

QTEST_MAIN(zav::HexPaneAccessibleTest)
#include "hex_pane_accessible_test.moc"
