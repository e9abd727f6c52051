#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/PropertyList.h"

class TLANError;

// Turns a crash into an error record: saves the running version ("TLAppVersion"), builds the
// crash text (reason, addresses line, stack) and hands it to the record cache, which ends the
// session and saves; at the next launch it turns a crash that the signal writer left behind
// into an error record when the version is the same. One shared instance; any thread.
class TallyStatCrash {
public:
    static constexpr const char* kCrashCatchNotification = "TallyStatCrashCatch";
    static constexpr const char* kNoAddresses = "(null)";
    // The user info of the crash notification.
    static constexpr const char* kReasonKey = "reason";
    static constexpr const char* kStackKey = "stack";

    static TallyStatCrash& sharedInstance();

    // Installs the handlers, and observes the crash notification they post.
    void installUncaughtExceptionHandler();
    static PropertyList crashInfo(const std::string& reason, const std::vector<std::string>& stack);
    // The observer of the crash notification: the crash in its user info.
    void saveCrashInfo(const PropertyList& info);
    // Records the crash and waits until the cache file holds it.
    void saveCrashInfo(const std::string& reason, const std::vector<std::string>& stack);
    static void saveAppVersionToUserDefaults();
    static std::string crashText(const std::string& reason, const std::vector<std::string>& stack);
    // Where a launch moves the pending crash file before reading it, so that a crash of this
    // process writing a new one meanwhile is never deleted unread.
    static std::string takenCrashFile();
    // Moves the pending crash file to takenCrashFile() unless one is there already (a launch
    // killed before it was done with it); whether one is there now to read.
    static bool takePendingCrash();
    // The error record of the taken file, when an earlier process of the same version wrote it.
    // The file stays until removeTakenCrash(): it is the only copy until the record is journaled.
    static std::shared_ptr<TLANError> takenCrash();
    // Whether it is gone.
    static bool removeTakenCrash();

private:
    TallyStatCrash() = default;
};
