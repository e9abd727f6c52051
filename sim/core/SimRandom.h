#pragma once

// A small seeded generator (splitmix64) for the market model: the same seed gives the same
// sequence on every machine. Value type; one owner at a time.

#include <cstdint>

class SimRandom {
public:
    explicit SimRandom(uint64_t seed) : m_state(seed) {}

    uint64_t next() {
        uint64_t z = (m_state += kStep);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [low, high], both included.
    int64_t between(int64_t low, int64_t high) {
        return low + static_cast<int64_t>(next() % static_cast<uint64_t>(high - low + 1));
    }
    // Roughly normal with mean 0 and the given spread (sum of uniforms).
    double gauss(double sigma) {
        double sum = 0;
        for (int i = 0; i < 12; ++i) {
            sum += static_cast<double>(next() >> 11) / 9007199254740992.0;
        }
        return (sum - 6.0) * sigma;
    }

    // As if next() had been called `draws` times: each call only steps the state by kStep.
    void skip(uint64_t draws) { m_state += draws * kStep; }

private:
    static constexpr uint64_t kStep = 0x9E3779B97F4A7C15ull;
    uint64_t m_state;
};
