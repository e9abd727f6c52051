#pragma once

#include <string>

// Outcome of one SQLite call: the result code (SQLITE_OK, SQLITE_ROW and SQLITE_DONE are
// successes) and the engine's message when it failed. A plain value.
struct SQLiteStatus {
    int code = 0;
    std::string message;

    bool ok() const;
};
