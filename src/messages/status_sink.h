#pragma once

#include <string>

namespace zav {

// The kind of a message-list line; the numbers are the ones the list colours by.
enum class StatusKind : int { Normal = 0, Warning = 1, Error = 2 };

// Where progress and outcome lines go: the main window's message list in the GUI,
// standard error in the command-line tool, a recorder in tests.
class StatusSink {
public:
    virtual ~StatusSink() = default;
    virtual void AddStatusMessage(const std::string& text, StatusKind kind) = 0;
};

} // namespace zav
