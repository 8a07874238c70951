#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "buffer/memory_buffer.h"
#include "ui/buffer/editor_commands.h"
#include "ui/buffer/editor_status.h"
#include "ui/buffer/find_commands.h"
#include "ui/buffer/hex_edit_window.h"
#include "ui/operations/copy_as_form.h"
#include "ui/operations/copy_range_form.h"
#include "ui/operations/fill_form.h"
#include "ui/operations/find_form.h"
#include "ui/operations/go_to_form.h"
#include "ui/operations/swap_form.h"
#include "support/recording_messages.h"
#include "ui/widget_finders.h"

namespace zav {

using testing::RecordingBoxes;

using testing::OnNextModal;

namespace {

void Set(QDialog& dialog, const char* field, const char* text)
{
    dialog.findChild<QComboBox*>(QString::fromLatin1(field))->setEditText(QString::fromLatin1(text));
}

void Ok(QDialog& dialog)
{
    dialog.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
}

} // namespace

// The editor's commands open the real dialogs, which act on its buffer and move its cursor.
class EditorDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        editor = std::make_unique<THexEdit>(boxes);
        editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
    }
    void cleanup() { editor.reset(); }

    void fillThenUndoAndTheCursorOnTheLastCell()
    {
        editor->SelectAddress(0x0120);
        OnNextModal<TForm5>([](TForm5& dialog) {
            Set(dialog, "ComboBox1", "0x77");
            Set(dialog, "ComboBox2", "0x0110");
            Ok(dialog);
        });
        editor->Action(EditorAction::Fill)->trigger();
        QCOMPARE(int(editor->Buffer().GetByte(0x0110)), 0x77);
        QCOMPARE(int(editor->Buffer().GetByte(0x0120)), 0x77);
        QCOMPARE(editor->CursorAddress(), 0x0120);
        editor->Action(EditorAction::Undo)->trigger();
        QCOMPARE(int(editor->Buffer().GetByte(0x0110)), 0);
    }

    void findThenSearchAgainWithoutTheDialog()
    {
        editor->Buffer().SetByte(0x0200, 0xC3);
        editor->Buffer().SetByte(0x0300, 0xC3);
        QVERIFY(!editor->Action(EditorAction::SearchAgain)->isEnabled());
        OnNextModal<TForm7>([](TForm7& dialog) {
            Set(dialog, "ComboBox1", "C3");
            Ok(dialog);
        });
        editor->Action(EditorAction::Find)->trigger();
        QCOMPARE(editor->CursorAddress(), 0x0200);
        // Every match is marked once the search found one.
        QCOMPARE(editor->Commands().Find().HighlightedCells(0x0300, 0x0300), std::vector<bool>{true});
        QVERIFY(editor->Action(EditorAction::SearchAgain)->isEnabled());
        editor->Action(EditorAction::SearchAgain)->trigger();
        QCOMPARE(editor->CursorAddress(), 0x0300);
        QCOMPARE(editor->Status().PassingNote(), QString());
        // Past the last match Search Again goes on from the start and says so, without a box.
        editor->Action(EditorAction::SearchAgain)->trigger();
        QCOMPARE(editor->CursorAddress(), 0x0200);
        QVERIFY(editor->Status().PassingNote().contains(QStringLiteral("went on from the start")));
        QVERIFY(boxes.shown.empty());
    }

    void goToAndSwap()
    {
        OnNextModal<TForm3>([](TForm3& dialog) {
            Set(dialog, "ComboBox1", "0xFFFF");
            Ok(dialog);
        });
        editor->Action(EditorAction::GoToAddr)->trigger();
        QCOMPARE(editor->CursorAddress(), 0xFFFF);

        editor->Buffer().SetByte(0, 0x01);
        OnNextModal<TForm4>([](TForm4& dialog) { Ok(dialog); });
        editor->Action(EditorAction::Swap)->trigger();
        QCOMPARE(int(editor->Buffer().GetByte(0)), 0x80);
    }

    void copyOfOneCellAsksForARangeAndCopyAsTakesTheSelection()
    {
        editor->Buffer().SetByte(0x0010, 0xAB);
        editor->SelectAddress(0x0010);
        OnNextModal<TForm2>([](TForm2& dialog) {
            Set(dialog, "ComboBox2", "0x0011");
            Ok(dialog);
        });
        editor->Action(EditorAction::Copy)->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("AB 00 "));

        editor->Action(EditorAction::SelectAll)->trigger();
        bool addressesEnabled = true;
        OnNextModal<TForm6>([&addressesEnabled](TForm6& dialog) {
            addressesEnabled = dialog.findChild<QComboBox*>(QStringLiteral("ComboBox2"))->isEnabled();
            Ok(dialog);
        });
        editor->Action(EditorAction::CopyAs)->trigger();
        QVERIFY(!addressesEnabled);
        QVERIFY(
            QGuiApplication::clipboard()->text().contains(QStringLiteral("unsigned char Data1[65536]={")));
    }

private:
    RecordingBoxes boxes;
    std::unique_ptr<THexEdit> editor;
};

} // namespace zav

QTEST_MAIN(zav::EditorDialogsTest)
#include "editor_dialogs_test.moc"
