#include "ui/shell/hex_editor_options_window.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include "buffer/memory_buffer.h"
#include "ui/buffer/hex_edit_window.h"
#include "support/recording_messages.h"

namespace zav {

class HexEditorOptionsWindowTest : public QObject {
    Q_OBJECT

private:
    testing::RecordingBoxes boxes_;

    // Runs `use` on the dialog while it is shown modally.
    static void WhileOpen(THoptions& dialog, const std::function<void()>& use)
    {
        QTimer::singleShot(0, [&dialog, use] {
            use();
            if (dialog.isVisible()) dialog.reject();
        });
        dialog.exec();
    }

    static QComboBox* Box(THoptions& dialog, const char* name)
    {
        return dialog.findChild<QComboBox*>(QString::fromLatin1(name));
    }
    static QPushButton* Button(THoptions& dialog, const char* name)
    {
        return dialog.findChild<QPushButton*>(QString::fromLatin1(name));
    }

private slots:
    void ShowingSelectsTheEditorsOptions()
    {
        THexEdit editor(boxes_);
        THoptions dialog(editor, nullptr);
        WhileOpen(dialog, [&] {
            QCOMPARE(Box(dialog, "ComboBox3")->currentIndex(), 21);
            QCOMPARE(Box(dialog, "ComboBox5")->currentIndex(), 48);
            QCOMPARE(Box(dialog, "ComboBox4")->currentIndex(), 3);
            QCOMPARE(Box(dialog, "ComboBox6")->currentIndex(), 58);
            QCOMPARE(Box(dialog, "ComboBox7")->currentIndex(), 63);
            QCOMPARE(Box(dialog, "ComboBox1")->count(), QFontDatabase::families().size());
            const bool systemInstalled = QFontDatabase::families().contains(QStringLiteral("System"), Qt::CaseInsensitive);
            QCOMPARE(Box(dialog, "ComboBox1")->currentIndex() >= 0, systemInstalled);
            QVERIFY(!Button(dialog, "Button3")->isEnabled());
        });
    }

    void ApplyThenCancelKeepsTheAppliedChange()
    {
        THexEdit editor(boxes_);
        THoptions dialog(editor, nullptr);
        WhileOpen(dialog, [&] {
            QTest::keyClick(Box(dialog, "ComboBox7"), Qt::Key_Home);
            QVERIFY(Button(dialog, "Button3")->isEnabled());
            QTest::mouseClick(Button(dialog, "Button3"), Qt::LeftButton);
            QCOMPARE(editor.GetEditorOptions().colours.background, 0x000000u);
            QVERIFY(dialog.isVisible());
            QVERIFY(Button(dialog, "Button3")->isEnabled());
            QTest::keyClick(Box(dialog, "ComboBox3"), Qt::Key_Home);
            QTest::mouseClick(Button(dialog, "Button2"), Qt::LeftButton);
        });
        QCOMPARE(editor.GetEditorOptions().colours.background, 0x000000u);
        QCOMPARE(editor.GetEditorOptions().colours.fixed, EditorColours{}.fixed);
        // The next showing starts from the applied values.
        WhileOpen(dialog, [&] { QCOMPARE(Box(dialog, "ComboBox7")->currentIndex(), 0); });
    }

    void OkWithoutChangesKeepsTheOptionsAndClearsEditedMarks()
    {
        THexEdit editor(boxes_);
        editor.Buffer().SetByte(0x0010, 0x77);
        QCOMPARE(editor.Buffer().GetCellColour(0x0010), EditorColours{}.edited);
        const EditorOptions before = editor.GetEditorOptions();
        THoptions dialog(editor, nullptr);
        WhileOpen(dialog, [&] { QTest::mouseClick(Button(dialog, "Button1"), Qt::LeftButton); });
        QCOMPARE(editor.GetEditorOptions(), before);
        QCOMPARE(editor.Buffer().GetCellColour(0x0010), EditorColours{}.notEdited);
    }
};

} // namespace zav

QTEST_MAIN(zav::HexEditorOptionsWindowTest)
#include "hex_editor_options_window_test.moc"
