#include "files/exclusive_lock.h"

#include <cerrno>

#include <sys/file.h>
#include <unistd.h>

namespace zav {

ExclusiveLock::ExclusiveLock(int fd) : fd_(fd)
{
    if (fd_ < 0) {
        error_ = errno;
        return;
    }
    while (::flock(fd_, LOCK_EX) != 0) {
        if (errno != EINTR) {
            error_ = errno;
            return;
        }
    }
}

ExclusiveLock::~ExclusiveLock()
{
    if (fd_ >= 0) ::close(fd_);
}

} // namespace zav
