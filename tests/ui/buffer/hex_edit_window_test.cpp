#include "ui/buffer/hex_edit_window.h"

#include <QFontDatabase>
#include <QRawFont>
#include <QSignalSpy>
#include <QSplitter>
#include <QWheelEvent>

#include <algorithm>

#include "buffer/memory_buffer.h"
#include "ui/buffer/byte_glyph_text.h"
#include "ui/buffer/explaine_window.h"
#include "editor_fixture.h"

namespace zav {

using testing::EditorFixture;

class HexEditWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QApplication::clipboard()->clear(); }

    // Key entry in the hex pane: the pending digit, the undo steps, the status bar.
    void TwoDigitsMakeOneByteInTwoUndoSteps()
    {
        EditorFixture f;
        f.Key(f.Hex(), Qt::Key_4);
        QCOMPARE(f.Buffer().GetByte(0), 0x40);
        QCOMPARE(f.editor.CursorAddress(), 0);
        QCOMPARE(f.Panel(1), QStringLiteral("Dec: 64"));
        f.Key(f.Hex(), Qt::Key_1);
        QCOMPARE(f.Buffer().GetByte(0), 0x41);
        QCOMPARE(f.editor.CursorAddress(), 1);
        QCOMPARE(f.Buffer().Undo().GroupCount(), 2);
        QCOMPARE(f.Panel(0), QStringLiteral(" 0001"));
        QCOMPARE(f.Panel(1), QStringLiteral("Dec: 0"));
        QCOMPARE(f.Panel(2), QStringLiteral("Bin: 00000000"));
        QCOMPARE(f.Panel(3), QStringLiteral("Read/Write"));
        QCOMPARE(f.Panel(4), QStringLiteral("Char Set: Terminal"));
        QVERIFY(f.editor.Action(EditorAction::Undo)->isEnabled());
    }

    void ANonDigitChangesNothingAndKeepsThePendingDigit()
    {
        EditorFixture f;
        f.Type(f.Hex(), "4G");
        QCOMPARE(f.Buffer().GetByte(0), 0x40);
        QCOMPARE(f.Buffer().Undo().GroupCount(), 1);
        // Still the second digit of the same byte.
        f.Type(f.Hex(), "1");
        QCOMPARE(f.Buffer().GetByte(0), 0x41);
        QCOMPARE(f.editor.CursorAddress(), 1);
    }

    void TheLastCellKeepsTheCursorAfterItsSecondDigit()
    {
        EditorFixture f;
        f.editor.SelectAddress(0xFFFF);
        f.Type(f.Hex(), "ab");
        QCOMPARE(f.Buffer().GetByte(0xFFFF), 0xAB);
        QCOMPARE(f.editor.CursorAddress(), 0xFFFF);
        QCOMPARE(f.Panel(0), QStringLiteral(" FFFF"));
    }

    void CharacterPaneStoresCharactersAndWrapsToTheNextRow()
    {
        EditorFixture f;
        f.Char().setFocus();
        f.editor.SelectAddress(0x000F);
        f.Type(f.Char(), "A");
        QCOMPARE(f.Buffer().GetByte(0x000F), 0x41);
        QCOMPARE(f.editor.CursorAddress(), 0x0010);
        // Control characters are stored as they come; one undo step per character.
        f.Key(f.Char(), Qt::Key_Return);
        QCOMPARE(f.Buffer().GetByte(0x0010), 0x0D);
        QCOMPARE(f.Buffer().Undo().GroupCount(), 2);
        // A character the pane shows stores the byte shown as it; one it cannot show is
        // refused rather than stored as another byte.
        QKeyEvent acute(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\u00E9"));
        QApplication::sendEvent(&f.Char(), &acute);
        QCOMPARE(f.Buffer().GetByte(0x0011), 0x82);
        QKeyEvent euro(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\u20AC"));
        QApplication::sendEvent(&f.Char(), &euro);
        QCOMPARE(f.Buffer().GetByte(0x0012), 0x00);
        QCOMPARE(f.editor.CursorAddress(), 0x0012);
    }

    void AClickBetweenTwoDigitsStartsANewByte()
    {
        EditorFixture f;
        f.Type(f.Hex(), "4");
        // The centre of a byte's cell lies between its two digits.
        f.Click(f.Hex(), 0x0000);
        f.Type(f.Hex(), "1");
        QCOMPARE(f.Buffer().GetByte(0), 0x10);
        QCOMPARE(f.editor.CursorAddress(), 0);
    }

    void FocusChangeStartsANewByteAndMovesTheScrollBar()
    {
        EditorFixture f;
        auto* splitter = f.editor.findChild<QSplitter*>(QStringLiteral("Splitter1"));
        const int hexWidth = splitter->sizes().value(0);
        QVERIFY(f.Hex().verticalScrollBar()->isVisible());
        QVERIFY(!f.Char().verticalScrollBar()->isVisible());
        f.Type(f.Hex(), "4");
        f.Char().setFocus();
        QVERIFY(f.Char().verticalScrollBar()->isVisible());
        QVERIFY(!f.Hex().verticalScrollBar()->isVisible());
        const int barWidth = f.Char().verticalScrollBar()->width();
        QCOMPARE(splitter->sizes().value(0), hexWidth - barWidth);
        f.Hex().setFocus();
        QCOMPARE(splitter->sizes().value(0), hexWidth);
        f.Type(f.Hex(), "7");
        QCOMPARE(f.Buffer().GetByte(0), 0x70);
    }

    // Grid keys, with and without Shift; one selection in both panes.
    void GridKeysMoveAndShiftExtends()
    {
        EditorFixture f;
        const int page = f.Hex().FittingRows();
        f.Key(f.Hex(), Qt::Key_Right);
        f.Key(f.Hex(), Qt::Key_Down);
        QCOMPARE(f.editor.CursorAddress(), 0x0011);
        f.Key(f.Hex(), Qt::Key_End);
        QCOMPARE(f.editor.CursorAddress(), 0x001F);
        f.Key(f.Hex(), Qt::Key_Home);
        QCOMPARE(f.editor.CursorAddress(), 0x0010);
        f.Key(f.Hex(), Qt::Key_PageDown);
        QCOMPARE(f.editor.CursorAddress(), 0x0010 + page * 16);
        QCOMPARE(f.Hex().verticalScrollBar()->value(), page);
        QCOMPARE(f.Char().verticalScrollBar()->value(), page);
        f.Key(f.Hex(), Qt::Key_PageUp);
        QCOMPARE(f.editor.CursorAddress(), 0x0010);
        f.Key(f.Hex(), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(f.editor.CursorAddress(), 0xFFFF);
        QCOMPARE(f.Hex().verticalScrollBar()->value(), 4096 - f.Hex().FittingRows());
        f.Key(f.Hex(), Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(f.editor.CursorAddress(), 0);
        QVERIFY(!f.editor.HasSelection());

        f.Key(f.Hex(), Qt::Key_Right, Qt::ShiftModifier);
        f.Key(f.Hex(), Qt::Key_Down, Qt::ShiftModifier);
        QVERIFY(f.editor.HasSelection());
        QCOMPARE(f.editor.CurrentSelection().CellCount(), 4);
        // The character pane moves the same cursor and extends the same selection.
        f.Char().setFocus();
        f.Key(f.Char(), Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(f.editor.CurrentSelection().CellCount(), 6);
        f.Key(f.Char(), Qt::Key_Left);
        QVERIFY(!f.editor.HasSelection());
        QCOMPARE(f.editor.CursorAddress(), 0x0011);
    }

    void DragAndShiftClickSelectABlock()
    {
        EditorFixture f;
        QTest::mousePress(f.Hex().viewport(), Qt::LeftButton, {}, f.Hex().CellCentre(0x0001));
        QMouseEvent move(QEvent::MouseMove, f.Hex().CellCentre(0x0023), f.Hex().viewport()->mapToGlobal(f.Hex().CellCentre(0x0023)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.Hex().viewport(), &move);
        QTest::mouseRelease(f.Hex().viewport(), Qt::LeftButton, {}, f.Hex().CellCentre(0x0023));
        QCOMPARE(f.editor.CurrentSelection().TopLeftAddress(), 0x0001);
        QCOMPARE(f.editor.CurrentSelection().BottomRightAddress(), 0x0023);

        f.Click(f.Char(), 0x0042);
        QVERIFY(!f.editor.HasSelection());
        f.Click(f.Char(), 0x0050, Qt::ShiftModifier);
        QCOMPARE(f.editor.CurrentSelection().TopLeftAddress(), 0x0040);
        QCOMPARE(f.editor.CurrentSelection().BottomRightAddress(), 0x0052);
        QCOMPARE(f.editor.CursorAddress(), 0x0050);
        // A click on the address column selects nothing.
        f.editor.SelectAddress(0x0005);
        QTest::mouseClick(f.Hex().viewport(), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(f.editor.CursorAddress(), 0x0005);
    }

    void TheWheelScrollsBothPanesAndLeavesTheCursor()
    {
        EditorFixture f;
        const QPoint at = f.Char().viewport()->rect().center();
        QWheelEvent wheel(at, f.Char().viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(f.Char().viewport(), &wheel);
        const int top = f.Hex().verticalScrollBar()->value();
        QVERIFY(top > 0);
        QCOMPARE(f.Char().verticalScrollBar()->value(), top);
        QCOMPARE(f.editor.CursorAddress(), 0);
    }

    void SelectAddressAndShowAddressAtTop()
    {
        EditorFixture f;
        f.editor.SelectAddress(0x10000);
        QCOMPARE(f.editor.CursorAddress(), 0xFFFF);
        f.editor.ShowAddressAtTop(0x0100);
        QCOMPARE(f.editor.CursorAddress(), 0x0100);
        QCOMPARE(f.Hex().verticalScrollBar()->value(), 0x10);
        // Near the end the grid scrolls only as far as it can.
        f.editor.ShowAddressAtTop(0xFFE0);
        QCOMPARE(f.Hex().verticalScrollBar()->value(), 4096 - f.Hex().FittingRows());
    }

    // What the character pane shows: "." for 0x00 and 0xFF, code page 437 otherwise.
    void EmptyAndErasedBytesShowAsDots()
    {
        EditorFixture f;
        f.Load(0, {0x00, '.', 0xFF, 0x41, 'A', 0xE9});
        // The cursor away from the cells compared, so none of them is highlighted.
        f.editor.SelectAddress(0x0030);
        QImage image = f.Char().viewport()->grab().toImage();
        const auto cell = [&](std::int32_t address) {
            const QPoint centre = f.Char().CellCentre(address);
            return image.copy(QRect(centre - QPoint(3, 6), QSize(6, 12)));
        };
        QCOMPARE(cell(0), cell(1));
        QCOMPARE(cell(2), cell(1));
        QCOMPARE(cell(3), cell(4));
        QVERIFY(cell(0) != cell(3));
        // 0xE9 is the code page's Theta, not a plain letter.
        f.Load(0x10, {'e'});
        image = f.Char().viewport()->grab().toImage();
        QVERIFY(cell(5) != cell(0x10));
    }

    // Control bytes and the upper half show a glyph of the pane's own font, never its empty
    // box: the default font holds every glyph, and each draws differently from a blank.
    void EveryByteShowsAVisibleGlyph()
    {
        EditorFixture f;
        const QRawFont font = QRawFont::fromFont(f.Char().font());
        for (int value = 0; value < 256; ++value) {
            const QChar glyph = GlyphOf(static_cast<std::uint8_t>(value));
            QVERIFY2(font.supportsCharacter(glyph), qPrintable(QString::number(value, 16)));
        }
        f.Load(0, {0x20, 0x01, 0x02, 0x0D, 0x1B, 0x7F, 0x80, 0x9F, 0xB0, 0xFE});
        f.editor.SelectAddress(0x0030);
        const QImage image = f.Char().viewport()->grab().toImage();
        const auto cell = [&](std::int32_t address) {
            const QPoint centre = f.Char().CellCentre(address);
            return image.copy(QRect(centre - QPoint(3, 6), QSize(6, 12)));
        };
        for (std::int32_t address = 1; address <= 9; ++address) QVERIFY2(cell(address) != cell(0), qPrintable(QString::number(address)));
        QVERIFY(cell(1) != cell(2));
        QCOMPARE(f.Char().MissingGlyphs(), 0);

        // A font chosen for the pane that lacks some of the pictures borrows them.
        const QString glyphs = AllGlyphs();
        QString lacking;
        for (const QString& family : QFontDatabase::families()) {
            const QRawFont raw = QRawFont::fromFont(QFont(family));
            if (std::any_of(glyphs.begin(), glyphs.end(), [&raw](QChar c) { return !raw.supportsCharacter(c); })) {
                lacking = family;
                break;
            }
        }
        if (lacking.isEmpty()) QSKIP("every font here has every glyph");
        EditorOptions options = f.editor.GetEditorOptions();
        options.rightFont = lacking.toStdString();
        f.editor.ApplyEditorOptions(options);
        QCOMPARE(f.Char().MissingGlyphs(), 0);
    }

    void OptionsKeepDescribedColoursAndNameTheCharacterSet()
    {
        EditorFixture f;
        f.Buffer().Descriptions().SetDescriptionRow(0, 0x0020, 12, false, "");
        EditorOptions options = f.editor.GetEditorOptions();
        options.rightFont = "Courier New";
        options.colours.notEdited = 0x00AA00;
        f.editor.ApplyEditorOptions(options);
        QCOMPARE(f.Buffer().GetCellColour(0x0020), ColourFromIndex(12));
        QCOMPARE(f.Buffer().GetCellColour(0x0021), 0x00AA00u);
        QCOMPARE(f.Panel(4), QStringLiteral("Char Set: Courier New"));
        QCOMPARE(f.editor.GetEditorOptions(), options);
    }

    // The window's life: shown and closed (only hidden), its caption and its actions.
    void ShowAndCloseNotifyAndSwitchTheActions()
    {
        testing::RecordingBoxes boxes;
        THexEdit editor(boxes);
        QSignalSpy opened(&editor, &THexEdit::HexEditOpen);
        QSignalSpy closed(&editor, &THexEdit::HexEditClose);
        QCOMPARE(editor.windowTitle(), QStringLiteral("HexEdit"));
        QVERIFY(!editor.Action(EditorAction::Copy)->isEnabled());
        QVERIFY(editor.Action(EditorAction::Property)->isEnabled());

        editor.Buffer().Descriptions().SetProjectName("Board");
        editor.Buffer().Descriptions().SetDeviceName("MC68HC11E9");
        editor.show();
        QCOMPARE(opened.count(), 1);
        QCOMPARE(editor.windowTitle(), QStringLiteral("Board MC68HC11E9"));
        for (const EditorAction action : {EditorAction::Copy, EditorAction::SelectAll, EditorAction::Fill,
                                          EditorAction::CopyAs, EditorAction::Find, EditorAction::GoToAddr,
                                          EditorAction::Swap}) {
            QVERIFY(editor.Action(action)->isEnabled());
        }
        QVERIFY(!editor.Action(EditorAction::Undo)->isEnabled());
        QVERIFY(!editor.Action(EditorAction::SearchAgain)->isEnabled());

        QVERIFY(editor.close());
        QCOMPARE(closed.count(), 1);
        QVERIFY(!editor.isVisible());
        QVERIFY(!editor.Action(EditorAction::Copy)->isEnabled());
        QVERIFY(editor.Action(EditorAction::Property)->isEnabled());
        // The description window's names keep the caption.
        editor.Buffer().Descriptions().SetDeviceName("TMS370C756");
        QCOMPARE(editor.windowTitle(), QStringLiteral("Board TMS370C756"));
    }

    void WindowLayoutRoundTrips()
    {
        testing::RecordingBoxes boxes;
        THexEdit editor(boxes);
        WindowLayout layout = editor.GetWindowLayout();
        layout.editor = {40, 50, 300, layout.editor.width - 10};
        layout.editorVisible = true;
        layout.editorPaneWidth = 300;
        layout.description = {80, 90, 290, 380};
        layout.descriptionVisible = true;
        editor.SetWindowLayout(layout);
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        const WindowLayout read = editor.GetWindowLayout();
        QCOMPARE(read.editor.height, 300);
        QCOMPARE(read.editor.width, layout.editor.width);
        QCOMPARE(read.editorPaneWidth, 300);
        QVERIFY(read.editorVisible);
        QCOMPARE(read.description.width, 380);
        QVERIFY(read.descriptionVisible);
        QVERIFY(editor.DescriptionWindow().isVisible());
    }

    // The editor builds its fonts and panes when first shown: one shown only after the buffer,
    // the fonts, the layout and the cursor were set shows what one shown from the start does.
    void AnEditorShownLateShowsWhatOneShownEarlyDoes()
    {
        testing::RecordingBoxes boxes;
        THexEdit early(boxes);
        THexEdit late(boxes);
        early.show();
        QVERIFY(QTest::qWaitForWindowExposed(&early));
        for (THexEdit* editor : {&early, &late}) {
            MemoryBuffer& buffer = editor->Buffer();
            buffer.BeginUpdate();
            for (std::int32_t address = 0x0100; address < 0x0400; ++address)
                buffer.SetByte(address, static_cast<std::uint8_t>(address * 3));
            buffer.EndUpdate();
            buffer.Descriptions().SetDescriptionRow(0, 0x0120, 12, false, "");
            EditorOptions options = editor->GetEditorOptions();
            options.leftFont = "Courier New";
            options.colours.notEdited = 0x00AA00;
            editor->ApplyEditorOptions(options);
            WindowLayout layout = editor->GetWindowLayout();
            layout.editor = {60, 70, 320, layout.editor.width};
            layout.editorPaneWidth = 330;
            editor->SetWindowLayout(layout);
            editor->ShowAddressAtTop(0x0180);
        }
        late.show();
        QVERIFY(QTest::qWaitForWindowExposed(&late));
        QCOMPARE(late.GetWindowLayout(), early.GetWindowLayout());
        QCOMPARE(late.CursorAddress(), early.CursorAddress());
        QCOMPARE(late.HexPane().verticalScrollBar()->value(), early.HexPane().verticalScrollBar()->value());
        // Neither has the focus, which marks the cursor cell differently.
        QWidget elsewhere;
        elsewhere.show();
        elsewhere.activateWindow();
        QTRY_VERIFY(elsewhere.isActiveWindow());
        QCOMPARE(late.grab().toImage(), early.grab().toImage());
    }

    void APaneWidthSetWhileHiddenHoldsWhenShown()
    {
        testing::RecordingBoxes boxes;
        THexEdit editor(boxes);
        // Read before the first showing, the layout is the one the window will have.
        {
            THexEdit other(boxes);
            const int before = other.GetWindowLayout().editorPaneWidth;
            other.show();
            QVERIFY(QTest::qWaitForWindowExposed(&other));
            QCOMPARE(other.GetWindowLayout().editorPaneWidth, before);
        }
        WindowLayout layout = editor.GetWindowLayout();
        layout.editorPaneWidth = 300;
        editor.SetWindowLayout(layout);
        QCOMPARE(editor.GetWindowLayout().editorPaneWidth, 300);
        QVERIFY(!editor.isVisible());
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QCOMPARE(editor.GetWindowLayout().editorPaneWidth, 300);
        QCOMPARE(editor.HexPane().width(), 300 + (editor.HexPane().verticalScrollBar()->isVisible()
                                                      ? editor.HexPane().verticalScrollBar()->width()
                                                      : 0));
    }
};

} // namespace zav

QTEST_MAIN(zav::HexEditWindowTest)
#include "hex_edit_window_test.moc"
