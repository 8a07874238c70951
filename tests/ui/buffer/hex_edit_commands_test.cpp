#include "ui/buffer/editor_commands.h"
#include "ui/buffer/hex_edit_window.h"

#include <QMenu>

#include "ui/buffer/explaine_window.h"
#include "editor_fixture.h"

namespace zav {

using testing::DialogCall;
using testing::EditorFixture;

class HexEditCommandsTest : public QObject {
    Q_OBJECT

private:
    static void SetClipboard(const char* text) { QApplication::clipboard()->setText(QString::fromLatin1(text)); }

private slots:
    void init() { QApplication::clipboard()->clear(); }

    // Copy of a block and its paste elsewhere, undone in one step, all from the keyboard.
    void CopiedBlockPastesWithItsShapeAndUndoesAtOnce()
    {
        EditorFixture f;
        f.Load(0x0000, {0x12, 0xAB});
        f.Load(0x0010, {0x00, 0xFF});
        f.Key(f.Hex(), Qt::Key_Right, Qt::ShiftModifier);
        f.Key(f.Hex(), Qt::Key_Down, Qt::ShiftModifier);
        f.Shortcut(Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("12 AB \r\n00 FF "));
        QVERIFY(f.editor.Action(EditorAction::Paste)->isEnabled());

        f.Click(f.Hex(), 0x0100);
        f.Shortcut(Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(f.Buffer().GetByte(0x0100), 0x12);
        QCOMPARE(f.Buffer().GetByte(0x0101), 0xAB);
        QCOMPARE(f.Buffer().GetByte(0x0110), 0x00);
        QCOMPARE(f.Buffer().GetByte(0x0111), 0xFF);
        QCOMPARE(f.Buffer().Undo().GroupCount(), 1);
        // The cell after the last pasted byte of the last line.
        QCOMPARE(f.editor.CursorAddress(), 0x0112);
        QVERIFY(QApplication::overrideCursor() == nullptr);

        f.Shortcut(Qt::Key_Backspace, Qt::AltModifier);
        for (const std::int32_t address : {0x0100, 0x0101, 0x0110, 0x0111}) QCOMPARE(f.Buffer().GetByte(address), 0x00);
        QCOMPARE(f.editor.CursorAddress(), 0x0100);
        QVERIFY(f.Buffer().Undo().IsEmpty());
        QVERIFY(!f.editor.Action(EditorAction::Undo)->isEnabled());
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void PasteStopsAtTheFirstPairItCannotRead()
    {
        EditorFixture f;
        f.editor.SelectAddress(0x0200);
        SetClipboard("12 3g 45");
        f.editor.Action(EditorAction::Paste)->trigger();
        QCOMPARE(f.Buffer().GetByte(0x0200), 0x12);
        QCOMPARE(f.Buffer().GetByte(0x0201), 0x00);
        QCOMPARE(f.Buffer().Undo().GroupCount(), 1);
        QCOMPARE(f.editor.CursorAddress(), 0x0201);
    }

    void PasteEndsAtTheEndOfTheBufferAndPassesReadOnlyCells()
    {
        EditorFixture f;
        f.editor.SelectAddress(0xFFFF);
        SetClipboard("01 02");
        f.editor.Action(EditorAction::Paste)->trigger();
        QCOMPARE(f.Buffer().GetByte(0xFFFF), 0x01);
        QCOMPARE(f.editor.CursorAddress(), 0xFFFF);

        f.Buffer().SetReadOnly(0x0300, true);
        f.editor.SelectAddress(0x0300);
        SetClipboard("AA BB");
        f.editor.Action(EditorAction::Paste)->trigger();
        QCOMPARE(f.Buffer().GetByte(0x0300), 0x00);
        QCOMPARE(f.Buffer().GetByte(0x0301), 0xBB);
        QCOMPARE(f.editor.CursorAddress(), 0x0302);
    }

    void AOneCharacterClipboardPastesNothing()
    {
        EditorFixture f;
        f.editor.SelectAddress(0x0040);
        SetClipboard("7");
        QVERIFY(f.editor.Action(EditorAction::Paste)->isEnabled());
        f.editor.Action(EditorAction::Paste)->trigger();
        QVERIFY(f.Buffer().Undo().IsEmpty());
        QCOMPARE(f.editor.CursorAddress(), 0x0040);
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void PasteFollowsTheClipboardWhileTheEditorIsOpen()
    {
        EditorFixture f;
        QAction* paste = f.editor.Action(EditorAction::Paste);
        QVERIFY(!paste->isEnabled());
        SetClipboard("00");
        QVERIFY(paste->isEnabled());
        QApplication::clipboard()->clear();
        QVERIFY(!paste->isEnabled());
        f.editor.close();
        SetClipboard("00");
        QVERIFY(!paste->isEnabled());
        f.editor.show();
        QVERIFY(paste->isEnabled());
    }

    void SelectAllTakesEveryCellAndPutsTheCursorFirst()
    {
        EditorFixture f;
        f.editor.SelectAddress(0x1234);
        f.Shortcut(Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(f.editor.CurrentSelection(), Selection::All());
        QCOMPARE(f.editor.CursorAddress(), 0);
        QCOMPARE(f.Panel(0), QStringLiteral(" 0000"));
        // Copying the whole buffer: 4,096 lines of 48 characters joined by CR LF.
        f.Shortcut(Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text().size(), qsizetype{4096 * 48 + 4095 * 2});
    }

    // What each buffer dialog is opened with.
    void DialogsGetTheCursorAndTheSelectionMode()
    {
        EditorFixture f;
        f.editor.SelectAddress(0x0042);
        f.Shortcut(Qt::Key_Insert, Qt::ControlModifier);
        f.editor.Action(EditorAction::CopyAs)->trigger();
        f.Shortcut(Qt::Key_G, Qt::ControlModifier);
        QVERIFY(!f.editor.Action(EditorAction::SearchAgain)->isEnabled());
        f.editor.Action(EditorAction::Find)->trigger();
        QVERIFY(f.editor.Action(EditorAction::SearchAgain)->isEnabled());
        f.Shortcut(Qt::Key_L, Qt::ControlModifier);
        f.Key(f.Hex(), Qt::Key_Right, Qt::ShiftModifier);
        // The context menu's Fill item carries Ctrl+F.
        f.Shortcut(Qt::Key_F, Qt::ControlModifier);
        f.editor.Action(EditorAction::Swap)->trigger();
        const std::vector<DialogCall> expected{
            {"CopyRange", 0x0042, false}, {"CopyAs", 0x0042, false}, {"GoTo", 0x0042, false},
            {"Find", 0x0042, false},      {"SearchAgain", -1, false}, {"Fill", 0x0043, true},
            {"Swap", -1, false},
        };
        QVERIFY(f.dialogCalls == expected);
    }

    void PropertyShowsAndClosesTheDescriptionWindow()
    {
        EditorFixture f;
        QAction* property = f.editor.Action(EditorAction::Property);
        property->trigger();
        QVERIFY(f.editor.DescriptionWindow().isVisible());
        property->trigger();
        QVERIFY(!f.editor.DescriptionWindow().isVisible());
    }

    void ContextMenuOffersTheCommandsInOrder()
    {
        EditorFixture f;
        QStringList texts;
        for (QAction* item : f.editor.Commands().PopupMenu()->actions()) {
            texts << (item->isSeparator() ? QStringLiteral("-") : QString(item->text()).remove(QLatin1Char('&')));
        }
        QCOMPARE(texts, (QStringList{"Undo", "Redo", "-", "Copy", "Paste", "Select All", "-", "Find ...", "Search Again", "-",
                                     "Go To Address", "Copy As", "Fill", "Swap"}));
        QCOMPARE(f.editor.Commands().PopupMenu()->actions().at(12)->shortcut(), QKeySequence(QStringLiteral("Ctrl+F")));
    }
};

} // namespace zav

QTEST_MAIN(zav::HexEditCommandsTest)
#include "hex_edit_commands_test.moc"
