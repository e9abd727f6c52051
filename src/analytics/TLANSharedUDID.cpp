#include "analytics/TLANSharedUDID.h"

#include <chrono>
#include <ctime>
#include <map>
#include <mutex>
#include <vector>

#include "analytics/TLANProtocolData.h"
#include "analytics/TLANUtil.h"
#include "analytics/TLANUtils.h"
#include "platform/foundation/KeyedArchiver.h"
#include "platform/foundation/KeyedUnarchiver.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/UserDefaults.h"

namespace {

constexpr const char* kRecordKey = "SharedUDID";
constexpr const char* kIdentifierKey = "SharedUDID";
constexpr const char* kAppUIDKey = "SharedUDID_appUID";
constexpr const char* kCreatedKey = "SharedUDID_createdTS";
constexpr const char* kSlotKey = "SharedUDID_slot";
constexpr const char* kOptOutKey = "SharedUDID_optOutTS";

struct ProcessCache {
    std::mutex lock;
    std::optional<std::string> value;
};

ProcessCache& cache() {
    static ProcessCache shared;
    return shared;
}

double now() {
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::string dateText(const PropertyList& date) {
    auto seconds = static_cast<std::time_t>(date.toDate());
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[64];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S +0000", &utc);
    return text;
}

TLANSharedUDIDStatus status(int code, std::string description) {
    return {TLANSharedUDID::kSchemeName, code, std::move(description)};
}

// The value found in most slots; among equal counts the one met first.
std::optional<std::string> mostFrequent(const std::vector<std::string>& values) {
    std::map<std::string, int> counts;
    std::optional<std::string> best;
    int bestCount = 0;
    for (const std::string& value : values) {
        int count = ++counts[value];
        if (count > bestCount) {
            best = value;
            bestCount = count;
        }
    }
    return best;
}

}  // namespace

std::string TLANSharedUDID::value() {
    return valueWithError(nullptr);
}

std::string TLANSharedUDID::valueWithError(TLANSharedUDIDStatus* outStatus) {
    std::lock_guard<std::mutex> guard(cache().lock);
    TLANSharedUDIDStatus result;
    if (cache().value) {
        result = status(0, "SharedUDID in cache from first call");
    } else {
        cache().value = computeValue(result);
    }
    if (outStatus) {
        *outStatus = result;
    }
    return *cache().value;
}

std::string TLANSharedUDID::computeValue(TLANSharedUDIDStatus& result) {
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    std::string appUID = defaults.contains(kAppUIDKey) ? defaults.stringForKey(kAppUIDKey)
                                                       : TLANProtocolData::UUIDString();
    PropertyList stored = defaults.objectForKey(kRecordKey);
    std::optional<PropertyList> record;
    std::string identifier;
    std::string mySlot;
    PropertyList optOutDate;
    if (stored.isDictionary()) {
        record = stored;
        identifier = stored[kIdentifierKey].toString();
        mySlot = stored[kSlotKey].toString();
        optOutDate = stored[kOptOutKey];
    }
    bool optedOut = !optOutDate.isNull();

    TLANPasteboard::Lock lock;
    std::string available;
    std::vector<std::string> slotValues;
    for (int n = 0; n < kSlotCount; ++n) {
        std::string name = slotName(n);
        std::optional<TLANPasteboard> slot = TLANPasteboard::find(name);
        if (!slot) {
            available = available.empty() ? name : available;
            continue;
        }
        PropertyList dictionary = _getDictFromPasteboard(*slot);
        std::optional<std::string> value = dictionary[kIdentifierKey].asString();
        if (value) {
            slotValues.push_back(*value);
        } else if (available.empty()) {
            available = name;
        }
        if (dictionary[kAppUIDKey].asString() == appUID) {
            if (optedOut) {
                optOutDate = dictionary[kOptOutKey];
                optedOut = !optOutDate.isNull();
            }
            mySlot = name;
        }
    }

    std::optional<std::string> mostReliable = mostFrequent(slotValues);
    bool compromised = false;
    bool save = false;
    if (identifier.empty()) {
        identifier = mostReliable.value_or(_generateFreshSharedUDID());
        if (!record) {
            record = PropertyList::dictionary();
            record->set(kIdentifierKey, identifier);
            record->set(kAppUIDKey, appUID);
            record->set(kCreatedKey, PropertyList::date(now()));
            save = true;
        }
    } else {
        compromised = mostReliable && *mostReliable != identifier;
    }

    if (!available.empty() && (mySlot.empty() || available == mySlot)) {
        std::optional<TLANPasteboard> slot = TLANPasteboard::create(available);
        if (slot && record) {
            record->set(kSlotKey, available);
            save = true;
            _setDict(*record, *slot);
        }
    }
    if (record && save) {
        defaults.setObject(*record, kRecordKey);
    }

    if (optedOut) {
        result = status(1, "Application with unique id " + appUID +
                               " is opted-out from SharedUDID as of " + dateText(optOutDate));
        return kOptedOutValue;
    }
    if (compromised) {
        result = status(2,
                        "Found a discrepancy between stored SharedUDID (reliable) and redundant "
                        "copies; one of the apps on the device is most likely corrupting the "
                        "SharedUDID protocol");
    } else {
        result = status(0, "SharedUDID succesfully retrieved");
    }
    return identifier;
}

void TLANSharedUDID::setOptOut(bool optOut) {
    value();
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    PropertyList record = defaults.dictionaryForKey(kRecordKey);
    if (!record.isDictionary()) {
        record = PropertyList::dictionary();
    }
    if (optOut) {
        record.set(kOptOutKey, PropertyList::date(now()));
    } else {
        record.remove(kOptOutKey);
    }
    defaults.setObject(record, kRecordKey);
    resetProcessCache();
}

void TLANSharedUDID::resetProcessCache() {
    std::lock_guard<std::mutex> guard(cache().lock);
    cache().value.reset();
}

std::string TLANSharedUDID::_generateFreshSharedUDID() {
    std::string digest = TLANUtil::bytesToHexString(
        TLANUtil::md5BytesWithString(TLANProtocolData::UUIDString()).data(), 16);
    return digest + Text::format("%08lx", TLANUtils::randomUInt32() % 4294967295u);
}

PropertyList TLANSharedUDID::_getDictFromPasteboard(const TLANPasteboard& pasteboard) {
    std::optional<Bytes> data = pasteboard.dataForType(kSchemeName);
    if (!data) {
        return PropertyList::dictionary();
    }
    PropertyList dictionary = KeyedUnarchiver::unarchiveValue(*data);
    return dictionary.isDictionary() ? dictionary : PropertyList::dictionary();
}

bool TLANSharedUDID::_setDict(const PropertyList& dictionary, TLANPasteboard& pasteboard) {
    return pasteboard.setData(KeyedArchiver::archivedData(dictionary), kSchemeName);
}

std::string TLANSharedUDID::slotName(int index) {
    return std::string(kSchemeName) + ".slot." + std::to_string(index);
}
