#pragma once

#include <mutex>
#include <optional>
#include <string>

#include "analytics/TLANJsonValue.h"
#include "platform/foundation/PropertyList.h"

// Asks the analytics service for its configuration (report policy, send interval, ad wish,
// free-form online parameters), keeps the answers in the user defaults and applies them to the
// settings; also fetches one ad URL. One shared instance for the process, made on the main
// thread; requests run on the record cache's other queue or, for the ad URL, on the caller's
// worker thread.
class TallyStatOnlineConfig {
public:
    static constexpr const char* kDidFinishNotification = "OnlineConfigDidFinishedNotification";
    static constexpr int64_t kMinReportInterval = 10;
    static constexpr int64_t kMaxReportInterval = 86400;

    static TallyStatOnlineConfig& sharedInstance();

    void updateOnlineConfig();
    // The stored "online_params" dictionary, or null.
    PropertyList getConfigParams() const;
    std::optional<std::string> getConfigParams(const std::string& key) const;
    // Blocks for the whole exchange: not on the main thread.
    std::string getAdURLFromServer();

    // The steps, in the order the requests use them.
    void runUpdateOnlineConfig();
    bool getOnlineConfigParams(const std::string& url);
    TLANJsonValue setConfigData() const;
    void executeData(const std::string& body);
    static void updateUserDefaults(const TLANJsonValue& reply);
    void prepareFetchAdURL(const TLANJsonValue& reply);
    void fetchAdURL();
    TLANJsonValue setAdConfigData() const;
    void executeADData(const std::string& body);

    // Back to the state of a process that has not started the library, for rigs that start it
    // many times in one process; only while no launch, upload or request is running.
    void resetToUnstarted();

    std::string adURL() const;
    bool shouldGetAdURL() const;
    bool updateOnlineConfigJobFlag() const;

private:
    TallyStatOnlineConfig();
    void gotAppkey();
    void setAdURL(const std::string& url);

    mutable std::mutex m_mutex;
    bool m_updateOnlineConfigJobFlag = false;
    std::string m_adURL;
    bool m_shouldGetAdURL = true;
};
