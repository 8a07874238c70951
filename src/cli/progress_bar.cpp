#include "cli/progress_bar.h"

#include <algorithm>

namespace zav {

namespace {

constexpr int kBarWidth = 40;
// Loads quicker than this would only flicker a bar.
constexpr auto kLoadGrace = std::chrono::milliseconds(500);
constexpr const char* kClearLine = "\r\x1b[K";

} // namespace

ProgressBar::ProgressBar(std::ostream& output, bool enabled) : output_(output), enabled_(enabled) {}

void ProgressBar::Begin(const std::string& label, std::int64_t maximum, bool showAtOnce)
{
    if (!enabled_) return;
    Hide();
    running_ = true;
    label_ = label;
    maximum_ = std::max<std::int64_t>(maximum, 0);
    position_ = 0;
    lastLine_.clear();
    showFrom_ = std::chrono::steady_clock::now() + (showAtOnce ? std::chrono::milliseconds(0) : kLoadGrace);
    Draw();
}

void ProgressBar::Move(std::int64_t position)
{
    if (!enabled_ || !running_) return;
    position_ = position;
    Draw();
}

void ProgressBar::End()
{
    if (!enabled_) return;
    Hide();
    running_ = false;
}

void ProgressBar::Hide()
{
    if (!drawn_) return;
    output_ << kClearLine << std::flush;
    drawn_ = false;
    lastLine_.clear();
}

void ProgressBar::Show()
{
    if (enabled_ && running_) Draw();
}

void ProgressBar::Draw()
{
    if (std::chrono::steady_clock::now() < showFrom_) return;
    const std::string line = Line();
    // Only a visible change is written: a pass moves the bar thousands of times.
    if (drawn_ && line == lastLine_) return;
    output_ << '\r' << line << "\x1b[K" << std::flush;
    lastLine_ = line;
    drawn_ = true;
}

std::string ProgressBar::Line() const
{
    std::string line = label_.empty() ? std::string() : label_ + " ";
    if (maximum_ <= 0) return line + std::to_string(position_);
    const std::int64_t position = std::clamp<std::int64_t>(position_, 0, maximum_);
    const auto filled = static_cast<int>(position * kBarWidth / maximum_);
    line += '[';
    line.append(static_cast<std::size_t>(filled), '#');
    line.append(static_cast<std::size_t>(kBarWidth - filled), '.');
    line += "] " + std::to_string(position * 100 / maximum_) + "%";
    return line;
}

} // namespace zav
