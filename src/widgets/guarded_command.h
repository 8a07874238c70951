#pragma once

#include <exception>
#include <utility>

class QWidget;

namespace zav {

// The one box an exception escaping a command shows; the program then goes on.
void ShowExceptionBox(QWidget* parent, const std::exception* exception);

// A command handler that cannot take the window down: an exception it throws is shown in
// the exception box and the event loop continues.
template <typename Handler> auto Guarded(QWidget* parent, Handler handler)
{
    // The return type names the call, so Qt can tell how many of a signal's arguments fit.
    return [parent, handler = std::move(handler)](auto&&... arguments)
               -> decltype(handler(std::forward<decltype(arguments)>(arguments)...), void()) {
        try {
            handler(std::forward<decltype(arguments)>(arguments)...);
        } catch (const std::exception& exception) {
            ShowExceptionBox(parent, &exception);
        } catch (...) {
            ShowExceptionBox(parent, nullptr);
        }
    };
}

} // namespace zav
