#include "analytics/TallyStatOnlineConfig.h"

#include "analytics/TLANFormRequest.h"
#include "analytics/TLANPropertyValues.h"
#include "analytics/TLANUtil.h"
#include "analytics/TallyLog.h"
#include "analytics/TallyStatApp.h"
#include "analytics/TallyStatHosts.h"
#include "analytics/TallyStatInternal.h"
#include "analytics/TallyStatSession.h"
#include "platform/foundation/MainQueue.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/UserDefaults.h"

namespace {

TLANJsonValue adRequestValue(const TLANJsonValue* reply) {
    if (reply != nullptr) {
        return *reply;
    }
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    if (defaults.contains("ad_request")) {
        return TLANJsonValue::fromPropertyList(defaults.objectForKey("ad_request"));
    }
    return TLANJsonValue(1);
}

std::optional<TLANJsonValue> parseReply(const std::string& body, const char* label) {
    std::optional<TLANJsonValue> json = TLANUtil::JSONValue(body);
    tallyLog("(Response %@) %@", label, body);
    return json;
}

}  // namespace

TallyStatOnlineConfig::TallyStatOnlineConfig() {
    NotificationCenter::defaultCenter().addObserver(
        this, TallyStatSession::kGotAppkeyNotification, nullptr,
        [this](const std::string&, const void*, const PropertyList&) { gotAppkey(); });
}

TallyStatOnlineConfig& TallyStatOnlineConfig::sharedInstance() {
    static TallyStatOnlineConfig* instance = new TallyStatOnlineConfig();
    return *instance;
}

void TallyStatOnlineConfig::gotAppkey() {
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        if (!m_updateOnlineConfigJobFlag) {
            return;
        }
        m_updateOnlineConfigJobFlag = false;
    }
    updateOnlineConfig();
}

void TallyStatOnlineConfig::updateOnlineConfig() {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_shouldGetAdURL = false;
    if (TallyStatApp::sharedInstance().appid().empty()) {
        m_updateOnlineConfigJobFlag = !m_updateOnlineConfigJobFlag;
        return;
    }
    TallyStatInternal::sharedInstance().otherQueue().addOperation(
        [this] { runUpdateOnlineConfig(); });
}

void TallyStatOnlineConfig::runUpdateOnlineConfig() {
    for (const std::string& url : TallyStatHosts::urls(TallyStatHosts::kConfigPath)) {
        if (getOnlineConfigParams(url)) {
            break;
        }
    }
    PropertyList params = getConfigParams();
    MainQueue::post([this, params] {
        PropertyList info;
        if (params.isDictionary()) {
            info = params;
        }
        NotificationCenter::defaultCenter().post(kDidFinishNotification, this, info);
    });
}

bool TallyStatOnlineConfig::getOnlineConfigParams(const std::string& url) {
    HttpResponse response = TLANFormRequest::send(url, setConfigData(), "OnlineConfig");
    if (response.failed()) {
        tallyLog("(Error   OnlineConfig) %@", response.errorText);
        return false;
    }
    executeData(response.bodyText());
    return true;
}

TLANJsonValue TallyStatOnlineConfig::setConfigData() const {
    TallyStatApp& app = TallyStatApp::sharedInstance();
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    TLANJsonValue request = TLANJsonValue::dictionary();
    request.set("package", TLANUtil::appPackageNameString());
    request.set("sdk_version", TLANUtil::sdkVersionString());
    request.set("appkey", app.appid());
    request.set("sdk_type", TLANUtil::sdkTypeString());
    request.set("type", "online_config");
    request.set("ad_request", adRequestValue(nullptr));
    request.set("channel", app.channel());
    request.set("time", TLANUtil::timeString());
    if (defaults.contains("report_policy")) {
        request.set("report_policy",
                    TLANJsonValue::fromPropertyList(defaults.objectForKey("report_policy")));
    }
    if (defaults.contains("last_config_time")) {
        request.set("last_config_time",
                    TLANJsonValue::fromPropertyList(defaults.objectForKey("last_config_time")));
    }
    defaults.synchronize();
    return request;
}

void TallyStatOnlineConfig::executeData(const std::string& body) {
    std::optional<TLANJsonValue> reply = parseReply(body, "OnlineConfig");
    const TLANJsonValue object = reply.value_or(TLANJsonValue::dictionary());
    updateUserDefaults(object);
    if (shouldGetAdURL()) {
        prepareFetchAdURL(object);
    } else {
        setAdURL("");
    }
}

