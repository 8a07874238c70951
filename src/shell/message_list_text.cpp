#include "shell/message_list_text.h"

#include "files/safe_file_writer.h"

namespace zav {

std::string MessageListText(const std::vector<std::string>& storedLines)
{
    std::string text;
    for (const std::string& line : storedLines) {
        if (!line.empty()) text.append(line, 1);
        text.append("\r\n");
    }
    return text;
}

bool SaveMessageList(const std::filesystem::path& target, const std::vector<std::string>& storedLines,
                     std::string& failure)
{
    return WriteFileSafely(target, MessageListText(storedLines), failure);
}

} // namespace zav
