// SPDX-License-Identifier: MIT
#include "core/nameorder.h"

#include <algorithm>

namespace quorvel {

namespace {

unsigned char foldAscii(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

bool foldedLess(char l, char r)
{
    return foldAscii(l) < foldAscii(r);
}

} // namespace

bool nameOrder(std::string_view x, std::string_view y)
{
    if (std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(), foldedLess))
        return true;
    if (std::lexicographical_compare(y.begin(), y.end(), x.begin(), x.end(), foldedLess))
        return false;
    return x < y;
}

} // namespace quorvel
