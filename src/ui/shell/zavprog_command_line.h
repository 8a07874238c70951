#pragma once

#include <QString>
#include <QStringList>

namespace zav {

// What zavprog's command line asks for. --help and --version are answered on the terminal
// without opening a window (and so also without a display); anything else starts the
// program, with the file to load when one is named.
struct ZavprogCommandLine {
    enum class Request { Run, Help, Version, Error };
    Request request = Request::Run;
    // The file to load at start, empty when none was named.
    QString file;
    // For Help, Version and Error: what to print (Error's goes to the error stream).
    QString text;
};

// `arguments` as main receives them, the program's name first.
[[nodiscard]] ZavprogCommandLine ParseZavprogCommandLine(const QStringList& arguments);

} // namespace zav
