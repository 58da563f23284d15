// SPDX-License-Identifier: MIT
// The tally counts keys byte for byte in order of first occurrence, whatever the number of
// keys against its look-ahead and however often its table grows meanwhile.
#include "core/keytally.h"

#include <gtest/gtest.h>

#include <string>
#include <unordered_map>
#include <vector>

namespace quorvel {
namespace {

// Counts every key; returns the index the tally gave each.
template <class Keys> std::vector<std::size_t> countAll(KeyTally& tally, const Keys& keys)
{
    std::vector<std::size_t> indexes(keys.size());
    tally.addEach(
        keys.size(), [&](std::size_t i) { return std::string_view(keys[i]); },
        [&](std::size_t i, std::size_t index) { indexes[i] = index; });
    return indexes;
}

TEST(KeyTally, CountsDistinctKeysInOrderOfFirstOccurrence)
{
    KeyTally tally;
    const std::vector<std::string_view> keys{"B", "A", "B", "b", "", "A ", "B", ""};
    EXPECT_EQ(countAll(tally, keys), (std::vector<std::size_t>{0, 1, 0, 2, 3, 4, 0, 3}));
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
    countAll(tally, keys);
    countAll(tally, keys);
    ASSERT_EQ(tally.size(), keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        ASSERT_EQ(tally.keys()[i], keys[i]);
        ASSERT_EQ(tally.counts()[i], 2);
    }
}

class KeyTallyLookAhead : public ::testing::TestWithParam<int> {};

// Fewer, as many and more keys than the look-ahead, short keys and keys too long for a slot.
TEST_P(KeyTallyLookAhead, IndexesEveryKeyAsAPlainMapWould)
{
    std::vector<std::string> keys;
    for (int i = 0; i < GetParam(); ++i)
        keys.push_back(i % 5 == 0 ? std::string() : "name" + std::to_string(i * 7 % 97) + std::string(i % 40, 'x'));
    std::unordered_map<std::string, std::size_t> first;
    std::vector<std::size_t> expected;
    for (const std::string& key : keys)
        expected.push_back(first.try_emplace(key, first.size()).first->second);
    KeyTally tally;
    EXPECT_EQ(countAll(tally, keys), expected);
    EXPECT_EQ(tally.size(), first.size());
}

INSTANTIATE_TEST_SUITE_P(Sizes, KeyTallyLookAhead, ::testing::Values(0, 1, 7, 8, 9, 1000));

} // namespace
} // namespace quorvel