void TallyStatOnlineConfig::updateUserDefaults(const TLANJsonValue& reply) {
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    if (const TLANJsonValue* policy = reply.find("report_policy")) {
        const auto value = static_cast<int>(TLANPropertyValues::integerValue(policy));
        defaults.setInteger(value, "report_policy");
        defaults.synchronize();
        TallyStatApp::sharedInstance().setReportPolicy(value);
    }
    if (const TLANJsonValue* interval = reply.find("report_interval")) {
        int64_t value = TLANPropertyValues::integerValue(interval);
        if (value < kMinReportInterval || value > kMaxReportInterval) {
            value = kMinReportInterval;
        }
        defaults.setInteger(value, "tally_report_interval");
        TallyStatApp::setLogSendInterval(static_cast<double>(value));
    }
    if (const TLANJsonValue* adRequest = reply.find("ad_request")) {
        defaults.setObject(adRequest->toPropertyList(), "ad_request");
    }
    if (TLANPropertyValues::textValue(reply.find("config_update")) == "Yes") {
        if (const TLANJsonValue* time = reply.find("last_config_time")) {
            defaults.setObject(time->toPropertyList(), "last_config_time");
        }
        if (const TLANJsonValue* params = reply.find("online_params")) {
            defaults.setObject(params->toPropertyList(), "online_params");
        }
    }
    defaults.synchronize();
}

PropertyList TallyStatOnlineConfig::getConfigParams() const {
    PropertyList params = UserDefaults::standardUserDefaults().dictionaryForKey("online_params");
    tallyLog("(online_params) %@", params.description());
    return params;
}

std::optional<std::string> TallyStatOnlineConfig::getConfigParams(const std::string& key) const {
    PropertyList params = getConfigParams();
    if (!params.isDictionary() || !params.contains(key)) {
        return std::nullopt;
    }
    return params[key].toString();
}

void TallyStatOnlineConfig::prepareFetchAdURL(const TLANJsonValue& reply) {
    TLANJsonValue wanted = adRequestValue(reply.find("ad_request"));
    if (TLANPropertyValues::integerValue(&wanted) < 1) {
        setAdURL("");
        return;
    }
    fetchAdURL();
}

TLANJsonValue TallyStatOnlineConfig::setAdConfigData() const {
    TallyStatApp& app = TallyStatApp::sharedInstance();
    TLANJsonValue request = TLANJsonValue::dictionary();
    request.set("appkey", app.appid());
    request.set("device_id", TLANUtil::sharedUDIDString());
    request.set("mc", TLANUtil::deviceMacAddressString());
    request.set("os_version", TLANUtil::osVersionString());
    request.set("sdk_type", TLANUtil::sdkTypeString());
    const std::string idfa = TLANUtil::idfa();
    if (!idfa.empty()) {
        request.set("aid", idfa);
    }
    request.set("sdk_version", TLANUtil::sdkVersionString());
    request.set("channel", app.channel());
    request.set("ad_request", adRequestValue(nullptr));
    request.set("protocol_version", "1");
    return request;
}

void TallyStatOnlineConfig::fetchAdURL() {
    HttpResponse response =
        TLANFormRequest::send(TallyStatHosts::adURL(), setAdConfigData(), "AdService");
    if (response.failed() || response.body.empty()) {
        setAdURL("");
        return;
    }
    executeADData(response.bodyText());
}

void TallyStatOnlineConfig::executeADData(const std::string& body) {
    std::optional<TLANJsonValue> reply = parseReply(body, "AdService");
    if (!reply) {
        setAdURL("");
        return;
    }
    const TLANJsonValue* urls = reply->find("ad_urls");
    const bool found = TLANPropertyValues::integerValue(reply->find("status"), -1) == 0 &&
                       TLANPropertyValues::integerValue(reply->find("count")) >= 1 && urls &&
                       urls->type() == TLANJsonValue::Type::Array && !urls->items().empty();
    setAdURL(found ? TLANPropertyValues::textValue(&urls->items().front()) : "");
}

std::string TallyStatOnlineConfig::getAdURLFromServer() {
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_shouldGetAdURL = true;
    }
    if (TallyStatApp::sharedInstance().appid().empty()) {
        TLANUtils::systemLog(
            "Tally: 请在 [TallyStat startWithAppkey:] 之后调用 [TallyStat getAdURL]");
        return "";
    }
    runUpdateOnlineConfig();
    return adURL();
}

void TallyStatOnlineConfig::resetToUnstarted() {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_updateOnlineConfigJobFlag = false;
    m_adURL.clear();
    m_shouldGetAdURL = true;
}

std::string TallyStatOnlineConfig::adURL() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_adURL;
}

void TallyStatOnlineConfig::setAdURL(const std::string& url) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_adURL = url;
}

bool TallyStatOnlineConfig::shouldGetAdURL() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_shouldGetAdURL;
}

bool TallyStatOnlineConfig::updateOnlineConfigJobFlag() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_updateOnlineConfigJobFlag;
}
