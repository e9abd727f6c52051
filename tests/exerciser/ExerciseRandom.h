#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The exerciser's dice: a splitmix64 sequence, the same for a seed on every machine and
// standard library, so a seed replays the same choices. Any thread, one owner.
class ExerciseRandom {
public:
    explicit ExerciseRandom(uint64_t seed) : m_state(seed) {}

    uint64_t next();
    // 0 .. n-1; 0 when n is 0.
    size_t below(size_t n);
    bool chance(double probability);
    double between(double low, double high);
    // An index chosen in proportion to its weight; weights.size() when every weight is 0.
    size_t weighted(const std::vector<int>& weights);

private:
    uint64_t m_state;
};
