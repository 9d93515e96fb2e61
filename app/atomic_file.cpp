#include "app/atomic_file.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "app/file_reading.hpp"

namespace {

// Writes all of `bytes` to fd, resuming after interruptions and short writes.
bool write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t wrote = ::write(fd, bytes.data(), bytes.size());
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote == 0) errno = ENOSPC;
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

bool refuse(std::string* why, std::string reason) {
    if (why) *why = std::move(reason);
    return false;
}

std::string shown(const std::filesystem::path& path) { return quoted_path(path.string()); }

// The file the write lands in: `path` itself, or the file its link points to.
// False, with the reason, when that is not a regular file or may not be written.
bool resolve_target(const std::filesystem::path& path, std::filesystem::path& target, std::string* why) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        target = path;
        return true;
    }
    if (error) return refuse(why, shown(path) + " cannot be examined: " + error.message() + ".");
    if (status.type() != std::filesystem::file_type::regular)
        return refuse(why, shown(path) + " is not a regular file, so it is not replaced.");
    // Its mode as well as the access check: a player running as root would
    // otherwise replace a file someone made read-only on purpose.
    const auto perms = status.permissions();
    constexpr auto any_write = std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                               std::filesystem::perms::others_write;
    if ((perms & any_write) == std::filesystem::perms::none || ::access(path.c_str(), W_OK) != 0)
        return refuse(why, shown(path) + " is read-only, so it is not replaced.");
    target = std::filesystem::is_symlink(path, error) ? std::filesystem::canonical(path, error) : path;
    if (error) return refuse(why, shown(path) + " cannot be followed: " + error.message() + ".");
    return true;
}

// Removes the temporary files that writes of `target` killed midway left in
// `folder`: ".NAME." followed by the six characters mkstemp chose.
void remove_left_temporaries(const std::filesystem::path& folder, const std::filesystem::path& target) {
    const std::string prefix = "." + target.filename().string() + ".";
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
        std::error_code kind_error;
        if (it->is_regular_file(kind_error)) std::filesystem::remove(it->path(), kind_error);
    }
}

}  // namespace

bool write_file_atomically(const std::filesystem::path& path, std::string_view bytes, std::string* why) {
    std::filesystem::path target;
    if (!resolve_target(path, target, why)) return false;
    const auto folder = target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    remove_left_temporaries(folder, target);

    // A unique temporary name in the same folder, so the rename never crosses
    // file systems and two writers never share a temporary file.
    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return refuse(why, "No file can be made in " + shown(folder) + ": " + std::strerror(errno) + ".");
    const mode_t mask = ::umask(0);
    ::umask(mask);
    int error = 0;  // the first step's failure
    const auto step = [&error](bool done) {
        if (!done && error == 0) error = errno != 0 ? errno : EIO;
        return done;
    };
    errno = 0;
    bool ok = step(::fchmod(fd, 0666 & ~mask) == 0);  // as an ordinary new file would get
    ok = ok && step(write_all(fd, bytes)) && step(::fsync(fd) == 0);
    ok = step(::close(fd) == 0) && ok;
    ok = ok && step(::rename(temp.c_str(), target.c_str()) == 0);
    if (!ok) {
        ::unlink(temp.c_str());
        return refuse(why, shown(path) + " could not be written: " + std::strerror(error) + ".");
    }
    sync_folder(folder);
    return true;
}
