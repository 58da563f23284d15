// SPDX-License-Identifier: MIT
#include "ingest/logreader.h"

#include "ingest/hugepages.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {

namespace {

constexpr std::uint64_t blockSize = 8u << 20;

struct Fd {
    int fd;
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

LogFile readLogFile(const std::filesystem::path& path, const std::function<void(std::uint64_t)>& onSize,
                    const std::function<void(std::uint64_t)>& onBlock)
{
    LogFile result;
    // O_NONBLOCK: opening a named pipe must not wait for a writer (it is then refused as not
    // a regular file); reads from a regular file never block anyway.
    const Fd file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0) {
        const bool absent = errno == ENOENT || errno == ENOTDIR || errno == ENAMETOOLONG;
        result.status = absent ? LogFile::Status::NotFound : LogFile::Status::Unreadable;
        return result;
    }
    struct stat info {};
    if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result.status = LogFile::Status::Unreadable;
        return result;
    }
    const auto size = static_cast<std::uint64_t>(info.st_size);
    onSize(size);
    std::unique_ptr<char[]> text;
    try {
        text = std::make_unique_for_overwrite<char[]>(size ? size : 1);
    } catch (const std::bad_alloc&) {
        result.status = LogFile::Status::Unreadable;
        return result;
    }
    adviseHugePages(text.get(), size);
    std::uint64_t done = 0;
    while (done < size) {
        const std::uint64_t want = std::min(blockSize, size - done);
        const ssize_t got = ::read(file.fd, text.get() + done, want);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            result.status = LogFile::Status::Unreadable;
            return result;
        }
        if (got == 0)
            break;
        done += static_cast<std::uint64_t>(got);
        onBlock(done);
    }
    result.status = LogFile::Status::Read;
    result.text = std::move(text);
    result.size = done;
    return result;
}

} // namespace quorvel
