#pragma once

#include <memory>
#include <string>
#include <utility>

#include "cli/console_reporter.h"
#include "messages/status_sink.h"
#include "threads/hand_over_queue.h"

namespace zav {

// The lines a worker's link factory adds, handed over like the worker's own lines so they
// land in order among them, and printed even with --quiet: a script's log must never pass
// a simulated run off as a programmed part.
class NoticeLines final : public StatusSink {
public:
    NoticeLines(std::shared_ptr<HandOverQueue> queue, ConsoleReporter& reporter)
        : queue_(std::move(queue)), reporter_(reporter)
    {
    }

    void AddStatusMessage(const std::string& text, StatusKind) override
    {
        queue_->PostPaced([&reporter = reporter_, text] { reporter.AddNotice(text); });
    }

private:
    std::shared_ptr<HandOverQueue> queue_;
    ConsoleReporter& reporter_;
};

} // namespace zav
