#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTableWidget>
#include <QUrl>

#include "ui/buffer/bookmark_commands.h"
#include "ui/buffer/editor_commands.h"
#include "ui/buffer/editor_status.h"
#include "ui/buffer/find_commands.h"
#include "ui/buffer/data_inspector_window.h"
#include "editor_fixture.h"
#include "operations/data_inspector.h"

namespace zav {

using testing::DialogCall;
using testing::EditorFixture;

class HexEditExtrasTest : public QObject {
    Q_OBJECT

private:
    static QAction* Extra(EditorFixture& f, EditorExtraAction action) { return f.editor.ExtraAction(action); }

private slots:
    // Typed bytes undone and redone from the keyboard; a new edit ends what could be redone.
    void RedoTakesBackWhatUndoUndidUntilTheNextEdit()
    {
        EditorFixture f;
        // Each digit is an undo step of its own.
        f.Type(f.Hex(), "AB");
        f.Shortcut(Qt::Key_Backspace, Qt::AltModifier);
        f.Shortcut(Qt::Key_Backspace, Qt::AltModifier);
        QCOMPARE(f.Buffer().GetByte(0), 0x00);
        QVERIFY(Extra(f, EditorExtraAction::Redo)->isEnabled());
        f.Shortcut(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(f.Buffer().GetByte(0), 0xA0);
        f.Shortcut(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.Buffer().GetByte(0), 0xAB);
        QVERIFY(!Extra(f, EditorExtraAction::Redo)->isEnabled());

        f.Shortcut(Qt::Key_Backspace, Qt::AltModifier);
        f.Click(f.Hex(), 0x20);
        f.Type(f.Hex(), "1");
        QVERIFY(!Extra(f, EditorExtraAction::Redo)->isEnabled());
    }

    // Text from Linux programs: lines end in LF alone.
    void PasteReadsLinesEndedByLf()
    {
        EditorFixture f;
        QApplication::clipboard()->setText(QStringLiteral("01 02\n03 04\n"));
        f.editor.SelectAddress(0x0100);
        f.editor.Action(EditorAction::Paste)->trigger();
        QCOMPARE(f.Buffer().GetByte(0x0101), 0x02);
        QCOMPARE(f.Buffer().GetByte(0x0111), 0x04);
    }

    void DataInspectorFollowsTheCursorAndWritesATypedValue()
    {
        EditorFixture f;
        f.Load(0x0040, {0x12, 0x34});
        Extra(f, EditorExtraAction::DataInspector)->trigger();
        TDataInspector& inspector = f.editor.DataInspector();
        QVERIFY(inspector.isVisible());
        QVERIFY(Extra(f, EditorExtraAction::DataInspector)->isChecked());
        QTableWidget& table = inspector.Table();
        const int big16 = static_cast<int>(InspectorRow::Unsigned16Big);
        f.Click(f.Hex(), 0x0040);
        QCOMPARE(table.item(big16, 1)->text(), QStringLiteral("4660"));

        table.item(big16, 1)->setText(QStringLiteral("0xBEEF"));
        QCOMPARE(f.Buffer().GetByte(0x0040), 0xBE);
        QCOMPARE(f.Buffer().GetByte(0x0041), 0xEF);
        QCOMPARE(f.Buffer().Undo().GroupCount(), 1);

        f.Buffer().SetReadOnly(0x0041, true);
        table.item(big16, 1)->setText(QStringLiteral("1"));
        QCOMPARE(f.Buffer().GetByte(0x0040), 0xBE);
        // The refused text gives way to the value the cells hold.
        QCOMPARE(table.item(big16, 1)->text(), QStringLiteral("48879"));
        Extra(f, EditorExtraAction::DataInspector)->trigger();
        QVERIFY(!inspector.isVisible());
    }

    // The character row shows and takes a control byte's picture, as the character pane does.
    void DataInspectorCharacterRowShowsTheGlyph()
    {
        EditorFixture f;
        f.Load(0x0040, {0x01, 0x20});
        Extra(f, EditorExtraAction::DataInspector)->trigger();
        QTableWidget& table = f.editor.DataInspector().Table();
        const int character = static_cast<int>(InspectorRow::Latin1);
        f.Click(f.Hex(), 0x0040);
        QCOMPARE(table.item(character, 1)->text(), QStringLiteral("\u263A"));
        table.item(character, 1)->setText(QStringLiteral("\u2190"));
        QCOMPARE(f.Buffer().GetByte(0x0040), 0x1B);
        f.Click(f.Hex(), 0x0041);
        QCOMPARE(table.item(character, 1)->text(), QStringLiteral(" "));
        table.item(character, 1)->setText(QStringLiteral("\u00E9"));
        QCOMPARE(f.Buffer().GetByte(0x0041), 0x82);
    }

    void StatusBarShowsTheSelection()
    {
        EditorFixture f;
        auto* panel = f.editor.findChild<QLabel*>(QStringLiteral("SelectionPanel"));
        f.Click(f.Hex(), 0x0010);
        QCOMPARE(panel->text(), QString());
        f.Key(f.Hex(), Qt::Key_Right, Qt::ShiftModifier);
        f.Key(f.Hex(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(panel->text(), QStringLiteral("Sel: 0010-0021 (16-33) Len: 4 (4)"));
    }

    // Ctrl+F stays Fill; Find has Ctrl+Shift+F, from either pane and in the context menu.
    void FindAndFillHaveKeysOfTheirOwn()
    {
        EditorFixture f;
        f.Click(f.Hex(), 0x0020);
        f.Shortcut(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.dialogCalls.back(), (DialogCall{"Find", 0x0020, false}));
        f.Click(f.Char(), 0x0021);
        f.Shortcut(Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(f.dialogCalls.back(), (DialogCall{"Fill", 0x0021, false}));
        f.Shortcut(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.dialogCalls.back(), (DialogCall{"Find", 0x0021, false}));
        QCOMPARE(f.dialogCalls.size(), std::size_t{3});
    }

    // Every item of the context menu has a letter of its own.
    void ContextMenuItemsHaveUniqueLetters()
    {
        EditorFixture f;
        QSet<QChar> letters;
        for (const QAction* action : f.editor.Commands().PopupMenu()->actions()) {
            if (action->isSeparator()) continue;
            const QString text = action->text();
            const auto mark = text.indexOf(QLatin1Char('&'));
            QVERIFY2(mark >= 0 && mark + 1 < text.size(), qPrintable(text));
            QVERIFY2(!letters.contains(text.at(mark + 1).toLower()), qPrintable(text));
            letters.insert(text.at(mark + 1).toLower());
        }
    }

    // The longest selection line, the whole buffer with its checksums, shows every figure at
    // the editor's narrowest and widest.
    void SelectionAndItsChecksumsShowWholeAtEveryWidth()
    {
        EditorFixture f;
        f.editor.Action(EditorAction::SelectAll)->trigger();
        auto* selection = f.editor.findChild<QLabel*>(QStringLiteral("SelectionPanel"));
        QLabel* checksums = f.editor.Status().SelectionChecksumPanel();
        QVERIFY(checksums->text().startsWith(QStringLiteral("CRC-32")));
        for (const int width : {f.editor.minimumWidth(), (f.editor.minimumWidth() + f.editor.maximumWidth()) / 2,
                                f.editor.maximumWidth()}) {
            f.editor.resize(width, f.editor.height());
            QTRY_COMPARE(f.editor.width(), width);
            QApplication::processEvents();
            const QRect window = f.editor.rect();
            for (const QLabel* label : {selection, checksums}) {
                QVERIFY(label->isVisible());
                const QRect shown(label->mapTo(&f.editor, QPoint(0, 0)), label->size());
                QVERIFY2(window.contains(shown), qPrintable(QStringLiteral("%1 at width %2").arg(label->text()).arg(width)));
                QVERIFY2(label->width() >= label->sizeHint().width(),
                         qPrintable(QStringLiteral("%1 at width %2").arg(label->text()).arg(width)));
            }
            const QRect first(selection->mapTo(&f.editor, QPoint(0, 0)),
                              QSize(selection->sizeHint().width(), selection->height()));
            const QRect second(checksums->mapTo(&f.editor, QPoint(0, 0)), checksums->size());
            QVERIFY(!first.intersects(second));
        }
    }

    void FindMarksItsMatchesAndCtrlHOpensReplace()
    {
        EditorFixture f;
        f.Load(0x0005, {0xAA, 0xBB});
        f.editor.SetFindHighlight({0xAA, 0xBB}, false);
        const std::vector<bool> expected{false, true, true, false};
        QCOMPARE(f.editor.Commands().Find().HighlightedCells(0x0004, 0x0007), expected);
        f.Click(f.Hex(), 0x0003);
        f.Shortcut(Qt::Key_H, Qt::ControlModifier);
        QCOMPARE(f.dialogCalls.back(), (DialogCall{"Replace", 0x0003, false}));
    }

    // Alt+arrows, since the desktops keep Ctrl+Alt+arrows for their workspaces.
    void CtrlBSetsBookmarksThatAltArrowsVisit()
    {
        EditorFixture f;
        for (const std::int32_t address : {0x0100, 0x0300}) {
            f.editor.SelectAddress(address);
            f.Shortcut(Qt::Key_B, Qt::ControlModifier);
        }
        QVERIFY(f.editor.Commands().Bookmarks().Marks().Contains(0x0100));
        f.editor.SelectAddress(0x0000);
        f.Shortcut(Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(f.editor.CursorAddress(), 0x0100);
        f.Shortcut(Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(f.editor.CursorAddress(), 0x0300);
        f.Shortcut(Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(f.editor.CursorAddress(), 0x0100);
        f.Shortcut(Qt::Key_B, Qt::ControlModifier);
        QVERIFY(!f.editor.Commands().Bookmarks().Marks().Contains(0x0100));
    }

    void ADroppedLocalFileIsHandedOnAndOtherDropsAreRefused()
    {
        EditorFixture f;
        QSignalSpy dropped(&f.editor, &THexEdit::FileDropped);
        QMimeData data;
        data.setUrls({QUrl(QStringLiteral("https://example.org/x.hex")), QUrl::fromLocalFile(QStringLiteral("/tmp/a.zef"))});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&f.editor, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&f.editor, &drop);
        QCOMPARE(dropped.count(), 1);
        QCOMPARE(dropped.at(0).at(0).toString(), QStringLiteral("/tmp/a.zef"));

        QMimeData text;
        text.setText(QStringLiteral("12 34"));
        QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
        refused.ignore();
        QApplication::sendEvent(&f.editor, &refused);
        QVERIFY(!refused.isAccepted());
    }
};

} // namespace zav

QTEST_MAIN(zav::HexEditExtrasTest)
#include "hex_edit_extras_test.moc"
