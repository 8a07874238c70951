#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zav {

// The message list's lines as plain text, as Copy and Save As write them: each stored line
// (a kind tag, then the text) without its tag, ended by CR LF.
[[nodiscard]] std::string MessageListText(const std::vector<std::string>& storedLines);

// Saves the lines as a text file through the safe writer; false with the system's reason in
// `failure` when the file was not written.
[[nodiscard]] bool SaveMessageList(const std::filesystem::path& target, const std::vector<std::string>& storedLines,
                                   std::string& failure);

} // namespace zav
