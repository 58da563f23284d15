// SPDX-License-Identifier: MIT
#include "core/keytally.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel {
namespace {

TEST(KeyTally, CountsDistinctKeysInOrderOfFirstOccurrence)
{
    KeyTally tally;
    for (std::string_view key : {"B", "A", "B", "b", "", "A ", "B", ""})
        tally.add(key);
    EXPECT_EQ(tally.keys(), (std::vector<std::string_view>{"B", "A", "b", "", "A "}));
    EXPECT_EQ(tally.counts(), (std::vector<std::int64_t>{3, 1, 1, 2, 1}));
    EXPECT_EQ(tally.find("b"), 2u);
    EXPECT_EQ(tally.find("c"), KeyTally::npos);
}

TEST(KeyTally, KeepsEveryKeyAcrossManyGrowths)
{
    std::vector<std::string> keys;
    for (int i = 0; i < 100000; ++i)
        keys.push_back("file" + std::to_string(i * 7919 % 100003));
    KeyTally tally;
    for (const std::string& key : keys)
        tally.add(key);
    for (const std::string& key : keys)
        tally.add(key);
    ASSERT_EQ(tally.size(), keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        ASSERT_EQ(tally.keys()[i], keys[i]);
        ASSERT_EQ(tally.counts()[i], 2);
    }
}

} // namespace
} // namespace quorvel
