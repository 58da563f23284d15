// SPDX-License-Identifier: MIT
#include "core/keytally.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel {
namespace {

// addEach looks ahead of the key it counts; whatever the number of keys against its look-ahead
// and however often the table grows meanwhile, it must count and index exactly as add does.
class KeyTallyAddEach : public ::testing::TestWithParam<int> {};

TEST_P(KeyTallyAddEach, CountsExactlyAsAddDoes)
{
    std::vector<std::string> keys;
    for (int i = 0; i < GetParam(); ++i)
        keys.push_back(i % 5 == 0 ? std::string() : "name" + std::to_string(i * 7 % 97) + std::string(i % 40, 'x'));
    KeyTally one;
    std::vector<std::size_t> indexes;
    for (const std::string& key : keys)
        indexes.push_back(one.add(key));
    KeyTally batch;
    std::vector<std::size_t> batchIndexes(keys.size());
    batch.addEach(
        keys.size(), [&](std::size_t i) { return std::string_view(keys[i]); },
        [&](std::size_t i, std::size_t index) { batchIndexes[i] = index; });
    EXPECT_EQ(batch.keys(), one.keys());
    EXPECT_EQ(batch.counts(), one.counts());
    EXPECT_EQ(batchIndexes, indexes);
}

INSTANTIATE_TEST_SUITE_P(Sizes, KeyTallyAddEach, ::testing::Values(0, 1, 7, 8, 9, 1000));

} // namespace
} // namespace quorvel
