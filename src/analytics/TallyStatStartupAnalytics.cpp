#include "analytics/TallyStatStartupAnalytics.h"

#include "analytics/TallyStat.h"

void TallyStatStartupAnalytics::setAppVersion(const std::string& version) {
    TallyStat::setAppVersion(version);
}

void TallyStatStartupAnalytics::startWithAppkey(const std::string& appKey, int reportPolicy,
                                                const std::string& channelId) {
    TallyStat::startWithAppkey(appKey, reportPolicy, channelId);
}

void TallyStatStartupAnalytics::checkUpdate(const std::string& title,
                                            const std::string& cancelButtonTitle,
                                            const std::string& otherButtonTitle) {
    TallyStat::checkUpdate(title, cancelButtonTitle, otherButtonTitle);
}
