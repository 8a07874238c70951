#include "ui/buffer/explaine_window.h"

#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTimer>

#include <functional>

#include "buffer/numeric_helpers.h"
#include "ui/buffer/description_table_model.h"
#include "editor_fixture.h"

namespace zav {

using testing::EditorFixture;

class ExplaineWindowTest : public QObject {
    Q_OBJECT

private:
    // Runs `fill` on the modal cell dialog once it is open, then presses its button.
    static void OnCellDialog(const std::function<void(QDialog&)>& fill, const char* button)
    {
        QTimer::singleShot(0, [fill, button] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Edit Cell"));
            fill(*dialog);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
            if (dialog->isVisible()) dialog->reject();
        });
    }

    static void TypeInto(QDialog& dialog, const char* box, const char* text)
    {
        QLineEdit* field = dialog.findChild<QComboBox*>(QString::fromLatin1(box))->lineEdit();
        field->selectAll();
        QTest::keyClicks(field, QString::fromLatin1(text));
    }

    // Types text as a keyboard layout or an input method would, any character at all (the
    // key clicks of QTest take Latin-1 only).
    static void TypeText(QWidget* widget, const QString& text)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype length = text[i].isHighSurrogate() ? 2 : 1;
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text.mid(i, length));
            QApplication::sendEvent(widget, &press);
            i += length - 1;
        }
    }

    static QString Shown(TExplaine& window, int row, int column)
    {
        return window.Grid().model()->index(row, column).data().toString();
    }

