// SPDX-License-Identifier: MIT
#pragma once

#include "ingest/logreader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace quorvel {

// A part of an open log file mapped into memory, so that its bytes are read in place rather than
// copied into a buffer first. A file that shrinks while it is mapped would end the program with
// SIGBUS at the first byte read past its new end: here that byte and the rest of the part read
// as NUL instead, and lost() tells it.
class MappedPart {
public:
    MappedPart() = default;
    ~MappedPart() { unmap(); }
    MappedPart(const MappedPart&) = delete;
    MappedPart& operator=(const MappedPart&) = delete;

    // Maps [offset, offset + length) of file (offset a multiple of the page size) in place of
    // what was mapped before; false, holding nothing, when it cannot be (no address space left,
    // a file system that cannot map, too many parts mapped at once): the caller reads instead.
    bool map(const LogFile& file, std::uint64_t offset, std::size_t length);
    void unmap();
    std::string_view bytes() const { return {begin_, length_}; }
    // Whether bytes of the part were gone from the file when they were read.
    bool lost() const;

private:
    char* begin_ = nullptr;
    std::size_t length_ = 0;
    int slot_ = -1; // its place among the parts the SIGBUS handler knows
};

// The bytes of an open log file in pieces of up to pieceBytes, in order, up to the size the file
// had when it was opened: read in place from mapped parts of partBytes where the file can be
// mapped, else read into a buffer. Either way the classic rules hold: a file that shrank while
// it was read is told as Shrunk, bytes appended meanwhile are not read.
class FilePieces {
public:
    enum class Status { Piece, End, Shrunk, Unreadable };
    static constexpr std::size_t partBytes = 4u << 20;

    FilePieces(const LogFile& file, std::size_t pieceBytes);

    // The next piece; End after the last one, or why the read stops.
    Status next(std::string_view& piece);
    // Where the piece last given starts in the file.
    std::uint64_t offset() const { return offset_; }
    // Whether the piece last given was read in place, from a mapped part.
    bool inPlace() const { return offset_ >= partBegin_ && offset_ < partEnd_; }

private:
    // Piece when the bytes of the mapped part were the file's (none lost, none past its end
    // now), else why they were not: Shrunk, or Unreadable for an I/O error.
    Status partStatus() const;

    const LogFile& file_;
    const std::size_t pieceBytes_;
    std::uint64_t offset_ = 0;
    std::uint64_t at_ = 0; // where the next piece starts
    MappedPart part_;
    std::uint64_t partBegin_ = 0, partEnd_ = 0; // what part_ holds, when it holds
    bool mapping_ = true;                       // false once a part could not be mapped
    std::vector<char> buffer_;
};

} // namespace quorvel
