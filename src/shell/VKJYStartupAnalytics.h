#pragma once

// The analytics calls of the start-up: the application version, the start of the analytics
// library with its app key, report policy and channel, and the update check with its alert
// texts. The analytics library implements it; the application delegate calls it from its
// init. Main thread.

#include <string>

class VKJYStartupAnalytics {
public:
    virtual ~VKJYStartupAnalytics() = default;
    virtual void setAppVersion(const std::string& version) = 0;
    virtual void startWithAppkey(const std::string& appKey, int reportPolicy,
                                 const std::string& channelId) = 0;
    virtual void checkUpdate(const std::string& title, const std::string& cancelButtonTitle,
                             const std::string& otherButtonTitle) = 0;
};
