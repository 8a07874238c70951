#include "messages/message_boxes.h"

namespace zav {

void MessageBoxes::ShowError(const std::string& text)
{
    Show({BoxKind::Error, BoxButtons::Ok, text, {}});
}

void MessageBoxes::ShowOk(const std::string& text, const std::string& caption, BoxKind kind)
{
    Show({kind, BoxButtons::Ok, text, caption});
}

bool MessageBoxes::AskYesNo(const std::string& text, const std::string& caption, BoxKind kind)
{
    return Show({kind, BoxButtons::YesNo, text, caption}) == BoxAnswer::Yes;
}

BoxAnswer MessageBoxes::AskYesNoCancel(const std::string& text, BoxKind kind)
{
    return Show({kind, BoxButtons::YesNoCancel, text, {}});
}

} // namespace zav
