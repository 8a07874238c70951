#pragma once

#include <string>

namespace zav {

// The icon and tone of a modal box.
enum class BoxKind { Error, Warning, Information, Confirmation };
enum class BoxButtons { Ok, YesNo, YesNoCancel };
enum class BoxAnswer { Ok, Yes, No, Cancel };

struct BoxRequest {
    BoxKind kind = BoxKind::Error;
    BoxButtons buttons = BoxButtons::Ok;
    std::string text;
    std::string caption;

    bool operator==(const BoxRequest&) const = default;
};

// Modal questions and input errors. One virtual call, so a box can be recorded,
// scripted or handed to another thread as a single value.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual BoxAnswer Show(const BoxRequest& request) = 0;

    // The common shapes, so callers read as the messages they show.
    void ShowError(const std::string& text);
    void ShowOk(const std::string& text, const std::string& caption, BoxKind kind);
    [[nodiscard]] bool AskYesNo(const std::string& text, const std::string& caption, BoxKind kind);
    [[nodiscard]] BoxAnswer AskYesNoCancel(const std::string& text, BoxKind kind);
};

} // namespace zav
