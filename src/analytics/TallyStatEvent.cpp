#include "analytics/TallyStatEvent.h"

#include "analytics/TLANRecords.h"
#include "analytics/TLANUtils.h"
#include "analytics/TallyStatInternal.h"
#include "analytics/TallyStatJob.h"
#include "analytics/TallyStatSession.h"
#include "platform/foundation/Text.h"

namespace {

constexpr const char* kCounterKey = "__ct__";

std::string beginKey(const std::string& eventId, const std::string& second) {
    return eventId + second;
}

}  // namespace

bool TallyStatEvent::validEventID(const std::string& eventId) {
    if (!Text::trimmed(eventId).empty() && static_cast<int>(eventId.size()) <= kMaxEventIdBytes) {
        return true;
    }
    TLANUtils::systemLog(Text::format("(Warning) Tally event_id (%@) max bytes length > %d",
                                      eventId, kMaxEventIdBytes));
    return false;
}

void TallyStatEvent::event(const std::string& eventId) {
    eventJob(eventId, "", 1, 0);
}

void TallyStatEvent::event(const std::string& eventId, const std::string& label) {
    eventJob(eventId, label, 1, 0);
}

void TallyStatEvent::eventAcc(const std::string& eventId, int32_t acc) {
    eventJob(eventId, "", acc, 0);
}

void TallyStatEvent::event(const std::string& eventId, const std::string& label, int32_t acc) {
    eventJob(eventId, label, acc, 0);
}

void TallyStatEvent::eventDurations(const std::string& eventId, int32_t milliseconds) {
    eventJob(eventId, "", 1, milliseconds);
}

void TallyStatEvent::eventLabelDurations(const std::string& eventId, const std::string& label,
                                         int32_t milliseconds) {
    eventJob(eventId, label, 1, milliseconds);
}

void TallyStatEvent::eventJob(const std::string& eventId, const std::string& label, int32_t acc,
                              int32_t du) {
    if (!validEventID(eventId)) {
        return;
    }
    auto record = std::make_shared<TLANEvent>();
    record->event_id = eventId;
    record->label = label;
    record->acc = acc;
    record->du = du;
    if (du < kMaxDurationMs) {
        eventJob(record);
    }
}

void TallyStatEvent::eventJob(std::shared_ptr<TLANEvent> record) {
    TallyStatSession& session = TallyStatSession::sharedInstance();
    TallyStatInternal& cache = TallyStatInternal::sharedInstance();
    const bool background = session.appInBackGround();
    if (!background) {
        cache.events.add(record);
    }
    if (background || !session.launchHasBegan()) {
        cache.tmpContainer.add(record);
    }
    if (!background) {
        TallyStatJob::preparePerformJob(TallyStatJob::Event);
    }
}

void TallyStatEvent::beginEvent(const std::string& eventId, const std::string& label) {
    if (!validEventID(eventId)) {
        return;
    }
    auto record = std::make_shared<TLANEvent>();
    record->event_id = eventId;
    record->label = label;
    record->acc = 0;
    TallyStatInternal::sharedInstance().pushEventBegin(beginKey(eventId, label), record);
}

void TallyStatEvent::endEvent(const std::string& eventId, const std::string& label) {
    if (eventId.empty()) {
        return;
    }
    std::shared_ptr<TLANEvent> record =
        TallyStatInternal::sharedInstance().popEventBegin(beginKey(eventId, label));
    if (!record) {
        return;
    }
    record->updateDu();
    if (record->du < kMaxDurationMs) {
        eventJob(record);
    }
}

void TallyStatEvent::beginEvent(const std::string& eventId, const std::string& primaryKey,
                                const PropertyList& attributes) {
    if (!validEventID(eventId) || primaryKey.empty() || attributes.size() == 0) {
        return;
    }
    auto record = std::make_shared<TLANEkv>(eventId, primaryKey, attributes);
    TallyStatInternal::sharedInstance().pushEkvBegin(beginKey(eventId, primaryKey), record);
}

void TallyStatEvent::endEventPrimarykey(const std::string& eventId, const std::string& primaryKey) {
    if (eventId.empty() || primaryKey.empty()) {
        return;
    }
    TallyStatInternal& cache = TallyStatInternal::sharedInstance();
    std::shared_ptr<TLANEkv> record = cache.popEkvBegin(beginKey(eventId, primaryKey));
    if (!record) {
        return;
    }
    record->updateDu();
    if (record->du < kMaxDurationMs) {
        cache.ekv.add(record);
    }
    ekvPerformJob();
}

void TallyStatEvent::eventAttributes(const std::string& eventId, const PropertyList& attributes) {
    eventAttributesDurations(eventId, attributes, 0);
}

PropertyList TallyStatEvent::limitedAttributes(const PropertyList& attributes) {
    const bool hasCounter = attributes.contains(kCounterKey);
    if (attributes.size() <= static_cast<size_t>(TLANEkv::kMaxEntries + (hasCounter ? 1 : 0))) {
        return attributes;
    }
    PropertyList limited = PropertyList::dictionary();
    if (hasCounter) {
        limited.set(kCounterKey, attributes[kCounterKey]);
    }
    int taken = 0;
    for (const auto& [key, value] : attributes.entries()) {
        if (taken == TLANEkv::kMaxEntries) {
            break;
        }
        if (key != kCounterKey) {
            limited.set(key, value);
            ++taken;
        }
    }
    return limited;
}

void TallyStatEvent::eventAttributesDurations(const std::string& eventId,
                                              const PropertyList& attributes,
                                              int32_t milliseconds) {
    if (!validEventID(eventId) || !attributes.isDictionary() || attributes.size() == 0) {
        return;
    }
    auto record = std::make_shared<TLANEkv>(eventId, "", limitedAttributes(attributes));
    if (milliseconds >= 1) {
        record->du = milliseconds;
    }
    storeKeyValue(record);
}

void TallyStatEvent::storeKeyValue(std::shared_ptr<TLANEkv> record) {
    TallyStatSession& session = TallyStatSession::sharedInstance();
    TallyStatInternal& cache = TallyStatInternal::sharedInstance();
    const bool background = session.appInBackGround();
    if (!background) {
        cache.ekv.add(record);
    }
    if (background || !session.launchHasBegan()) {
        cache.tmpContainer.add(record);
    }
    if (!background) {
        ekvPerformJob();
    }
}

void TallyStatEvent::gameEvent(const std::string& eventId, const PropertyList& attributes,
                               int32_t milliseconds) {
    if (!validEventID(eventId) || !attributes.isDictionary() || attributes.size() == 0) {
        return;
    }
    PropertyList used = attributes;
    if (attributes.size() >= 11) {
        used = PropertyList::dictionary();
        for (const auto& [key, value] : attributes.entries()) {
            if (used.size() == static_cast<size_t>(TLANEkv::kMaxEntries)) {
                break;
            }
            used.set(key, value);
        }
    }
    auto record = std::make_shared<TLANEkv>(eventId, "", used);
    record->type = "gkv";
    if (milliseconds >= 1) {
        record->du = milliseconds;
    }
    TallyStatInternal::sharedInstance().ekv.add(record);
    ekvPerformJob();
}

void TallyStatEvent::ekvPerformJob() {
    TallyStatJob::preparePerformJob(TallyStatJob::Event);
}
