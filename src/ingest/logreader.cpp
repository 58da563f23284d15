// SPDX-License-Identifier: MIT
#include "ingest/logreader.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {

LogFile::LogFile(const std::filesystem::path& path)
{
    // O_NONBLOCK: opening a named pipe must not wait for a writer (it is then refused as not
    // a regular file); reads from a regular file never block anyway.
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        const bool absent = errno == ENOENT || errno == ENOTDIR || errno == ENAMETOOLONG;
        status_ = absent ? Status::NotFound : Status::Unreadable;
        return;
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        status_ = Status::Unreadable;
        return;
    }
    status_ = Status::Open;
    size_ = static_cast<std::uint64_t>(info.st_size);
}

LogFile::~LogFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

ssize_t LogFile::readAt(std::uint64_t offset, char* buffer, std::size_t n) const
{
    for (;;) {
        const ssize_t got = ::pread(fd_, buffer, n, static_cast<off_t>(offset));
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

std::optional<std::uint64_t> LogFile::currentSize() const
{
    struct stat info {};
    if (::fstat(fd_, &info) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

} // namespace quorvel
