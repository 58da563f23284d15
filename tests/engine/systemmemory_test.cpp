// SPDX-License-Identifier: MIT
// The memory limits of control groups, read from a folder tree laid out like /sys/fs/cgroup
// and a file like /proc/self/cgroup: version 1's memory hierarchy and version 2, the process's
// group and the groups above it, less what each group holds but the page cache.
#include "tempserver.h"

#include "core/systemmemory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t noLimit = std::numeric_limits<std::uint64_t>::max();
constexpr std::uint64_t mib = std::uint64_t{1} << 20;

class ControlGroups : public ::testing::Test {
protected:
    fs::path root() const { return temp.root() / "cgroup"; }
    fs::path self() const { return temp.root() / "self-cgroup"; }

    void listGroups(const std::string& lines) const { write(self(), lines); }
    // A version 1 group of the memory hierarchy: its limit, what it holds, its inactive cache.
    void version1(const std::string& group, std::uint64_t limit, std::uint64_t usage, std::uint64_t inactive) const
    {
        const fs::path folder = root() / "memory" / group;
        write(folder / "memory.limit_in_bytes", std::to_string(limit) + "\n");
        write(folder / "memory.usage_in_bytes", std::to_string(usage) + "\n");
        write(folder / "memory.stat", "cache 1\ninactive_file 1\ntotal_cache 2\ntotal_inactive_file " +
                                          std::to_string(inactive) + "\ntotal_active_file 3\n");
    }
    // A version 2 group: memory.max ("max" or a number), memory.current, its inactive cache.
    void version2(const std::string& group, const std::string& max, std::uint64_t current, std::uint64_t inactive) const
    {
        const fs::path folder = root() / group;
        write(folder / "memory.max", max + "\n");
        write(folder / "memory.current", std::to_string(current) + "\n");
        write(folder / "memory.stat",
              "anon 5\nactive_file 7\ninactive_file " + std::to_string(inactive) + "\nfile_mapped 9\n");
    }
    std::uint64_t left() const { return cgroupMemoryLeft(root(), self()); }

    static void write(const fs::path& file, const std::string& text)
    {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    }

    TempServer temp;
};

TEST_F(ControlGroups, Version1LimitLessWhatTheGroupHoldsButItsInactiveCache)
{
    listGroups("9:name=systemd:/\n5:devices:/\n4:memory:/jobs/one\n1:cpu:/\n0::/\n");
    version1("jobs/one", 300 * mib, 120 * mib, 100 * mib);
    EXPECT_EQ(left(), 280 * mib);
}

TEST_F(ControlGroups, Version2LimitLessWhatTheGroupHoldsButItsInactiveCache)
{
    listGroups("0::/user.slice/job\n");
    version2("user.slice/job", std::to_string(300 * mib), 290 * mib, 250 * mib);
    EXPECT_EQ(left(), 260 * mib);
}

TEST_F(ControlGroups, TheTightestGroupOnThePathWinsInEitherVersion)
{
    listGroups("4:memory:/a/b/c\n0::/x/y\n");
    version1("", 9'223'372'036'854'771'712, 900 * mib, 0); // the root: no limit
    version1("a", 500 * mib, 100 * mib, 0);
    version1("a/b", 200 * mib, 50 * mib, 10 * mib);
    version1("a/b/c", 400 * mib, 40 * mib, 0);
    version2("x", std::to_string(1000 * mib), 10 * mib, 0);
    version2("x/y", "max", 5 * mib, 0);
    EXPECT_EQ(left(), 160 * mib);
    version2("x", std::to_string(150 * mib), 10 * mib, 0);
    EXPECT_EQ(left(), 140 * mib);
}

TEST_F(ControlGroups, AGroupThatHoldsMoreThanItsLimitLeavesNothing)
{
    listGroups("4:memory:/full\n");
    version1("full", 100 * mib, 130 * mib, 10 * mib);
    EXPECT_EQ(left(), 0u);
}

TEST_F(ControlGroups, MoreCacheThanUsageLeavesTheWholeLimit)
{
    listGroups("0::/g\n");
    version2("g", std::to_string(100 * mib), 30 * mib, 40 * mib);
    EXPECT_EQ(left(), 100 * mib);
}

TEST_F(ControlGroups, WithoutLimitsOrGroupsNothingIsKnown)
{
    listGroups("0::/g\n4:memory:/h\n7:cpu,cpuacct:/h\n");
    version2("g", "max", 30 * mib, 0);
    EXPECT_EQ(left(), noLimit); // version 1 folder missing, version 2 without a limit
    write(root() / "memory" / "h" / "memory.limit_in_bytes", "100\n");
    EXPECT_EQ(left(), noLimit); // no usage file
    listGroups("");
    EXPECT_EQ(left(), noLimit);
    fs::remove(self());
    EXPECT_EQ(left(), noLimit);
}

} // namespace
} // namespace quorvel::test
