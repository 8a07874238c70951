#include "ui/shell/qt_message_boxes.h"

#include <QLabel>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>

#include "widgets/latin1_text.h"
#include "widgets/system_text.h"

namespace zav {

namespace {

// How a box of each kind looks: its icon, and the caption it carries when it names none, as
// the desktop's own dialogs do.
struct KindLook {
    QMessageBox::Icon icon;
    const char* caption;
};

KindLook LookOf(BoxKind kind)
{
    switch (kind) {
    case BoxKind::Error:
        return {QMessageBox::Critical, "Error"};
    case BoxKind::Warning:
        return {QMessageBox::Warning, "Warning"};
    case BoxKind::Confirmation:
        return {QMessageBox::Question, "Confirm"};
    case BoxKind::Information:
        break;
    }
    return {QMessageBox::Information, ""};
}

// An instruction box keeps its empty caption.
QString CaptionOf(const BoxRequest& request)
{
    if (!request.caption.empty()) return FromLatin1(request.caption);
    return QString::fromLatin1(LookOf(request.kind).caption);
}

QMessageBox::StandardButtons ButtonsOf(BoxButtons buttons)
{
    switch (buttons) {
    case BoxButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case BoxButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case BoxButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

BoxAnswer AnswerOf(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return BoxAnswer::Yes;
    case QMessageBox::No:
        return BoxAnswer::No;
    case QMessageBox::Cancel:
        return BoxAnswer::Cancel;
    default:
        return BoxAnswer::Ok;
    }
}

} // namespace

BoxAnswer QtMessageBoxes::Show(const BoxRequest& request)
{
    QMessageBox box(LookOf(request.kind).icon, CaptionOf(request), FromSystemText(request.text),
                    ButtonsOf(request.buttons), parent_);
    box.setTextFormat(Qt::PlainText);
    // QMessageBox wraps at a narrow width of its own; a line of the text is kept whole
    // where the screen has room for it.
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        int widest = 0;
        for (const QString& line : box.text().split(QLatin1Char('\n'))) {
            widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
        }
        const QScreen* screen = box.screen();
        const int room = screen != nullptr ? screen->availableGeometry().width() * 2 / 3 : 800;
        label->setMinimumWidth(std::min(widest + 2, room));
    }
    box.setWindowModality(Qt::ApplicationModal);
    if (request.buttons == BoxButtons::YesNo) box.setEscapeButton(QMessageBox::No);
    open_.emplace_back(&box);
    const int button = box.exec();
    std::erase_if(open_, [&box](const QPointer<QMessageBox>& shown) { return shown.isNull() || shown == &box; });
    // A box closed from outside (a stop) returns no button; it counts as its Escape button.
    if (button == 0 || button == -1) {
        if (request.buttons == BoxButtons::YesNo) return BoxAnswer::No;
        if (request.buttons == BoxButtons::YesNoCancel) return BoxAnswer::Cancel;
    }
    return AnswerOf(button);
}

void QtMessageBoxes::DismissOpenBoxes()
{
    for (const auto& box : open_) {
        if (!box.isNull()) box->done(0);
    }
}

} // namespace zav
