#include "window_grabber.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QWidget>

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

QPixmap WindowGrabber::Save(QWidget& widget, const QString& name)
{
    Settle();
    const QPixmap picture = widget.grab();
    SavePicture(picture, name);
    return picture;
}

void WindowGrabber::SavePicture(const QPixmap& picture, const QString& name)
{
    if (picture.isNull() || !picture.save(folder_.filePath(name + QStringLiteral(".png"))))
        Fail(name + QStringLiteral(": the picture could not be saved"));
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
