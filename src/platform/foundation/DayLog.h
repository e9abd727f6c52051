#pragma once

#include <string>

// The day log: lines appended to "<yyyy-MM-dd>JYLog.txt" in the "Logs" folder of the documents
// directory, each stamped with the local time. Any thread (appends are serialised).
class DayLog {
public:
    static constexpr const char* kDirectoryName = "Logs";
    static constexpr const char* kFileName = "JYLog.txt";

    // Appends "yyyy-MM-dd HH:mm:ss＋" and the text (which brings its own line end); false when
    // the file could not be written.
    static bool append(const std::string& text, const std::string& fileName = kFileName,
                       const std::string& directoryName = kDirectoryName);
};
