#pragma once

#include <cstdint>
#include <vector>

// Plays the phone platform's system sounds by number. A desktop has none of them, so a play
// is only recorded; tests read the record to see that a sound was asked for. Main thread only.
class SystemSound {
public:
    static void play(std::uint32_t soundId);
    // Every id played since the start or the last clearRecorded(), oldest first.
    static std::vector<std::uint32_t> playedSounds();
    static void clearRecorded();
};
