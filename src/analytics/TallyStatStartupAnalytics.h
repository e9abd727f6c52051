#pragma once

#include "shell/VKJYStartupAnalytics.h"

// The start-up calls of the application delegate, carried out by the analytics library: the
// application version, the start with key, report policy and channel, and the update check.
// Made by the program's main and handed to the application delegate. Main thread.
class TallyStatStartupAnalytics : public VKJYStartupAnalytics {
public:
    void setAppVersion(const std::string& version) override;
    void startWithAppkey(const std::string& appKey, int reportPolicy,
                         const std::string& channelId) override;
    void checkUpdate(const std::string& title, const std::string& cancelButtonTitle,
                     const std::string& otherButtonTitle) override;
};
