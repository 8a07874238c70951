#include <QComboBox>
#include <QtTest>

#include "buffer/memory_buffer.h"
#include "ui/buffer/editor_commands.h"
#include "ui/buffer/find_commands.h"
#include "ui/buffer/hex_edit_window.h"
#include "ui/operations/replace_form.h"
#include "support/recording_messages.h"
#include "widgets/radio_group.h"

namespace zav {

class ReplaceFormTest : public QObject {
    Q_OBJECT

private slots:
    // Replace All from the dialog: the buffer changes as one undo step, the box counts the
    // matches and the editor marks the replacement's search text no more.
    void ReplaceAllWritesCountsAndMarksTheSearch()
    {
        testing::RecordingBoxes boxes;
        THexEdit editor(boxes);
        MemoryBuffer& buffer = editor.Buffer();
        buffer.BeginUpdate();
        for (const std::int32_t address : {0x10, 0x30}) buffer.SetByte(address, 0x5A);
        buffer.EndUpdate();
        TReplaceForm form(editor, 0x10, &editor);
        auto* search = form.findChild<QComboBox*>(QStringLiteral("SearchText"));
        QCOMPARE(search->currentText(), QStringLiteral("5A")); // the byte at the cursor
        form.findChild<QComboBox*>(QStringLiteral("ReplaceText"))->setEditText(QStringLiteral("A5"));

        form.ReplaceAllButton()->click();
        QCOMPARE(buffer.GetByte(0x10), 0xA5);
        QCOMPARE(buffer.GetByte(0x30), 0xA5);
        QCOMPARE(buffer.Undo().GroupCount(), 1);
        QCOMPARE(boxes.Texts(), (std::vector<std::string>{"2 matches replaced"}));
        QCOMPARE(editor.Commands().Find().HighlightedCells(0x30, 0x30), std::vector<bool>{false});

        editor.SelectAddress(0x00);
        search->setEditText(QStringLiteral("A5"));
        form.ReplaceButton()->click();
        // Away from a match, Replace only finds the next.
        QCOMPARE(editor.CursorAddress(), 0x10);
        QCOMPARE(editor.Commands().Find().HighlightedCells(0x30, 0x30), std::vector<bool>{true});
    }
};

} // namespace zav

QTEST_MAIN(zav::ReplaceFormTest)
#include "replace_form_test.moc"
