#pragma once

#include <optional>
#include <string>

// What to do with a file of ours that can no longer be read: keep it beside the original as
// "<name>.damaged-<yyyyMMdd-HHmmss>" (a number is added when that exists), so nothing is lost
// and a fresh file can take its place, and say so in the day log. Any thread.
class DamagedFile {
public:
    // The kept file's path, or nothing when the file is missing or could not be moved. `what`
    // names the file in the log line; `reason` says what is wrong with it.
    static std::optional<std::string> setAside(const std::string& path, const std::string& what,
                                               const std::string& reason);
};
