// SPDX-License-Identifier: MIT
#pragma once

#include <fcntl.h>
#include <filesystem>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace quorvel::test {

// Makes permission bits apply to the calling thread while it lives, also when the tests run
// as root (as in CI): the capabilities that override them (CAP_DAC_OVERRIDE,
// CAP_DAC_READ_SEARCH) leave the thread's effective set and come back at the end. They stay
// in the permitted set, so giving them back needs no privilege. Without them, root is held
// to a file's owner bits like anybody else.
class PermissionBitsApply {
public:
    PermissionBitsApply()
    {
        if (::syscall(SYS_capget, &header_, saved_) != 0)
            return;
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        changed_ = ::syscall(SYS_capset, &header_, reduced) == 0;
    }
    ~PermissionBitsApply()
    {
        if (changed_)
            ::syscall(SYS_capset, &header_, saved_);
    }
    PermissionBitsApply(const PermissionBitsApply&) = delete;
    PermissionBitsApply& operator=(const PermissionBitsApply&) = delete;

    // Whether a file without any permission bits is refused now; when it is not, a test of
    // permissions cannot tell anything and should be skipped.
    static bool enforced(const std::filesystem::path& scratchFolder)
    {
        const std::filesystem::path probe = scratchFolder / ".permission-probe";
        const int created = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0);
        if (created < 0)
            return false;
        ::close(created);
        const int opened = ::open(probe.c_str(), O_RDONLY | O_CLOEXEC);
        if (opened >= 0)
            ::close(opened);
        ::unlink(probe.c_str());
        return opened < 0;
    }

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool changed_ = false;
};

} // namespace quorvel::test
