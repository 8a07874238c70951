#pragma once

#include <QApplication>
#include <QCursor>

namespace zav {

// Shows the busy cursor for as long as it lives, so the normal cursor comes back on every
// path out of a command, an exception included.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace zav
