#include "files/line_reader.h"

#include <algorithm>

namespace zav {

namespace {

constexpr std::size_t kChunkSize = 64 * 1024;

bool EndsLineOrFile(char c)
{
    return c == '\r' || c == '\n' || c == '\0';
}

} // namespace

LineReader::LineReader(std::istream& input) : input_(input), chunk_(kChunkSize) {}

bool LineReader::FillChunk()
{
    input_.read(chunk_.data(), static_cast<std::streamsize>(chunk_.size()));
    length_ = static_cast<std::size_t>(input_.gcount());
    position_ = 0;
    if (input_.bad()) readFailed_ = true;
    return length_ > 0;
}

bool LineReader::Next(std::string& line)
{
    line.clear();
    bool started = false;
    while (!ended_) {
        if (position_ == length_ && !FillChunk()) {
            ended_ = true;
            break;
        }
        if (skipLineFeed_) {
            skipLineFeed_ = false;
            if (chunk_[position_] == '\n') {
                ++position_;
                continue;
            }
        }
        const auto begin = chunk_.begin() + static_cast<std::ptrdiff_t>(position_);
        const auto end = chunk_.begin() + static_cast<std::ptrdiff_t>(length_);
        auto textBegin = begin;
        const auto stop = std::find_if(begin, end, EndsLineOrFile);
        if (stop != begin) started = true;
        if (line.empty()) {
            textBegin = std::find_if(begin, stop, [](char c) { return static_cast<unsigned char>(c) > 32; });
        }
        const std::size_t room = kMaxKeptLength - line.size();
        line.append(textBegin, textBegin + static_cast<std::ptrdiff_t>(
                                               std::min(room, static_cast<std::size_t>(stop - textBegin))));
        position_ = static_cast<std::size_t>(stop - chunk_.begin());
        if (stop == end) continue;

        ++position_;
        switch (*stop) {
        case '\0':
            ended_ = true;
            return started;
        case '\r':
            skipLineFeed_ = true;
            return true;
        default:
            return true;
        }
    }
    return started;
}

} // namespace zav
