// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

namespace quorvel {

struct LogFile {
    enum class Status { Read, NotFound, Unreadable };
    Status status = Status::NotFound;
    std::unique_ptr<char[]> text;
    std::uint64_t size = 0;
};

// Reads a log whole, read-only, in large blocks. The size is taken when the file is opened:
// bytes appended meanwhile are not read, and a file that shrinks gives what it still holds.
// onSize is called with the size once the file is open, onBlock with the bytes read so far
// after each block. A path that does not exist (or cannot, being too long) is NotFound; one
// that cannot be opened or read (permissions, a folder, a named pipe or device, an I/O error,
// too large for memory) is Unreadable.
LogFile readLogFile(const std::filesystem::path& path, const std::function<void(std::uint64_t)>& onSize,
                    const std::function<void(std::uint64_t)>& onBlock);

} // namespace quorvel
