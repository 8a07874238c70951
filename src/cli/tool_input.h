#pragma once

#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <streambuf>
#include <string>
#include <vector>

namespace zav {

// A file the tool reads, "-" meaning standard input, opened once and read once: its first
// bytes are taken for the format detection and then handed to the load again, so a pipe or
// a FIFO loads exactly what detection saw. Nothing is read ahead beyond those bytes. The
// CRC-32 of what was read is kept along, so no checksum needs the file a second time.
class ToolInput final : private std::streambuf {
public:
    // Opens `path`; none, with `failure` holding the system's reason, when it cannot be read.
    [[nodiscard]] static std::unique_ptr<ToolInput> Open(const std::string& path, std::string& failure);
    ToolInput(const ToolInput&) = delete;
    ToolInput& operator=(const ToolInput&) = delete;
    ~ToolInput() override;

    // How the status lines name it: the path, or "standard input".
    [[nodiscard]] const std::string& Name() const { return name_; }
    // Up to `length` first bytes (fewer for a shorter file), read on first call.
    [[nodiscard]] const std::string& Start(std::size_t length);
    // The whole content from its first byte, the start included.
    [[nodiscard]] std::istream& Stream() { return stream_; }
    // The size of a regular file; none for pipes, FIFOs and terminals.
    [[nodiscard]] std::optional<std::uint64_t> Size() const { return size_; }
    [[nodiscard]] std::uint64_t BytesRead() const { return bytesRead_; }
    // Reads what the load left (after an end record, past a load range) so that Crc32 covers
    // the whole input; false on a read error.
    [[nodiscard]] bool ReadToEnd();
    // The CRC-32 of every byte read so far.
    [[nodiscard]] std::uint32_t Crc32() const { return crc_; }
    // The reason of a read that failed, empty while none did.
    [[nodiscard]] const std::string& ReadFailure() const { return readFailure_; }
    // Called after every chunk read, for a progress display.
    void OnChunkRead(std::function<void()> callback) { onChunk_ = std::move(callback); }

private:
    ToolInput(int fd, bool owned, std::string name, std::optional<std::uint64_t> size);
    int_type underflow() override;
    // Reads once into `into`; the count, 0 at the end, -1 on an error.
    long ReadChunk(char* into, std::size_t capacity);

    int fd_;
    bool owned_;
    std::string name_;
    std::optional<std::uint64_t> size_;
    std::string start_;
    bool startRead_ = false;
    bool startServed_ = false;
    std::vector<char> chunk_;
    std::uint64_t bytesRead_ = 0;
    std::uint32_t crc_ = 0;
    std::string readFailure_;
    std::function<void()> onChunk_;
    std::istream stream_;
};

} // namespace zav
