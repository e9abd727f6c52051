#pragma once

// The "Logs" folder of the documents directory. At each launch only today's and yesterday's
// day logs survive: every other entry is deleted. Class operations; main thread.

#include <string>

#include "platform/foundation/DayLog.h"

class VKJYLogDirectory {
public:
    static constexpr const char* kDirectoryName = DayLog::kDirectoryName;
    static constexpr const char* kDayLogFileName = DayLog::kFileName;

    static std::string path();
    // Creates the folder and deletes what is not a log of the local day of `now` or the day
    // before. Returns the number of entries deleted.
    static int prepare(double now);
};
