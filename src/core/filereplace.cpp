// SPDX-License-Identifier: MIT
#include "core/filereplace.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace quorvel {

namespace {

namespace fs = std::filesystem;
using Parts = std::initializer_list<std::string_view>;

// The outcome of one step: 0 on success, else the errno value.
using Errno = int;

// An open file descriptor; close() reports what the system says about the last writes.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Fd& operator=(Fd&&) = delete;
    ~Fd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    Errno close() { return ::close(std::exchange(fd_, -1)) == 0 ? 0 : errno; }

private:
    int fd_;
};

std::string reason(Errno error)
{
    return std::generic_category().message(error);
}

// Follows symbolic links from path to the first entry that is not a link, or that does not
// exist (a dangling link then names the file to create). ELOOP after too many links.
Errno followLinks(fs::path& path)
{
    constexpr int maxLinks = 40;
    for (int hop = 0; hop < maxLinks; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return 0;
        std::error_code error;
        const fs::path target = fs::read_symlink(path, error);
        if (error)
            return error.value();
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return ELOOP;
}

Errno writeAll(int fd, Parts parts)
{
    for (std::string_view part : parts) {
        while (!part.empty()) {
            const ssize_t written = ::write(fd, part.data(), part.size());
            if (written < 0 && errno == EINTR)
                continue;
            if (written < 0)
                return errno;
            if (written == 0)
                return ENOSPC;
            part.remove_prefix(static_cast<std::size_t>(written));
        }
    }
    return 0;
}

fs::path folderOf(const fs::path& file)
{
    return file.parent_path().empty() ? fs::path(".") : file.parent_path();
}

// A new, empty file beside target that nobody else has opened, with the permission bits a
// new file gets (0666 less the umask). On failure the file is not valid and error says why.
Fd createTemporary(const fs::path& target, fs::path& temporary, Errno& error)
{
    constexpr std::size_t keptNameBytes = 100; // keeps the name within the file system's limit
    const std::string leaf = target.filename().string().substr(0, keptNameBytes);
    std::random_device random;
    error = EEXIST;
    for (int attempt = 0; attempt < 16 && error == EEXIST; ++attempt) {
        char tag[24];
        std::snprintf(tag, sizeof tag, ".%08x%08x.tmp", random(), random());
        temporary = folderOf(target) / ("." + leaf + tag);
        Fd file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (file.valid())
            return file;
        error = errno;
    }
    return Fd();
}

// Both are best effort: only root may give a file to another owner, and file systems without
// POSIX permissions refuse them; neither must make a save fail.
void keepOwnerAndMode(int fd, const struct stat& old)
{
    [[maybe_unused]] const int owner = ::fchown(fd, old.st_uid, old.st_gid);
    [[maybe_unused]] const int mode = ::fchmod(fd, old.st_mode & 07777);
}

// Flushes the rename itself to disk. Best effort: the file is already in place.
void syncFolder(const fs::path& folder)
{
    const Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid())
        ::fsync(dir.get());
}

std::optional<std::string> temporaryFailure(Errno error, const fs::path& target)
{
    if (error == EACCES || error == EPERM)
        return "the folder '" + folderOf(target).string() + "' does not allow new files (" + reason(error) + ")";
    return reason(error);
}

// Writes a temporary beside target and renames it over target. old is the file being
// replaced, or nullptr for a new file.
std::optional<std::string> replaceRegular(const fs::path& target, const struct stat* old, Parts parts)
{
    fs::path temporary;
    Errno error = 0;
    Fd file = createTemporary(target, temporary, error);
    if (!file.valid())
        return temporaryFailure(error, target);
    if (old)
        keepOwnerAndMode(file.get(), *old);
    error = writeAll(file.get(), parts);
    if (!error && ::fsync(file.get()) != 0)
        error = errno;
    if (const Errno closing = file.close(); !error)
        error = closing;
    if (!error && ::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error) {
        ::unlink(temporary.c_str());
        return reason(error);
    }
    syncFolder(folderOf(target));
    return std::nullopt;
}

// A device or a named pipe: written in place, as renaming over it would replace the device
// node with a plain file.
std::optional<std::string> writeDirect(Fd file, Parts parts)
{
    const int flags = ::fcntl(file.get(), F_GETFL);
    Errno error = flags < 0 || ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0 ? errno : 0;
    if (!error)
        error = writeAll(file.get(), parts);
    if (const Errno closing = file.close(); !error)
        error = closing;
    return error ? std::optional(reason(error)) : std::nullopt;
}

} // namespace

std::optional<std::string> replaceFile(const fs::path& path, Parts parts)
{
    if (path.empty())
        return reason(ENOENT);
    fs::path target = path;
    if (const Errno error = followLinks(target))
        return reason(error);
    // Opening for writing, without creating or truncating, asks the system whether the file
    // may be written (folders and read-only files refuse) and tells its kind. O_NONBLOCK keeps
    // a named pipe without a reader from blocking the program.
    Fd probe(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!probe.valid())
        return errno == ENOENT ? replaceRegular(target, nullptr, parts) : std::optional(reason(errno));
    struct stat old {};
    if (::fstat(probe.get(), &old) != 0)
        return reason(errno);
    if (!S_ISREG(old.st_mode))
        return writeDirect(std::move(probe), parts);
    probe.close();
    return replaceRegular(target, &old, parts);
}

} // namespace quorvel
