#pragma once

#include <atomic>
#include <optional>
#include <string>

namespace zav {

// The person at the keyboard, if there is one: questions are only asked when there is.
class Terminal {
public:
    virtual ~Terminal() = default;
    // True when questions can be asked and answered (input and error output are a terminal).
    [[nodiscard]] virtual bool IsInteractive() const = 0;
    // One typed line without its end; none at the end of the input or when the user stopped
    // the work while being asked.
    [[nodiscard]] virtual std::optional<std::string> ReadLine() = 0;
    // The flag whose setting cuts a wait for an answer short (null: none); it must outlive
    // its use here.
    virtual void SetStopFlag(const std::atomic<bool>* stop) = 0;
};

} // namespace zav
