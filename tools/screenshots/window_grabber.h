#pragma once

#include <QDir>
#include <QPixmap>
#include <QString>
#include <QStringList>

#include <functional>

class QTimer;
class QWidget;

// Saves pictures of the program's windows as PNG files, as they are painted now, on any
// platform (offscreen too). Modal windows are caught while their owner's call runs.
class WindowGrabber {
public:
    explicit WindowGrabber(QDir folder);

    // Lets pending layout and painting happen first.
    static void Settle(int milliseconds = 60);
    // Runs events until `condition` holds; false after `timeoutMs`.
    static bool WaitUntil(const std::function<bool()>& condition, int timeoutMs);

    // A window as a desktop shows it: the picture under a title bar with its caption.
    [[nodiscard]] static QPixmap Framed(const QPixmap& picture, const QString& caption);

    // <name>.png of `widget` in its frame; the picture is returned for composing others.
    QPixmap Save(QWidget& widget, const QString& name);
    // The picture, carrying the texts the window shows (see WindowTexts) for the manual's
    // checks, which cannot read pictures.
    void SavePicture(const QPixmap& picture, const QString& name, const QString& texts = {});
    // Every text a window shows, one a line: its caption, labels, buttons, fields and the
    // rows of its lists and tables.
    [[nodiscard]] static QString WindowTexts(const QWidget& window);

    // Calls `open`, which shows a modal window and returns when it is closed. While it runs,
    // the modal window is given to `prepare`, saved as <name>.png and closed by `close`
    // (by default rejected). A call that shows no modal window is a failure.
    void SaveModal(const QString& name, const std::function<void()>& open,
                   const std::function<void(QWidget&)>& prepare = {},
                   const std::function<void(QWidget&)>& close = {});

    // As SaveModal for a modal window that something else opens later (a sequence's
    // question): armed now, it catches the next modal window within `timeoutMs`.
    void ExpectModal(const QString& name, const std::function<void(QWidget&)>& close, int timeoutMs);

    void Fail(const QString& what) { failures_.append(what); }
    [[nodiscard]] const QStringList& Failures() const { return failures_; }

private:
    // Arms a poll for the next modal window; `handled` is set once it was dealt with.
    QTimer* CatchModal(const QString& name, const std::function<void(QWidget&)>& prepare,
                    const std::function<void(QWidget&)>& close, bool* handled, int timeoutMs);

    QDir folder_;
    QStringList failures_;
};
