#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

namespace zav {

// Reads the lines of a text file in fixed-size chunks, so memory does not grow with the file.
// CR LF, a lone CR and a lone LF each end a line; a zero byte ends the file. A line comes
// without its end and without its leading characters of code 32 or less, and is cut after
// kMaxKeptLength characters: no record is longer, and what follows a record is ignored.
class LineReader {
public:
    // The longest X record: type, 16-bit count, then twice 0xFFFF digits.
    static constexpr std::size_t kMaxKeptLength = 6 + 2 * 0xFFFF;

    explicit LineReader(std::istream& input);
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line; false when the file (or the text before its first zero byte) is used up.
    [[nodiscard]] bool Next(std::string& line);
    // True when the stream failed for another reason than its end.
    [[nodiscard]] bool ReadFailed() const { return readFailed_; }

private:
    bool FillChunk();

    std::istream& input_;
    std::vector<char> chunk_;
    std::size_t position_ = 0;
    std::size_t length_ = 0;
    bool ended_ = false;
    bool readFailed_ = false;
    // The last line ended with CR: an LF right after it belongs to the same line end.
    bool skipLineFeed_ = false;
};

} // namespace zav
