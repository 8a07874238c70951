#pragma once

#include <filesystem>
#include <string>

namespace zav {

// An exclusive lock on a simulated memory image for as long as one run uses it, so two
// runs on one image cannot lose each other's updates. A missing image is created empty
// (which loads as erased memory) so that it can be locked.
class ImageFileLock {
public:
    ImageFileLock() = default;
    ImageFileLock(const ImageFileLock&) = delete;
    ImageFileLock& operator=(const ImageFileLock&) = delete;
    ~ImageFileLock();

    // False, with the reason in `failure`, when another run holds the image or it cannot be
    // opened. Does not wait.
    [[nodiscard]] bool Acquire(const std::filesystem::path& image, std::string& failure);
    void Release();

private:
    int fd_ = -1;
};

} // namespace zav
