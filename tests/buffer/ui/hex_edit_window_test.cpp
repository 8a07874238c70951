#include "buffer/ui/hex_edit_window.h"

#include <QAction>
#include <QLabel>
#include <QTest>

#include "buffer/memory_buffer.h"
#include "buffer/ui/hex_grid_view.h"
#include "support/recording_messages.h"

namespace zav {

class HexEditWindowTest : public QObject {
    Q_OBJECT

private:
    testing::RecordingBoxes boxes_;

    static QString Panel(THexEdit& editor, int panel)
    {
        return editor.findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(panel))->text();
    }

private slots:
    void TwoDigitsMakeOneByteInTwoUndoSteps()
    {
        THexEdit editor(boxes_);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        editor.HexPane().setFocus();
        QTest::keyClick(&editor.HexPane(), Qt::Key_4);
        QCOMPARE(editor.Buffer().GetByte(0), 0x40);
        QCOMPARE(editor.CursorAddress(), 0);
        QTest::keyClick(&editor.HexPane(), Qt::Key_1);
        QCOMPARE(editor.Buffer().GetByte(0), 0x41);
        QCOMPARE(editor.CursorAddress(), 1);
        QCOMPARE(editor.Buffer().Undo().GroupCount(), 2);
        QCOMPARE(Panel(editor, 0), QStringLiteral(" 0001"));
    }
};

} // namespace zav

QTEST_MAIN(zav::HexEditWindowTest)
#include "hex_edit_window_test.moc"
