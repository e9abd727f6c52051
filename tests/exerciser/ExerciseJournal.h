#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// The events of one exerciser run, numbered from 1, kept in memory and appended to a file as
// they happen (flushed each time, with the seconds since the start), so a run that the sanitizer
// ends still leaves its list behind. While a journal lives, a sanitizer report also prints its
// seed, its file and the last events. Main thread.
class ExerciseJournal {
public:
    ExerciseJournal(uint64_t seed, std::string path);
    ~ExerciseJournal();
    ExerciseJournal(const ExerciseJournal&) = delete;
    ExerciseJournal& operator=(const ExerciseJournal&) = delete;

    void add(const std::string& event);
    size_t size() const { return m_events.size(); }
    const std::string& path() const { return m_path; }
    // "seed N" and then every event on a line of its own.
    std::string text() const;
    // The seed line and the last `count` events.
    std::string tail(size_t count) const;

private:
    uint64_t m_seed;
    std::string m_path;
    std::vector<std::string> m_events;
    FILE* m_file = nullptr;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};
