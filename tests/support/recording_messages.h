#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "messages/message_boxes.h"
#include "messages/status_sink.h"

namespace zav::testing {

// Records every box shown. Questions are answered from the script in order (Yes once it
// runs out); OK-only boxes take no answer from it.
class RecordingBoxes : public MessageBoxes {
public:
    BoxAnswer Show(const BoxRequest& request) override
    {
        shown.push_back(request);
        if (request.buttons == BoxButtons::Ok) return BoxAnswer::Ok;
        if (!answers.empty()) {
            BoxAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return BoxAnswer::Yes;
    }

    [[nodiscard]] std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const auto& box : shown) texts.push_back(box.text);
        return texts;
    }

    std::vector<BoxRequest> shown;
    std::deque<BoxAnswer> answers;
};

struct StatusLine {
    std::string text;
    StatusKind kind;
    bool operator==(const StatusLine&) const = default;
};

class RecordingStatus : public StatusSink {
public:
    void AddStatusMessage(const std::string& text, StatusKind kind) override
    {
        lines.push_back({text, kind});
    }

    [[nodiscard]] std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const auto& line : lines) texts.push_back(line.text);
        return texts;
    }

    std::vector<StatusLine> lines;
};

} // namespace zav::testing
