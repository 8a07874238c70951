#pragma once

namespace zav {

// An exclusive lock on an open file or folder, held until destruction, which closes the
// descriptor. Taking it waits for the other holders; a signal arriving meanwhile does not
// end the wait.
class ExclusiveLock {
public:
    // Takes over fd, just returned by open: a negative fd keeps the open's errno as the
    // failure.
    explicit ExclusiveLock(int fd);
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;
    ~ExclusiveLock();

    [[nodiscard]] bool Locked() const { return error_ == 0; }
    // The errno of the failed open or lock; 0 while the lock is held.
    [[nodiscard]] int Error() const { return error_; }

private:
    int fd_;
    int error_ = 0;
};

} // namespace zav
