#include "files/small_file_reader.h"

#include "files/regular_file_input.h"

#include <fstream>
#include <system_error>

namespace zav {

std::optional<std::string> ReadSmallRegularFile(const std::filesystem::path& path, std::string& problem)
{
    namespace fs = std::filesystem;
    problem.clear();
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) {
        // A link whose file is gone was put there on purpose: that is no absent file.
        std::error_code linkError;
        if (fs::is_symlink(fs::symlink_status(path, linkError))) {
            problem =
                "it is a link to " + fs::read_symlink(path, linkError).string() + ", which does not exist";
        }
        return std::nullopt;
    }
    if (error) {
        problem = "it cannot be read: " + error.message();
        return std::nullopt;
    }
    if (status.type() == fs::file_type::directory) {
        problem = "it is a folder";
        return std::nullopt;
    }
    if (status.type() != fs::file_type::regular) {
        problem = "it is not a regular file";
        return std::nullopt;
    }
    const std::uintmax_t size = fs::file_size(path, error);
    if (!error && size > kMaxSmallFileBytes) {
        problem = "it is larger than 1 MiB";
        return std::nullopt;
    }

    // Opened without waiting, and read from the file that was checked: a name given to a FIFO
    // since the look above cannot hold up the start.
    std::ifstream stream;
    std::string kind;
    if (!OpenRegularFile(path, stream, kind)) {
        problem = kind.empty() ? "it cannot be opened" : "it is " + kind;
        return std::nullopt;
    }
    // One byte more than allowed tells a file that grew since it was measured; istream::read
    // turns a failing read into a state instead of an exception.
    std::string text(static_cast<std::size_t>(error ? kMaxSmallFileBytes : size) + 1, '\0');
    stream.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (stream.bad()) {
        problem = "it cannot be read";
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(stream.gcount()));
    if (text.size() > kMaxSmallFileBytes) {
        problem = "it is larger than 1 MiB";
        return std::nullopt;
    }
    return text;
}

} // namespace zav
