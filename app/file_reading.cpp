#include "app/file_reading.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A byte count for messages: "16 MiB" when whole mebibytes.
std::string size_in_words(uint64_t bytes) {
    if (bytes % (1u << 20) == 0) return std::to_string(bytes >> 20) + " MiB";
    return std::to_string(bytes) + " bytes";
}

// Closes the descriptor on every way out.
class OpenFile {
public:
    explicit OpenFile(int fd) : fd_(fd) {}
    ~OpenFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

std::nullopt_t refuse(std::string& why, ReadFailure* failure, ReadFailure how, std::string reason) {
    why = std::move(reason);
    if (failure) *failure = how;
    return std::nullopt;
}

}  // namespace

std::string quoted_path(const std::string& path) {
    std::string shown = "'";
    for (char c : path) shown += (static_cast<unsigned char>(c) < 32 || c == 127) ? '?' : c;
    return shown + "'";
}

std::optional<std::string> read_file(const std::string& path, const FileKind& kind, std::string& why,
                                     ReadFailure* failure) {
    if (failure) *failure = ReadFailure::none;
    if (path.empty()) return refuse(why, failure, ReadFailure::missing, "An empty file name was given.");
    const std::string shown = quoted_path(path);
    const std::string too_large =
        shown + " is larger than " + size_in_words(kind.max_bytes) + ", the most a " + kind.what + " file may hold.";

    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
    OpenFile file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.fd() < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return refuse(why, failure, ReadFailure::missing, shown + " does not exist.");
        return refuse(why, failure, ReadFailure::refused, shown + " cannot be opened: " + std::strerror(errno) + ".");
    }
    // The descriptor's own file, so nothing can be swapped in after the check.
    struct stat info {};
    if (::fstat(file.fd(), &info) != 0)
        return refuse(why, failure, ReadFailure::refused, shown + " cannot be examined: " + std::strerror(errno) + ".");
    if (S_ISDIR(info.st_mode))
        return refuse(why, failure, ReadFailure::refused, shown + " is a directory, not a " + kind.what + " file.");
    if (!S_ISREG(info.st_mode)) return refuse(why, failure, ReadFailure::refused, shown + " is not a regular file.");
    if (static_cast<uint64_t>(info.st_size) > kind.max_bytes)
        return refuse(why, failure, ReadFailure::refused, too_large);

    // Up to one byte past the cap: the file may have grown since it was examined,
    // and some (under /proc) say 0 bytes and hold more.
    std::string bytes;
    bytes.reserve(static_cast<size_t>(info.st_size));
    char chunk[1 << 16];
    while (bytes.size() <= kind.max_bytes) {
        const ssize_t got = ::read(file.fd(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0)
            return refuse(why, failure, ReadFailure::refused,
                          shown + " could not be read to its end: " + std::strerror(errno) + ".");
        if (got == 0) break;
        bytes.append(chunk, static_cast<size_t>(got));
    }
    if (bytes.size() > kind.max_bytes) return refuse(why, failure, ReadFailure::refused, too_large);
    if (kind.text && bytes.find('\0') != std::string::npos)
        return refuse(why, failure, ReadFailure::refused,
                      shown + " holds NUL bytes, so it is not a " + kind.what + " file.");
    why.clear();
    return bytes;
}
