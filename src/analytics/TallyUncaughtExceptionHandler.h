#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Bytes.h"
#include "platform/foundation/PropertyList.h"

// The process-wide crash handlers. An uncaught C++ exception (std::terminate) is recorded
// through TallyStatCrash at once and the cache is saved before the process aborts. A fatal
// signal (SIGABRT, SIGILL, SIGSEGV, SIGFPE, SIGBUS) is written by an async-signal-safe writer
// (no allocation, no locks: buffers and the file path are prepared at install) beside the
// pending crash file and renamed onto it once whole; the next launch of the same version turns
// it into an error record. Also finds the facts of the application's own loaded image.
// Installed once, from the main thread.
class TallyUncaughtExceptionHandler {
public:
    static constexpr const char* kSignalExceptionName = "signalRaisedException";
    static constexpr const char* kCrashFileMagic = "TLANCRASH";

    // Installs the terminate and signal handlers and reads the loaded images.
    static void install();
    static void uninstall();
    static bool installed();

    // Signal number to name, for the six signals of the table ("SIGSEGV"); "" otherwise.
    static const char* signalName(int signal);
    // "Application received signal SIGSEGV".
    static std::string signalReason(int signal);
    // One "0x..." line per return address of the calling thread.
    static std::vector<std::string> backtrace();

    // The pending crash file of the signal path, in the caches folder.
    static std::string pendingCrashFile();
    // Keeps the session id the signal writer puts into the file.
    static void setCrashSessionId(const std::string& sessionId);

    // The facts of the application's own image, or nothing when none qualifies.
    static std::optional<PropertyList> ownImageInfo();
    // 16 bytes as upper-case 8-4-4-4-12 digits; the first 16 of a longer build id.
    static std::string uuidString(const Bytes& bytes);
    static std::string cpuArch(uint16_t machine);
    // System libraries and the kernel's virtual image are not the application's own.
    static bool isOwnImage(const std::string& path);
};
