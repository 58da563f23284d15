// SPDX-License-Identifier: MIT
// How many threads a load uses: the count QUORVEL_THREADS forces, the parts a log of a given
// size splits into, and the CPUs the quotas of the process's control groups allow (read from a
// folder tree laid out like /sys/fs/cgroup and a file like /proc/self/cgroup).
#include "tempserver.h"

#include "core/cgroups.h"
#include "core/threads.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

TEST(Threads, TheEnvironmentForcesOnlyAWholeCountFromOneTo64)
{
    EXPECT_EQ(forcedThreads("1"), 1u);
    EXPECT_EQ(forcedThreads("7"), 7u);
    EXPECT_EQ(forcedThreads("64"), 64u);
    for (const char* refused : {"0", "65", "", "2x", " 2", "-1", "99999999999"})
        EXPECT_EQ(forcedThreads(refused), std::nullopt) << refused;
    EXPECT_EQ(forcedThreads(nullptr), std::nullopt);
}

TEST(Threads, ALogSplitsIntoPartsOfAtLeastTheLeastSizeUnlessForced)
{
    constexpr std::uint64_t least = 100;
    const ThreadCount four{4, false};
    EXPECT_EQ(four.partsFor(0, least), 1u);
    EXPECT_EQ(four.partsFor(199, least), 1u);
    EXPECT_EQ(four.partsFor(200, least), 2u);
    EXPECT_EQ(four.partsFor(1000, least), 4u);
    EXPECT_EQ((ThreadCount{7, true}.partsFor(0, least)), 7u);
}

class CpuQuotas : public ::testing::Test {
protected:
    fs::path root() const { return temp.root() / "cgroup"; }
    fs::path self() const { return temp.root() / "self-cgroup"; }
    static void write(const fs::path& file, const std::string& text)
    {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    }
    std::optional<unsigned> limit() const { return cgroupCpuLimit(root(), self()); }

    TempServer temp;
};

TEST_F(CpuQuotas, Version2QuotaOverPeriodRoundedUpAndTheLeastOfTheGroupAndItsParents)
{
    write(self(), "0::/a/b\n");
    write(root() / "a" / "cpu.max", "max 100000\n");
    EXPECT_EQ(limit(), std::nullopt);
    write(root() / "a" / "b" / "cpu.max", "150000 100000\n");
    EXPECT_EQ(limit(), 2u);
    write(root() / "a" / "cpu.max", "100000 100000\n");
    EXPECT_EQ(limit(), 1u);
}

TEST_F(CpuQuotas, Version1ReadsTheCpuHierarchyAndNoQuotaIsMinusOne)
{
    write(self(), "5:memory:/m\n3:cpu,cpuacct:/g\n");
    const fs::path group = root() / "cpu,cpuacct" / "g";
    write(group / "cpu.cfs_quota_us", "-1\n");
    write(group / "cpu.cfs_period_us", "100000\n");
    EXPECT_EQ(limit(), std::nullopt);
    write(group / "cpu.cfs_quota_us", "300000\n");
    EXPECT_EQ(limit(), 3u);
    write(root() / "memory" / "m" / "cpu.cfs_quota_us", "100000\n");
    EXPECT_EQ(limit(), 3u) << "the memory hierarchy sets no CPU quota";
}

} // namespace
} // namespace quorvel::test
