#include "analytics/TallyStat.h"

#include "analytics/TallyStatApp.h"
#include "analytics/TallyStatCheckUpdate.h"
#include "analytics/TallyStatEvent.h"
#include "analytics/TallyStatInternal.h"
#include "analytics/TallyStatLocation.h"
#include "analytics/TallyStatOnlineConfig.h"
#include "analytics/TallyStatPageView.h"
#include "analytics/TallyStatSession.h"

namespace {

bool inDurationRange(int32_t milliseconds) {
    return milliseconds >= 1 && milliseconds < TallyStatEvent::kMaxDurationMs;
}

}  // namespace

void TallyStat::setAppVersion(const std::string& version) {
    TallyStatApp::setAppVersion(version);
}

void TallyStat::startWithAppkey(const std::string& appKey, int reportPolicy,
                                const std::string& channelId) {
    TallyStatSession::startWithAppkey(appKey, reportPolicy, channelId);
}

void TallyStat::startWithAppkey(const std::string& appKey) {
    TallyStatSession::startWithAppkey(appKey);
}

void TallyStat::checkUpdate(const std::string& title, const std::string& cancelButtonTitle,
                            const std::string& otherButtonTitle) {
    TallyStatCheckUpdate::sharedInstance().checkUpdate(title, cancelButtonTitle, otherButtonTitle);
}

void TallyStat::checkUpdate() {
    TallyStatCheckUpdate::sharedInstance().checkUpdate();
}

void TallyStat::checkUpdateWithDelegate(const std::shared_ptr<UpdateCallback>& callback) {
    TallyStatCheckUpdate::sharedInstance().checkUpdateWithDelegate(callback);
}

void TallyStat::setCrashReportEnabled(bool enabled) {
    TallyStatApp::setCrashReportEnabled(enabled);
}

void TallyStat::setLogEnabled(bool enabled) {
    TallyStatApp::setLogEnabled(enabled);
}

void TallyStat::setLogSendInterval(double seconds) {
    TallyStatApp::setLogSendInterval(seconds);
}

void TallyStat::logPageView(const std::string& pageName, int32_t seconds) {
    TallyStatPageView::logPageView(pageName, seconds);
}

void TallyStat::beginLogPageView(const std::string& pageName) {
    TallyStatPageView::beginLogPageView(pageName);
}

void TallyStat::endLogPageView(const std::string& pageName) {
    TallyStatPageView::endLogPageView(pageName);
}

void TallyStat::event(const std::string& eventId) {
    TallyStatEvent::event(eventId);
}

void TallyStat::event(const std::string& eventId, const std::string& label) {
    TallyStatEvent::event(eventId, label);
}

void TallyStat::eventAcc(const std::string& eventId, int32_t acc) {
    TallyStatEvent::eventAcc(eventId, acc);
}

void TallyStat::event(const std::string& eventId, const std::string& label, int32_t acc) {
    TallyStatEvent::event(eventId, label, acc);
}

void TallyStat::eventAttributes(const std::string& eventId, const PropertyList& attributes) {
    TallyStatEvent::eventAttributes(eventId, attributes);
}

void TallyStat::eventAttributes(const std::string& eventId, const PropertyList& attributes,
                                int32_t counter) {
    if (counter == 0) {
        TallyStatEvent::eventAttributes(eventId, attributes);
        return;
    }
    PropertyList counted = attributes;
    counted.set("__ct__", std::to_string(counter));
    TallyStatEvent::eventAttributes(eventId, counted);
}

void TallyStat::beginEvent(const std::string& eventId) {
    TallyStatEvent::beginEvent(eventId, "");
}

void TallyStat::endEvent(const std::string& eventId) {
    TallyStatEvent::endEvent(eventId, "");
}

void TallyStat::beginEvent(const std::string& eventId, const std::string& label) {
    TallyStatEvent::beginEvent(eventId, label);
}

void TallyStat::endEvent(const std::string& eventId, const std::string& label) {
    TallyStatEvent::endEvent(eventId, label);
}

void TallyStat::beginEvent(const std::string& eventId, const std::string& primaryKey,
                           const PropertyList& attributes) {
    TallyStatEvent::beginEvent(eventId, primaryKey, attributes);
}

void TallyStat::endEventPrimarykey(const std::string& eventId, const std::string& primaryKey) {
    TallyStatEvent::endEventPrimarykey(eventId, primaryKey);
}

void TallyStat::eventDurations(const std::string& eventId, int32_t milliseconds) {
    TallyStatEvent::eventDurations(eventId, milliseconds);
}

void TallyStat::eventDurations(const std::string& eventId, const std::string& label,
                               int32_t milliseconds) {
    if (inDurationRange(milliseconds)) {
        TallyStatEvent::eventLabelDurations(eventId, label, milliseconds);
    }
}

void TallyStat::eventAttributesDurations(const std::string& eventId, const PropertyList& attributes,
                                         int32_t milliseconds) {
    if (inDurationRange(milliseconds)) {
        TallyStatEvent::eventAttributesDurations(eventId, attributes, milliseconds);
    }
}

void TallyStat::updateOnlineConfig() {
    TallyStatOnlineConfig::sharedInstance().updateOnlineConfig();
}

std::optional<std::string> TallyStat::getConfigParams(const std::string& key) {
    return TallyStatOnlineConfig::sharedInstance().getConfigParams(key);
}

PropertyList TallyStat::getConfigParams() {
    return TallyStatOnlineConfig::sharedInstance().getConfigParams();
}

std::string TallyStat::getAdURL() {
    return TallyStatOnlineConfig::sharedInstance().getAdURLFromServer();
}

void TallyStat::setLatitude(double latitude, double longitude) {
    TallyStatLocation::setLatitude(latitude, longitude);
}

void TallyStat::setLocation(const std::optional<std::pair<double, double>>& coordinate) {
    const auto [latitude, longitude] = coordinate.value_or(std::pair<double, double>{0, 0});
    TallyStatLocation::setLatitude(latitude, longitude);
}

void TallyStat::startSession() {
    TallyStatSession::startSession("");
}

void TallyStat::setWrapperType(const std::string& type) {
    if (!type.empty()) {
        TallyStatInternal::sharedInstance().setWrapperType(type);
    }
}

void TallyStat::setWrapperVersion(const std::string& version) {
    if (!version.empty()) {
        TallyStatInternal::sharedInstance().setWrapperVersion(version);
    }
}

void TallyStat::setWrapperType(const std::string& type, const std::string& version) {
    setWrapperType(type);
    setWrapperVersion(version);
}
