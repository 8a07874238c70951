#include "boardsim/image_file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace zav {

namespace {

// A save replaces the image by a new file; a lock taken on the old one is retried.
constexpr int kAttempts = 8;

bool SameFile(int fd, const std::filesystem::path& path)
{
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
           held.st_ino == named.st_ino;
}

} // namespace

ImageFileLock::~ImageFileLock()
{
    Release();
}

bool ImageFileLock::Acquire(const std::filesystem::path& image, std::string& failure)
{
    Release();
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const int fd = ::open(image.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) {
            failure = std::generic_category().message(errno);
            return false;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            failure = error == EWOULDBLOCK ? "in use by another run of the simulated board"
                                           : std::generic_category().message(error);
            return false;
        }
        if (SameFile(fd, image)) {
            fd_ = fd;
            return true;
        }
        ::close(fd);
    }
    failure = "replaced again and again while being locked";
    return false;
}

void ImageFileLock::Release()
{
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
}

} // namespace zav
