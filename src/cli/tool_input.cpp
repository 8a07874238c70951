#include "cli/tool_input.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/crc32.h"

namespace zav {

namespace {

constexpr std::size_t kChunkSize = 64 * 1024;

} // namespace

std::unique_ptr<ToolInput> ToolInput::Open(const std::string& path, std::string& failure)
{
    int fd = STDIN_FILENO;
    const bool standardInput = path == "-";
    if (!standardInput) {
        // A FIFO opens once its writer is there; O_CLOEXEC keeps it out of child processes.
        fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            failure = std::strerror(errno);
            return nullptr;
        }
    }
    struct stat status {};
    if (fstat(fd, &status) != 0) {
        failure = std::strerror(errno);
        if (!standardInput) close(fd);
        return nullptr;
    }
    if (S_ISDIR(status.st_mode)) {
        failure = std::strerror(EISDIR);
        if (!standardInput) close(fd);
        return nullptr;
    }
    std::optional<std::uint64_t> size;
    if (S_ISREG(status.st_mode)) size = static_cast<std::uint64_t>(status.st_size);
    return std::unique_ptr<ToolInput>(
        new ToolInput(fd, !standardInput, standardInput ? "standard input" : path, size));
}

ToolInput::ToolInput(int fd, bool owned, std::string name, std::optional<std::uint64_t> size)
    : fd_(fd), owned_(owned), name_(std::move(name)), size_(size), chunk_(kChunkSize), stream_(this)
{
}

ToolInput::~ToolInput()
{
    if (owned_) close(fd_);
}

long ToolInput::ReadChunk(char* into, std::size_t capacity)
{
    for (;;) {
        const ssize_t got = read(fd_, into, capacity);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            readFailure_ = std::strerror(errno);
            return -1;
        }
        bytesRead_ += static_cast<std::uint64_t>(got);
        crc_ = zav::Crc32(std::string_view(into, static_cast<std::size_t>(got)), crc_);
        if (onChunk_) onChunk_();
        return static_cast<long>(got);
    }
}

const std::string& ToolInput::Start(std::size_t length)
{
    if (startRead_) return start_;
    startRead_ = true;
    start_.resize(length);
    std::size_t filled = 0;
    // A pipe hands over what its writer wrote so far: read until the length or the end.
    while (filled < length) {
        const long got = ReadChunk(start_.data() + filled, length - filled);
        if (got <= 0) break;
        filled += static_cast<std::size_t>(got);
    }
    start_.resize(filled);
    return start_;
}

bool ToolInput::ReadToEnd()
{
    long got = 0;
    while ((got = ReadChunk(chunk_.data(), chunk_.size())) > 0) {
    }
    return got == 0;
}

ToolInput::int_type ToolInput::underflow()
{
    if (!startServed_) {
        startServed_ = true;
        if (!startRead_) startRead_ = true;
        if (!start_.empty()) {
            setg(start_.data(), start_.data(), start_.data() + start_.size());
            return traits_type::to_int_type(start_.front());
        }
    }
    const long got = ReadChunk(chunk_.data(), chunk_.size());
    if (got <= 0) {
        if (got < 0) stream_.setstate(std::ios::badbit);
        return traits_type::eof();
    }
    setg(chunk_.data(), chunk_.data(), chunk_.data() + got);
    return traits_type::to_int_type(chunk_.front());
}

} // namespace zav
