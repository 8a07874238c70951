#include "window_grabber.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <memory>
#include <utility>

namespace {

constexpr int kPollMs = 20;
constexpr int kModalTimeoutMs = 10000;

void CloseModal(QWidget& window)
{
    if (auto* dialog = qobject_cast<QDialog*>(&window))
        dialog->reject();
    else
        window.close();
}

} // namespace

WindowGrabber::WindowGrabber(QDir folder) : folder_(std::move(folder)) {}

void WindowGrabber::Settle(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool WindowGrabber::WaitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        Settle(kPollMs);
    }
    return true;
}

// A window as a desktop shows it: the picture under a title bar with its caption.
QPixmap WindowGrabber::Framed(const QPixmap& picture, const QString& caption)
{
    const qreal ratio = picture.devicePixelRatio();
    const QSize content = picture.deviceIndependentSize().toSize();
    const int titleHeight = 26;
    QPixmap framed(QSize(content.width() + 2, content.height() + titleHeight + 2) * ratio);
    framed.setDevicePixelRatio(ratio);
    framed.fill(QColor(0x3c, 0x4a, 0x5a));
    QPainter painter(&framed);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(13);
    painter.setFont(font);
    // A narrow dialog keeps only the close button, so its caption still fits.
    const int buttons = content.width() >= 300 ? 3 : 1;
    const int buttonsWidth = buttons * 18 + 8;
    painter.drawText(QRect(10, 0, content.width() - 10 - buttonsWidth, titleHeight), Qt::AlignVCenter | Qt::AlignLeft,
                     caption);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < buttons; ++i) {
        painter.setBrush(i == buttons - 1 ? QColor(0xe0, 0x5a, 0x4e) : QColor(0x8a, 0x96, 0xa3));
        painter.drawEllipse(QPointF(content.width() - buttonsWidth + 14 + i * 18, titleHeight / 2.0), 6, 6);
    }
    painter.drawPixmap(QPoint(1, titleHeight + 1), picture);
    return framed;
}

QPixmap WindowGrabber::Save(QWidget& widget, const QString& name)
{
    Settle();
    // Offscreen windows have no frame; the picture gets a title bar with the window's
    // caption, so a reader finds the window by the name it shows.
    const QPixmap picture = Framed(widget.grab(), widget.window()->windowTitle());
    SavePicture(picture, name, WindowTexts(widget));
    return picture;
}

void WindowGrabber::SavePicture(const QPixmap& picture, const QString& name, const QString& texts)
{
    QImage image = picture.toImage();
    if (!texts.isEmpty()) image.setText(QStringLiteral("zav:texts"), texts);
    if (picture.isNull() || !image.save(folder_.filePath(name + QStringLiteral(".png"))))
        Fail(name + QStringLiteral(": the picture could not be saved"));
}

QString WindowGrabber::WindowTexts(const QWidget& window)
{
    constexpr int kRowsRead = 2000;
    QStringList texts{window.window()->windowTitle()};
    for (const QWidget* child : window.findChildren<QWidget*>()) {
        if (!child->isVisibleTo(&window)) continue;
        if (const auto* label = qobject_cast<const QLabel*>(child)) texts << label->text();
        if (const auto* button = qobject_cast<const QAbstractButton*>(child)) texts << button->text();
        if (const auto* field = qobject_cast<const QLineEdit*>(child)) texts << field->text();
        if (const auto* box = qobject_cast<const QGroupBox*>(child)) texts << box->title();
        if (const auto* text = qobject_cast<const QPlainTextEdit*>(child)) texts << text->toPlainText();
        if (const auto* view = qobject_cast<const QAbstractItemView*>(child); view != nullptr && view->model()) {
            const QAbstractItemModel& model = *view->model();
            for (int row = 0; row < std::min(model.rowCount(), kRowsRead); ++row) {
                for (int column = 0; column < model.columnCount(); ++column)
                    texts << model.index(row, column).data(Qt::DisplayRole).toString();
            }
        }
    }
    texts.removeAll(QString());
    return texts.join(QLatin1Char('\n'));
}

void WindowGrabber::SaveModal(const QString& name, const std::function<void()>& open,
                              const std::function<void(QWidget&)>& prepare,
                              const std::function<void(QWidget&)>& close)
{
    bool handled = false;
    QPointer<QTimer> poll = CatchModal(name, prepare, close, &handled, kModalTimeoutMs);
    open();
    Settle();
    if (handled) return;
    // Nothing opened: the armed catch must not take a later window for this one.
    delete poll.data();
    Fail(name + QStringLiteral(": no window opened"));
}

void WindowGrabber::ExpectModal(const QString& name, const std::function<void(QWidget&)>& close, int timeoutMs)
{
    CatchModal(name, {}, close, nullptr, timeoutMs);
}

QTimer* WindowGrabber::CatchModal(const QString& name, const std::function<void(QWidget&)>& prepare,
                                  const std::function<void(QWidget&)>& close, bool* handled, int timeoutMs)
{
    auto* poll = new QTimer(qApp);
    poll->setInterval(kPollMs);
    auto deadline = std::make_shared<QDeadlineTimer>(timeoutMs);
    QObject::connect(poll, &QTimer::timeout, poll, [=, this] {
        QWidget* window = QApplication::activeModalWidget();
        if (window == nullptr || !window->isVisible()) {
            if (deadline->hasExpired()) {
                Fail(name + QStringLiteral(": no window opened"));
                poll->stop();
                poll->deleteLater();
            }
            return;
        }
        poll->stop();
        poll->deleteLater();
        if (prepare) prepare(*window);
        Save(*window, name);
        if (close)
            close(*window);
        else
            CloseModal(*window);
        if (handled != nullptr) *handled = true;
    });
    poll->start();
    return poll;
}
