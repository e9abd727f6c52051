#pragma once

#include <optional>
#include <string>

#include "analytics/TLANPasteboard.h"
#include "platform/foundation/PropertyList.h"

// How the device identifier was obtained: the scheme name as domain, a code and a text.
struct TLANSharedUDIDStatus {
    std::string domain;
    int code = 0;
    std::string description;
};

// A stable device identifier shared by every application of the scheme without any hardware
// identifier: kept in this application's user defaults ("SharedUDID") and in up to 100 shared
// pasteboard slots that all such applications read and write. An opted-out application reports
// forty zeros. The first answer serves for the rest of the process. Class operations; any
// thread (one caller at a time inside).
class TLANSharedUDID {
public:
    static constexpr const char* kSchemeName = "com.vkjy.SharedUDID";
    static constexpr int kSlotCount = 100;
    static constexpr const char* kOptedOutValue = "0000000000000000000000000000000000000000";

    static std::string value();
    static std::string valueWithError(TLANSharedUDIDStatus* status);
    // Records or removes the opt-out date in the local record and forgets the process cache.
    static void setOptOut(bool optOut);
    // Forgets the process cache without touching any record: for a new app home (tests).
    static void resetProcessCache();

    // 32 lower-case hex digits of the MD5 of a new UUID text, then 8 of a random number.
    static std::string _generateFreshSharedUDID();
    // The slot's dictionary, empty when there is nothing readable.
    static PropertyList _getDictFromPasteboard(const TLANPasteboard& pasteboard);
    static bool _setDict(const PropertyList& dictionary, TLANPasteboard& pasteboard);

    static std::string slotName(int index);

private:
    static std::string computeValue(TLANSharedUDIDStatus& status);
};
