#include "analytics/TallyStatCrash.h"

#include <filesystem>
#include <mutex>

#include "analytics/TLANRecords.h"
#include "analytics/TLANUtil.h"
#include "analytics/TallyLog.h"
#include "analytics/TallyStatInternal.h"
#include "analytics/TallyUncaughtExceptionHandler.h"
#include "platform/foundation/AtomicFile.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/UserDefaults.h"

namespace {

constexpr const char* kSupportMarker = "\n\ndSYM UUID: ";

}  // namespace

TallyStatCrash& TallyStatCrash::sharedInstance() {
    static TallyStatCrash* instance = new TallyStatCrash();
    return *instance;
}

void TallyStatCrash::installUncaughtExceptionHandler() {
    static std::once_flag observing;
    std::call_once(observing, [] {
        NotificationCenter::defaultCenter().addObserver(
            &sharedInstance(), kCrashCatchNotification, nullptr,
            [](const std::string&, const void*, const PropertyList& info) {
                sharedInstance().saveCrashInfo(info);
            });
    });
    TallyUncaughtExceptionHandler::install();
}

PropertyList TallyStatCrash::crashInfo(const std::string& reason,
                                       const std::vector<std::string>& stack) {
    PropertyList frames = PropertyList::array();
    for (const std::string& frame : stack) {
        frames.append(frame);
    }
    PropertyList info = PropertyList::dictionary();
    info.set(kReasonKey, reason);
    info.set(kStackKey, frames);
    return info;
}

void TallyStatCrash::saveCrashInfo(const PropertyList& info) {
    std::vector<std::string> stack;
    for (const PropertyList& frame : info[kStackKey].items()) {
        stack.push_back(frame.toString());
    }
    saveCrashInfo(info[kReasonKey].toString(), stack);
}

void TallyStatCrash::saveAppVersionToUserDefaults() {
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    defaults.setString(TLANUtil::appVersionString(), "TLAppVersion");
    defaults.synchronize();
}

std::string TallyStatCrash::crashText(const std::string& reason,
                                      const std::vector<std::string>& stack) {
    std::vector<std::string> frames;
    for (size_t i = 0; i < stack.size(); ++i) {
        frames.push_back(Text::format("    %@", stack[i]));
    }
    const std::string symbols = "(\n" + Text::join(frames, ",\n") + "\n)";
    return Text::format("%@\n%@\n%@", reason, kNoAddresses, symbols);
}

void TallyStatCrash::saveCrashInfo(const std::string& reason,
                                   const std::vector<std::string>& stack) {
    saveAppVersionToUserDefaults();
    TallyStatInternal::error(crashText(reason, stack));
    // The process ends right after this: the save must be on disk first.
    TallyStatInternal::sharedInstance().saveQueue().waitUntilAllOperationsAreFinished();
}

std::string TallyStatCrash::takenCrashFile() {
    return TallyUncaughtExceptionHandler::pendingCrashFile() + ".taken";
}

bool TallyStatCrash::takePendingCrash() {
    std::error_code ignored;
    if (std::filesystem::exists(takenCrashFile(), ignored)) {
        return true;
    }
    std::error_code failed;
    std::filesystem::rename(TallyUncaughtExceptionHandler::pendingCrashFile(), takenCrashFile(),
                            failed);
    return !failed;
}

bool TallyStatCrash::removeTakenCrash() {
    std::error_code failed;
    std::filesystem::remove(takenCrashFile(), failed);
    return !failed;
}

std::shared_ptr<TLANError> TallyStatCrash::takenCrash() {
    std::optional<Bytes> bytes = AtomicFile::read(takenCrashFile());
    if (!bytes) {
        return nullptr;
    }
    const std::string text(bytes->begin(), bytes->end());
    std::vector<std::string> lines = Text::split(text, "\n");
    if (lines.size() < 5 || lines[0] != TallyUncaughtExceptionHandler::kCrashFileMagic) {
        return nullptr;
    }
    if (!Text::equalsCaseInsensitive(lines[1], TLANUtil::appVersionString())) {
        return nullptr;
    }
    const size_t contextStart =
        lines[0].size() + lines[1].size() + lines[2].size() + lines[3].size() + 4;
    std::string context = text.substr(std::min(contextStart, text.size()));
    if (context.find(kSupportMarker) == std::string::npos) {
        tallyLog("Read binary image info failed!");
        return nullptr;
    }
    auto record = std::make_shared<TLANError>();
    record->ts = static_cast<double>(Text::longLongValue(lines[2]));
    record->session_id = lines[3];
    record->context = context;
    saveAppVersionToUserDefaults();
    return record;
}
