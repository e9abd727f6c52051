#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/foundation/PropertyList.h"

class TLANEvent;
class TLANEkv;

// Checks and records the application's custom events: counted events with label and count,
// events with a duration, timed events, and key-value events of up to ten attributes (a
// PropertyList dictionary). Class operations; any thread.
class TallyStatEvent {
public:
    static constexpr int kMaxEventIdBytes = 128;
    static constexpr int32_t kMaxDurationMs = 7200000;

    static void event(const std::string& eventId);
    static void event(const std::string& eventId, const std::string& label);
    static void eventAcc(const std::string& eventId, int32_t acc);
    static void event(const std::string& eventId, const std::string& label, int32_t acc);
    static void eventDurations(const std::string& eventId, int32_t milliseconds);
    static void eventLabelDurations(const std::string& eventId, const std::string& label,
                                    int32_t milliseconds);
    static void eventJob(const std::string& eventId, const std::string& label, int32_t acc,
                         int32_t du);
    static void eventJob(std::shared_ptr<TLANEvent> record);

    static void beginEvent(const std::string& eventId, const std::string& label = "");
    static void endEvent(const std::string& eventId, const std::string& label = "");
    static void beginEvent(const std::string& eventId, const std::string& primaryKey,
                           const PropertyList& attributes);
    static void endEventPrimarykey(const std::string& eventId, const std::string& primaryKey);

    static void eventAttributes(const std::string& eventId, const PropertyList& attributes);
    static void eventAttributesDurations(const std::string& eventId, const PropertyList& attributes,
                                         int32_t milliseconds);
    static void gameEvent(const std::string& eventId, const PropertyList& attributes,
                          int32_t milliseconds = 0);
    static void ekvPerformJob();
    static bool validEventID(const std::string& eventId);

    // The first ten entries in order, plus "__ct__" when present; the dictionary when smaller.
    static PropertyList limitedAttributes(const PropertyList& attributes);

private:
    static void storeKeyValue(std::shared_ptr<TLANEkv> record);
};
