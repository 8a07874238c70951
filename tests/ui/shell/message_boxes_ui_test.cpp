#include "ui/shell/qt_message_boxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

namespace zav {

namespace {

// Runs `action` on the box that opens next, once it is up.
void OnNextBox(std::function<void(QMessageBox&)> action)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            action(*box);
        }
    });
    poll->start(5);
}

} // namespace

class QtMessageBoxesTest : public QObject {
    Q_OBJECT

private slots:
    // The button the user presses is the answer; the text and the kind's caption are shown.
    void AnswersWithThePressedButton()
    {
        QtMessageBoxes boxes;
        QString caption;
        QString text;
        OnNextBox([&](QMessageBox& box) {
            caption = box.windowTitle();
            text = box.text();
            box.button(QMessageBox::No)->click();
        });
        QCOMPARE(boxes.AskYesNoCancel("Save buffer to file ?", BoxKind::Confirmation), BoxAnswer::No);
        QCOMPARE(caption, QStringLiteral("Confirm"));
        QCOMPARE(text, QStringLiteral("Save buffer to file ?"));

        OnNextBox([&](QMessageBox& box) {
            caption = box.windowTitle();
            box.button(QMessageBox::Ok)->click();
        });
        boxes.ShowError("To View Help install Acrobat Reader first");
        QCOMPARE(caption, QStringLiteral("Error"));
    }

    // Escape on a Yes/No question means No.
    void EscapeOnAQuestionIsNo()
    {
        QtMessageBoxes boxes;
        OnNextBox([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
        QVERIFY(!boxes.AskYesNo("Continue program CONFIG register ?", "Warning !!!", BoxKind::Warning));
    }

    // A box dismissed from outside (a stopped sequence) answers as its Escape button would,
    // so the waiting worker goes on.
    void DismissedBoxesAnswerNoCancelOrOk()
    {
        QtMessageBoxes boxes;
        OnNextBox([&boxes](QMessageBox&) { boxes.DismissOpenBoxes(); });
        QCOMPARE(boxes.Show({BoxKind::Warning, BoxButtons::YesNo, "Continue ?", "Warning !!!"}), BoxAnswer::No);
        OnNextBox([&boxes](QMessageBox&) { boxes.DismissOpenBoxes(); });
        QCOMPARE(boxes.Show({BoxKind::Confirmation, BoxButtons::YesNoCancel, "Save ?", ""}), BoxAnswer::Cancel);
        OnNextBox([&boxes](QMessageBox&) { boxes.DismissOpenBoxes(); });
        QCOMPARE(boxes.Show({BoxKind::Information, BoxButtons::Ok, "Remove WPO jumper and press OK button.", ""}),
                 BoxAnswer::Ok);
        boxes.DismissOpenBoxes();
    }
};

} // namespace zav

QTEST_MAIN(zav::QtMessageBoxesTest)
#include "message_boxes_ui_test.moc"
