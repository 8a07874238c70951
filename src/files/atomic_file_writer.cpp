#include "files/atomic_file_writer.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <system_error>

namespace zav {

namespace {

namespace fs = std::filesystem;

constexpr int kNameAttempts = 16;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

std::string SystemReason(int error)
{
    if (error == 0) return "the system reported a write error";
    return std::generic_category().message(error);
}

// A name no earlier save is likely to have left: the clock and a per-process counter.
fs::path TemporaryPath(const fs::path& target)
{
    static std::atomic<std::uint64_t> counter{0};
    const auto ticks =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    const std::uint64_t tag = ticks * 0x9E3779B97F4A7C15ULL + counter.fetch_add(1);
    char suffix[17];
    std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(tag));
    std::string name = ".";
    name.append(target.filename().string()).append(".").append(suffix).append(".tmp");
    return target.parent_path() / name;
}

// Creates the temporary file; "x" refuses to open anything that already exists, links included.
FileHandle CreateTemporary(const fs::path& target, fs::path& temporary, std::string& failure)
{
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        temporary = TemporaryPath(target);
        errno = 0;
        FileHandle file(std::fopen(temporary.c_str(), "wbx"));
        if (file) return file;
        if (errno != EEXIST) break;
    }
    failure = SystemReason(errno);
    return nullptr;
}

bool WriteAndClose(FileHandle file, std::string_view content, std::string& failure)
{
    errno = 0;
    const bool written = std::fwrite(content.data(), 1, content.size(), file.get()) == content.size() &&
                         std::fflush(file.get()) == 0;
    if (!written) {
        failure = SystemReason(errno);
        return false;
    }
    errno = 0;
    if (std::fclose(file.release()) != 0) {
        failure = SystemReason(errno);
        return false;
    }
    return true;
}

// The file the save replaces: a link's target, so the link itself survives.
fs::path Destination(const fs::path& target)
{
    std::error_code error;
    if (fs::is_symlink(target, error)) {
        fs::path resolved = fs::canonical(target, error);
        if (!error) return resolved;
    }
    return target;
}

} // namespace

bool WriteFileAtomically(const fs::path& target, std::string_view content, std::string& failure)
{
    const fs::path destination = Destination(target);
    fs::path temporary;
    FileHandle file = CreateTemporary(destination, temporary, failure);
    if (!file) return false;

    std::error_code error;
    if (!WriteAndClose(std::move(file), content, failure)) {
        fs::remove(temporary, error);
        return false;
    }
    const fs::file_status existing = fs::status(destination, error);
    if (!error && fs::exists(existing)) fs::permissions(temporary, existing.permissions(), error);
    fs::rename(temporary, destination, error);
    if (error) {
        failure = error.message();
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    return true;
}

} // namespace zav
