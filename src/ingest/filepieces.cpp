// SPDX-License-Identifier: MIT
#include "ingest/filepieces.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <mutex>
#include <sys/mman.h>
#include <unistd.h>

namespace quorvel {

namespace {

// The mapped parts the SIGBUS handler knows: lock-free atomics, read from the handler.
struct Guarded {
    std::atomic<bool> taken{false};
    std::atomic<std::uintptr_t> begin{0}, end{0}; // page-aligned; 0 while nothing is mapped
    std::atomic<bool> lost{false};
};
constexpr int guardedParts = 64;
Guarded guarded[guardedParts];
std::uintptr_t pageBytes = 4096;
struct sigaction before {};
bool handlerInstalled = false;

void onBus(int signal, siginfo_t* info, void* context)
{
    const auto at = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (Guarded& g : guarded) {
        const std::uintptr_t begin = g.begin.load(std::memory_order_acquire);
        const std::uintptr_t end = g.end.load(std::memory_order_acquire);
        if (begin == 0 || at < begin || at >= end)
            continue;
        // Zero pages where the file's were, from the page read on: the read goes on and is
        // told by lost() afterwards.
        const std::uintptr_t page = at & ~(pageBytes - 1);
        if (::mmap(reinterpret_cast<void*>(page), end - page, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1,
                   0) != MAP_FAILED) {
            g.lost.store(true, std::memory_order_release);
            return;
        }
        break;
    }
    // Not a mapped part's fault: what the signal did before this handler.
    if ((before.sa_flags & SA_SIGINFO) != 0 && before.sa_sigaction != nullptr) {
        before.sa_sigaction(signal, info, context);
    } else if (before.sa_handler != SIG_DFL && before.sa_handler != SIG_IGN) {
        before.sa_handler(signal);
    } else if (before.sa_handler == SIG_IGN && info->si_code <= 0) {
        return; // sent by a process, and ignored (a fault cannot be)
    } else {
        // Back to the default action, which ends the program: at once for a signal sent, on
        // return for a fault, which comes again.
        struct sigaction fallback {};
        fallback.sa_handler = SIG_DFL;
        ::sigaction(SIGBUS, &fallback, nullptr);
        ::raise(signal);
    }
}

bool installHandler()
{
    static std::once_flag once;
    std::call_once(once, [] {
        pageBytes = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        struct sigaction action {};
        action.sa_sigaction = onBus;
        action.sa_flags = SA_SIGINFO;
        sigemptyset(&action.sa_mask);
        handlerInstalled = ::sigaction(SIGBUS, &action, &before) == 0;
    });
    return handlerInstalled;
}

} // namespace

bool MappedPart::map(const LogFile& file, std::uint64_t offset, std::size_t length)
{
    unmap();
    if (length == 0 || !installHandler())
        return false;
    int slot = 0;
    for (bool free = false; slot < guardedParts && !guarded[slot].taken.compare_exchange_strong(free, true);
         free = false)
        ++slot;
    if (slot == guardedParts)
        return false;
    void* mapped = ::mmap(nullptr, length, PROT_READ, MAP_PRIVATE | MAP_POPULATE, file.descriptor(),
                          static_cast<off_t>(offset));
    if (mapped == MAP_FAILED) {
        guarded[slot].taken.store(false);
        return false;
    }
    begin_ = static_cast<char*>(mapped);
    length_ = length;
    slot_ = slot;
    const auto begin = reinterpret_cast<std::uintptr_t>(mapped);
    guarded[slot].lost.store(false, std::memory_order_relaxed);
    guarded[slot].end.store(begin + (length + pageBytes - 1) / pageBytes * pageBytes, std::memory_order_release);
    guarded[slot].begin.store(begin, std::memory_order_release);
    return true;
}

void MappedPart::unmap()
{
    if (begin_ == nullptr)
        return;
    guarded[slot_].begin.store(0, std::memory_order_release);
    guarded[slot_].end.store(0, std::memory_order_release);
    ::munmap(begin_, length_);
    guarded[slot_].taken.store(false);
    begin_ = nullptr;
    length_ = 0;
    slot_ = -1;
}

bool MappedPart::lost() const
{
    return slot_ >= 0 && guarded[slot_].lost.load(std::memory_order_acquire);
}

FilePieces::FilePieces(const LogFile& file, std::size_t pieceBytes) : file_(file), pieceBytes_(pieceBytes) {}

FilePieces::Status FilePieces::partStatus() const
{
    const std::optional<std::uint64_t> size = file_.currentSize();
    if (!size)
        return Status::Unreadable;
    if (*size < partEnd_)
        return Status::Shrunk;
    return part_.lost() ? Status::Unreadable : Status::Piece; // lost with the file whole: an I/O error
}

FilePieces::Status FilePieces::next(std::string_view& piece)
{
    const std::uint64_t size = file_.size();
    const bool inPart = at_ >= partBegin_ && at_ < partEnd_;
    if (!inPart && partEnd_ > partBegin_) {
        // Leaving a mapped part: its bytes count only if the file still holds them all.
        if (const Status status = partStatus(); status != Status::Piece)
            return status;
        part_.unmap();
        partBegin_ = partEnd_ = 0;
    }
    if (at_ >= size)
        return Status::End;
    if (part_.lost())
        return partStatus();
    offset_ = at_;
    if (!inPart && mapping_) {
        const auto length = static_cast<std::size_t>(std::min<std::uint64_t>(partBytes, size - at_));
        mapping_ = at_ % partBytes == 0 && part_.map(file_, at_, length);
        if (mapping_) {
            partBegin_ = at_;
            partEnd_ = at_ + length;
        }
    }
    const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(pieceBytes_, size - at_));
    if (at_ >= partBegin_ && at_ < partEnd_) {
        piece = part_.bytes().substr(static_cast<std::size_t>(at_ - partBegin_), want);
        at_ += piece.size();
        return Status::Piece;
    }
    buffer_.resize(pieceBytes_);
    const ssize_t got = file_.readAt(at_, buffer_.data(), want);
    if (got <= 0)
        return got < 0 ? Status::Unreadable : Status::Shrunk;
    piece = std::string_view(buffer_.data(), static_cast<std::size_t>(got));
    at_ += piece.size();
    return Status::Piece;
}

} // namespace quorvel
