// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <sys/types.h>

namespace quorvel {

// A log opened read-only. The size is taken when the file is opened: a reader reads no further,
// so bytes appended meanwhile are not read, and a file that shrinks gives what it still holds.
// A path that does not exist (or cannot, being too long) is NotFound; one that cannot be
// opened as a regular file (permissions, a folder, a named pipe or device) is Unreadable.
class LogFile {
public:
    enum class Status { Open, NotFound, Unreadable };

    explicit LogFile(const std::filesystem::path& path);
    ~LogFile();
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    Status status() const { return status_; }
    std::uint64_t size() const { return size_; }
    // Reads up to n bytes at offset into buffer: the number read, 0 at the end of the file,
    // -1 on an I/O error.
    ssize_t readAt(std::uint64_t offset, char* buffer, std::size_t n) const;
    // The size the file has now, or nothing when it cannot be told.
    std::optional<std::uint64_t> currentSize() const;
    int descriptor() const { return fd_; }

private:
    int fd_ = -1;
    Status status_ = Status::NotFound;
    std::uint64_t size_ = 0;
};

} // namespace quorvel
