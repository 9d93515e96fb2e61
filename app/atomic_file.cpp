#include "app/atomic_file.hpp"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

// Writes all of `bytes` to fd, resuming after interruptions and short writes.
bool write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t wrote = ::write(fd, bytes.data(), bytes.size());
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(wrote));
    }
    return true;
}

// Makes the rename itself durable. Best effort: some file systems cannot sync
// a folder, and the new contents are already safe in the renamed file.
void sync_folder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// The file the write lands in: `path` itself, or the file its link points to.
bool resolve_target(const std::filesystem::path& path, std::filesystem::path& target) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        target = path;
        return true;
    }
    if (error || status.type() != std::filesystem::file_type::regular) return false;
    target = std::filesystem::is_symlink(path, error) ? std::filesystem::canonical(path, error) : path;
    return !error;
}

}  // namespace

bool write_file_atomically(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::path target;
    if (!resolve_target(path, target)) return false;
    const auto folder = target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");

    // A unique temporary name in the same folder, so the rename never crosses
    // file systems and two writers never share a temporary file.
    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    bool ok = ::fchmod(fd, 0666 & ~mask) == 0;  // as an ordinary new file would get
    ok = ok && write_all(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    sync_folder(folder);
    return true;
}
