#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/PropertyList.h"

// The analytics library's one entry point for the application: start-up (version, key, report
// policy, channel), page views, events, the update check, the online configuration and the ad
// URL, location and wrapper facts. Class operations only; each forwards to one part of the
// library and ignores invalid input. Start and the update check from the main thread; the
// recording operations from any thread; getAdURL blocks and belongs on a worker thread.
class TallyStat {
public:
    // Start-up, in this order.
    static void setAppVersion(const std::string& version);
    static void startWithAppkey(const std::string& appKey, int reportPolicy,
                                const std::string& channelId);
    // Policy 1, no channel.
    static void startWithAppkey(const std::string& appKey);
    static void checkUpdate(const std::string& title, const std::string& cancelButtonTitle,
                            const std::string& otherButtonTitle);
    static void checkUpdate();
    using UpdateCallback = std::function<void(const PropertyList&)>;
    // The reply goes to the callback (on the main thread) instead of an alert, while the caller
    // still holds the callback.
    static void checkUpdateWithDelegate(const std::shared_ptr<UpdateCallback>& callback);

    static void setCrashReportEnabled(bool enabled);
    static void setLogEnabled(bool enabled);
    static void setLogSendInterval(double seconds);

    // Page views: a page shown for less than a second is not recorded.
    static void logPageView(const std::string& pageName, int32_t seconds);
    static void beginLogPageView(const std::string& pageName);
    static void endLogPageView(const std::string& pageName);

    // Events (ids of at most 128 bytes; durations in milliseconds).
    static void event(const std::string& eventId);
    static void event(const std::string& eventId, const std::string& label);
    static void eventAcc(const std::string& eventId, int32_t acc);
    static void event(const std::string& eventId, const std::string& label, int32_t acc);
    // Key-value events (attributes: a dictionary of texts).
    static void eventAttributes(const std::string& eventId, const PropertyList& attributes);
    // A counter other than 0 adds "__ct__" to a copy of the attributes.
    static void eventAttributes(const std::string& eventId, const PropertyList& attributes,
                                int32_t counter);
    static void beginEvent(const std::string& eventId);
    static void endEvent(const std::string& eventId);
    static void beginEvent(const std::string& eventId, const std::string& label);
    static void endEvent(const std::string& eventId, const std::string& label);
    static void beginEvent(const std::string& eventId, const std::string& primaryKey,
                           const PropertyList& attributes);
    static void endEventPrimarykey(const std::string& eventId, const std::string& primaryKey);
    static void eventDurations(const std::string& eventId, int32_t milliseconds);
    // Recorded only for 1 <= milliseconds < 7200000.
    static void eventDurations(const std::string& eventId, const std::string& label,
                               int32_t milliseconds);
    static void eventAttributesDurations(const std::string& eventId, const PropertyList& attributes,
                                         int32_t milliseconds);

    static void updateOnlineConfig();
    static std::optional<std::string> getConfigParams(const std::string& key);
    // The online-parameter dictionary, or null.
    static PropertyList getConfigParams();
    static std::string getAdURL();

    static void setLatitude(double latitude, double longitude);
    // Nothing (no location) counts as 0, 0.
    static void setLocation(const std::optional<std::pair<double, double>>& coordinate);
    static void startSession();

    static void setWrapperType(const std::string& type);
    static void setWrapperVersion(const std::string& version);
    static void setWrapperType(const std::string& type, const std::string& version);
};
