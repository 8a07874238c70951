#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>

namespace zav {

// The progress bar of the main window as one line of a terminal: redrawn in place while a
// pass or a long load runs, and cleared before any status line is printed so lines and bar
// never mix. Draws nothing when the error output is not a terminal.
class ProgressBar {
public:
    ProgressBar(std::ostream& output, bool enabled);
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    // A new run of the bar from 0 to `maximum` (0: unknown, only the count moves). A load
    // shows up only once it has taken longer than a glance, a sequence pass at once.
    void Begin(const std::string& label, std::int64_t maximum, bool showAtOnce = false);
    void Move(std::int64_t position);
    void End();
    // Takes the bar off the line before other text is printed, and puts it back after.
    void Hide();
    void Show();

private:
    void Draw();
    [[nodiscard]] std::string Line() const;

    std::ostream& output_;
    bool enabled_;
    bool running_ = false;
    bool drawn_ = false;
    std::string label_;
    std::int64_t maximum_ = 0;
    std::int64_t position_ = 0;
    std::string lastLine_;
    std::chrono::steady_clock::time_point showFrom_;
};

} // namespace zav
