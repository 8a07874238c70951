// With the safe writer, the one other file of the core that calls the operating system: the
// standard library cannot open a file without waiting on what it turns out to be.
#include "files/regular_file_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zav {

namespace {

std::string KindOf(mode_t mode)
{
    if (S_ISFIFO(mode)) return "a named pipe (FIFO)";
    if (S_ISCHR(mode)) return "a character device";
    if (S_ISBLK(mode)) return "a block device";
    if (S_ISSOCK(mode)) return "a socket";
    if (S_ISDIR(mode)) return "a folder";
    return "not a regular file";
}

} // namespace

bool OpenRegularFile(const std::filesystem::path& path, std::ifstream& stream, std::string& kind)
{
    kind.clear();
    // O_NONBLOCK makes the open of a FIFO return at once; a regular file reads as usual.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        // A socket cannot be opened at all; say what it is rather than "no such device".
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) kind = KindOf(info.st_mode);
        return false;
    }
    struct stat info {};
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (!regular) {
        kind = KindOf(info.st_mode);
        ::close(fd);
        return false;
    }
    // The stream opens the checked file through its descriptor, not the name again.
    stream.open("/proc/self/fd/" + std::to_string(fd), std::ios::binary);
    ::close(fd);
    return stream.is_open();
}

std::string NonRegularKind(const std::filesystem::path& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode)) return {};
    return KindOf(info.st_mode);
}

std::string NotLoadableText(const std::string& path, const std::string& kind)
{
    std::string text = "File not Accessible or not Exist!";
    if (!kind.empty()) text += "\n" + path + " is " + kind + ", not a regular file: only files are loaded.";
    return text;
}

} // namespace zav
