// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace loggen {

// SplitMix64: the same sequence for the same seed on every compiler and library, which the
// standard distributions do not promise.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A number in [0, bound).
    std::uint64_t below(std::uint64_t bound) { return bound ? next() % bound : 0; }
    // A number in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    bool chance(double p) { return unit() < p; }

private:
    std::uint64_t state_;
};

// Draws ranks 0 .. n-1 with probability proportional to 1 / (rank + 1)^exponent: a few
// values are very common and most are rare, as names and files are in real logs.
class Zipf {
public:
    Zipf(std::size_t n, double exponent) : cumulative_(n)
    {
        double sum = 0;
        for (std::size_t k = 0; k < n; ++k)
            cumulative_[k] = sum += 1.0 / std::pow(static_cast<double>(k + 1), exponent);
        for (double& c : cumulative_)
            c /= sum;
    }

    std::size_t draw(Random& random) const
    {
        const auto it = std::upper_bound(cumulative_.begin(), cumulative_.end(), random.unit());
        return std::min(static_cast<std::size_t>(it - cumulative_.begin()), cumulative_.size() - 1);
    }

private:
    std::vector<double> cumulative_;
};

} // namespace loggen
