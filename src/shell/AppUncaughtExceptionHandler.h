#pragma once

// Crash and day-log files in the documents directory: an uncaught exception is written to
// "exception.txt" before the process ends, and writeDataToNSLogFile appends lines to the day
// logs while the user default "DebugPreference" is on. Class operations; main thread, except
// the crash writer, which runs on whichever thread is terminating.

#include <string>

class AppUncaughtExceptionHandler {
public:
    static constexpr const char* kExceptionFileName = "exception.txt";
    static constexpr const char* kDebugPreferenceKey = "DebugPreference";

    // Installs the terminate handler that writes the crash file.
    static void setDefaultHandler();
    // Writes the crash record (time, name, reason) to "exception.txt", replacing an older one.
    static bool writeExceptionFile(const std::string& name, const std::string& reason);

    // Appends "yyyy-MM-dd HH:mm:ss＋<text>" to "<yyyy-MM-dd><fileName>" in the folder
    // directorName under the documents directory; only while "DebugPreference" is on.
    // Returns whether the line was written.
    static bool writeDataToNSLogFile(const std::string& text, const std::string& fileName,
                                     const std::string& directorName);
};
