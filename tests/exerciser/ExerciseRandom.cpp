#include "ExerciseRandom.h"

uint64_t ExerciseRandom::next() {
    uint64_t z = (m_state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

size_t ExerciseRandom::below(size_t n) {
    return n == 0 ? 0 : static_cast<size_t>(next() % n);
}

bool ExerciseRandom::chance(double probability) {
    return between(0, 1) < probability;
}

double ExerciseRandom::between(double low, double high) {
    const double unit = static_cast<double>(next() >> 11) / static_cast<double>(1ULL << 53);
    return low + (high - low) * unit;
}

size_t ExerciseRandom::weighted(const std::vector<int>& weights) {
    long total = 0;
    for (int weight : weights) {
        total += weight > 0 ? weight : 0;
    }
    if (total == 0) {
        return weights.size();
    }
    long roll = static_cast<long>(below(static_cast<size_t>(total)));
    for (size_t i = 0; i < weights.size(); ++i) {
        roll -= weights[i] > 0 ? weights[i] : 0;
        if (roll < 0) {
            return i;
        }
    }
    return weights.size();
}
