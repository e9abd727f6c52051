#pragma once

#include <cstdint>

// Field ids of an uploaded log entry and of its parts, as the service's schema numbers them: the
// tests read what the service accepted by them.
inline constexpr int16_t kEntryInstantMessages = 6;
inline constexpr int16_t kEntrySessions = 7;
inline constexpr int16_t kMessageErrors = 2;
inline constexpr int16_t kMessageEvents = 3;
inline constexpr int16_t kSessionDuration = 4;
inline constexpr int16_t kSessionPages = 5;
