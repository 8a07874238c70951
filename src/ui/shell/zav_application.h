#pragma once

#include <QApplication>

namespace zav {

// The application object: its title, and the last net for an exception that escapes an
// event handler not wrapped as a command, which shows the exception box instead of ending
// the program.
class ZavApplication final : public QApplication {
    Q_OBJECT

public:
    ZavApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace zav
