// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::test {

// A memory limit of the process's control group as quorvel-report reads it, set up in a private
// mount namespace: a tmpfs over /sys/fs/cgroup holds the group's limit files at the path
// /proc/self/cgroup names. No real control group is created or changed; the tool's address
// space limit (ulimit -v) stays the one that is enforced.
struct ControlGroupLimit {
    enum class Form { Version1, Version2 };
    Form form = Form::Version1;
    std::uint64_t limit = 0;
    std::uint64_t usage = 0;    // what the group holds
    std::uint64_t inactive = 0; // of that, page cache the kernel can drop
};

// Why such a limit cannot be set up here (a private mount namespace is refused, or
// /proc/self/cgroup names no group of that form); nothing when it can.
std::optional<std::string> controlGroupRefused(ControlGroupLimit::Form form);

// The words that run a program (the words after them) in a private mount namespace holding
// the limit, with its address space limited to addressSpaceKiB.
std::vector<std::string> inControlGroup(const ControlGroupLimit& limit, std::uint64_t addressSpaceKiB);

} // namespace quorvel::test
