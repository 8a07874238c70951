#pragma once

#include <atomic>
#include <optional>
#include <string>

namespace zav {

// The person at the keyboard, if there is one: questions are only asked when there is.
class Terminal {
public:
    virtual ~Terminal() = default;
    // True when questions can be asked and answered.
    [[nodiscard]] virtual bool IsInteractive() const = 0;
    // True when the error output already shows on this terminal, so a question printed
    // there need not be repeated on it.
    [[nodiscard]] virtual bool ShowsErrorOutput() const = 0;
    // Puts text on the terminal itself.
    virtual void Write(const std::string& text) = 0;
    // One typed line without its end; none at the end of the input or when the user stopped
    // the work while being asked.
    [[nodiscard]] virtual std::optional<std::string> ReadLine() = 0;
    // The flag whose setting cuts a wait for an answer short (null: none); it must outlive
    // its use here.
    virtual void SetStopFlag(const std::atomic<bool>* stop) = 0;
};

} // namespace zav