private slots:
    void CellDialogSetsValueAccessAndColourOfTheRow()
    {
        EditorFixture f;
        TExplaine& window = f.editor.DescriptionWindow();
        window.show();
        OnCellDialog(
            [](QDialog& dialog) {
                TypeInto(dialog, "ComboBox3", "0x0100");
                TypeInto(dialog, "ComboBox4", "0x1FF");
                dialog.findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setCurrentIndex(3);
                dialog.findChild<QComboBox*>(QStringLiteral("ComboBox2"))->setCurrentIndex(0);
                TypeInto(dialog, "ComboBox5", "status");
            },
            "Button1");
        window.CellEditAction()->trigger();
        QCOMPARE(f.Buffer().GetByte(0x0100), 0xFF);
        QVERIFY(f.Buffer().IsReadOnly(0x0100));
        QVERIFY(f.Buffer().Undo().IsEmpty());
        QCOMPARE(Shown(window, 0, DescriptionTableModel::Access), QStringLiteral("R"));
        QCOMPARE(Shown(window, 0, DescriptionTableModel::Address), QStringLiteral("0x0100"));
        QCOMPARE(Shown(window, 0, DescriptionTableModel::Value), QStringLiteral("0xFF"));
        QCOMPARE(Shown(window, 0, DescriptionTableModel::Comment), QStringLiteral("status"));
        const QColor swatch =
            window.Grid().model()->index(0, 0).data(DescriptionTableModel::kCellColourRole).value<QColor>();
        QCOMPARE(swatch, QColor(255, 0, 0));

        // Read/Write makes the cell writable again.
        OnCellDialog([](QDialog& dialog) { dialog.findChild<QComboBox*>(QStringLiteral("ComboBox2"))->setCurrentIndex(1); },
                     "Button1");
        window.CellEditAction()->trigger();
        QVERIFY(!f.Buffer().IsReadOnly(0x0100));
        QCOMPARE(Shown(window, 0, DescriptionTableModel::Access), QStringLiteral("W"));
    }

    void ATooBigAddressKeepsTheDialogOpenAndChangesNothing()
    {
        EditorFixture f;
        TExplaine& window = f.editor.DescriptionWindow();
        window.show();
        bool stayedOpen = false;
        QString value;
        OnCellDialog(
            [&stayedOpen, &value](QDialog& dialog) {
                TypeInto(dialog, "ComboBox3", "0x10000");
                value = dialog.findChild<QComboBox*>(QStringLiteral("ComboBox4"))->currentText();
                QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
                stayedOpen = dialog.isVisible();
            },
            "Button2");
        window.CellEditAction()->trigger();
        QVERIFY(stayedOpen);
        QCOMPARE(value, QStringLiteral("0x00"));
        QCOMPARE(f.boxes.Texts(), std::vector<std::string>{"Too big Address value"});
        QVERIFY(f.Buffer().Descriptions().IsDescriptionEmpty());
    }

    void AnyKeyInTheGridOpensTheCellDialog()
    {
        EditorFixture f;
        TExplaine& window = f.editor.DescriptionWindow();
        window.show();
        bool opened = false;
        OnCellDialog([&opened](QDialog&) { opened = true; }, "Button2");
        QTest::keyClick(&window.Grid(), Qt::Key_X);
        QVERIFY(opened);
    }

    void RowsAreAddedAndRemovedAtTheEnd()
    {
        EditorFixture f;
        TExplaine& window = f.editor.DescriptionWindow();
        window.show();
        window.AddRowAction()->trigger();
        window.AddRowAction()->trigger();
        QCOMPARE(window.Grid().model()->rowCount(), 3);
        QCOMPARE(Shown(window, 2, DescriptionTableModel::Address), QStringLiteral("0x0000"));
        for (int press = 0; press < 4; ++press) window.DeleteRowAction()->trigger();
        QCOMPARE(window.Grid().model()->rowCount(), 1);
        QCOMPARE(f.Buffer().Descriptions().GetDescriptionRowCount(), 1);
    }

    // A click on a row's long comment selects the row and keeps the view where it was.
    void AClickSelectsTheRowAndKeepsTheView()
    {
        EditorFixture f;
        TExplaine& window = f.editor.DescriptionWindow();
        window.AddRowAction()->trigger();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTableView& grid = window.Grid();
        const QRect comment = grid.visualRect(grid.model()->index(1, DescriptionTableModel::Comment));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(comment.left() + 10, comment.center().y()));
        // A view scrolls to a clicked item only once no double click can follow.
        QTest::qWait(QApplication::doubleClickInterval() + 200);
        QCOMPARE(grid.currentIndex().row(), 1);
        QCOMPARE(grid.selectionModel()->selectedRows().size(), 1);
        QCOMPARE(grid.horizontalScrollBar()->value(), 0);
    }

    void TheValueColumnFollowsTheBuffer()
    {
        EditorFixture f;
        f.Buffer().Descriptions().SetDescriptionRow(0, 0x0001, 48, false, "");
        TExplaine& window = f.editor.DescriptionWindow();
        window.show();
        f.editor.SelectAddress(0x0001);
        f.Type(f.Hex(), "5A");
        QCOMPARE(Shown(window, 0, DescriptionTableModel::Value), QStringLiteral("0x5A"));
    }

    void NamesSetBothCaptionsAndShowingNotifies()
    {
        EditorFixture f;
        TExplaine& window = f.editor.DescriptionWindow();
        QSignalSpy opened(&window, &TExplaine::ExplaineOpen);
        QSignalSpy closed(&window, &TExplaine::ExplaineClose);
        window.show();
        QCOMPARE(opened.count(), 1);
        QVERIFY(window.AddRowAction()->isEnabled());
        QTest::keyClicks(window.findChild<QLineEdit*>(QStringLiteral("ProjectName")), QStringLiteral("Pump"));
        QTest::keyClicks(window.findChild<QLineEdit*>(QStringLiteral("DeviceName")), QStringLiteral("MC68HC05B6"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Pump Description"));
        QCOMPARE(f.editor.windowTitle(), QStringLiteral("Pump MC68HC05B6"));
        QCOMPARE(f.Buffer().Descriptions().GetProjectName(), "Pump");
        window.close();
        QCOMPARE(closed.count(), 1);
        QVERIFY(!window.CellEditAction()->isEnabled());
        // A description loaded from a file shows in the fields.
        f.Buffer().Descriptions().SetProjectName("Loaded");
        QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("ProjectName"))->text(), QStringLiteral("Loaded"));
    }

    // The files keep names, notes and comments as Latin-1 bytes: a character they cannot
    // carry is refused with a message and left out, never stored as "?".
    void CharactersTheFilesCannotCarryAreRefused()
    {
        EditorFixture f;
        TExplaine& window = f.editor.DescriptionWindow();
        window.show();
        const std::string refusal = "The files keep names, notes and comments as Latin-1 (ISO 8859-1) text: "
                                    "\"\u20AC\" cannot be stored and was left out.";
        auto* name = window.findChild<QLineEdit*>(QStringLiteral("ProjectName"));
        TypeText(name, QStringLiteral("Caf\u00E9 \u20AC5"));
        QCOMPARE(name->text(), QStringLiteral("Caf\u00E9 5"));
        QCOMPARE(f.Buffer().Descriptions().GetProjectName(), "Caf\xE9 5");
        QCOMPARE(f.boxes.Texts(), std::vector<std::string>{refusal});

        f.boxes.shown.clear();
        auto* memo = window.findChild<QPlainTextEdit*>(QStringLiteral("ProjNotes"));
        TypeText(memo, QStringLiteral("\u65E5x"));
        QCOMPARE(memo->toPlainText(), QStringLiteral("x"));
        QCOMPARE(f.Buffer().Descriptions().GetNotes(), "x");
        QCOMPARE(f.boxes.Texts().size(), std::size_t{1});
        QVERIFY(f.boxes.Texts().front().find("\"\u65E5\"") != std::string::npos);

        f.boxes.shown.clear();
        OnCellDialog(
            [](QDialog& dialog) {
                QLineEdit* comment = dialog.findChild<QComboBox*>(QStringLiteral("ComboBox5"))->lineEdit();
                comment->setText(QStringLiteral("\u20AC pump"));
            },
            "Button1");
        window.CellEditAction()->trigger();
        QCOMPARE(f.boxes.Texts(), std::vector<std::string>{refusal});
        QCOMPARE(f.Buffer().Descriptions().RowNote(0), "");
    }

    // Notes keep CR LF between their lines, as the buffer files carry them.
    void NotesLinesAreSeparatedByCrLf()
    {
        EditorFixture f;
        TExplaine& window = f.editor.DescriptionWindow();
        window.show();
        f.Buffer().Descriptions().SetNotes("rev B\r\nsecond");
        auto* memo = window.findChild<QPlainTextEdit*>(QStringLiteral("ProjNotes"));
        QCOMPARE(memo->document()->blockCount(), 2);
        memo->moveCursor(QTextCursor::End);
        QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClicks(memo, QStringLiteral("x"));
        QCOMPARE(f.Buffer().Descriptions().GetNotes(), "rev B\r\nsecond\r\nx");
    }
};

} // namespace zav

QTEST_MAIN(zav::ExplaineWindowTest)
#include "explaine_window_test.moc"
