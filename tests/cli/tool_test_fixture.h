#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tool_runner.h"

namespace zav::testing {

// A settings folder and a work folder of its own for every test.
class ToolTest : public ::testing::Test {
protected:
    [[nodiscard]] ToolRun Run(const std::vector<std::string>& arguments) const
    {
        return runner_.Run(arguments);
    }
    [[nodiscard]] std::string Work(const std::string& name) const { return work_.File(name); }
    [[nodiscard]] std::string SettingsFolder() const { return (config_.Path() / "zav").string(); }

    // 64 KiB whose every byte differs from its neighbours, so a shifted or lost byte shows.
    [[nodiscard]] static std::string Pattern()
    {
        std::string bytes(0x10000, '\0');
        for (std::size_t a = 0; a < bytes.size(); ++a) bytes[a] = static_cast<char>((a * 7 + 3) & 0xFF);
        return bytes;
    }

    // The lines of a text, split at CR LF (or LF).
    [[nodiscard]] static std::vector<std::string> Lines(const std::string& text)
    {
        std::vector<std::string> lines;
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            std::string line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
            start = end + 1;
        }
        return lines;
    }

    TemporaryFolder config_;
    TemporaryFolder work_;
    ToolRunner runner_{config_.Path()};
};

} // namespace zav::testing
