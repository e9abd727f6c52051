#include "analytics/TallyStatCheckUpdate.h"

#include "analytics/TLANFormRequest.h"
#include "analytics/TLANPropertyValues.h"
#include "analytics/TLANUtil.h"
#include "analytics/TLANWorkGate.h"
#include "analytics/TallyLog.h"
#include "analytics/TallyStatApp.h"
#include "analytics/TallyStatHosts.h"
#include "analytics/TallyStatInternal.h"
#include "analytics/TallyStatSession.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/ui/Application.h"

namespace {

constexpr const char* kDefaultTitle = "有可用的新版本";
constexpr const char* kDefaultCancel = "忽略此版本";
constexpr const char* kDefaultOther = "访问 Store";

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char wanted, char seen) {
               return std::tolower(static_cast<unsigned char>(seen)) == wanted;
           });
}

}  // namespace

TallyStatCheckUpdate::TallyStatCheckUpdate()
    : m_updateTitle(kDefaultTitle),
      m_updateCancelButtonTitle(kDefaultCancel),
      m_updateOtherButtonTitles(kDefaultOther) {
    NotificationCenter::defaultCenter().addObserver(
        this, TallyStatSession::kGotAppkeyNotification, nullptr,
        [this](const std::string&, const void*, const PropertyList&) { gotAppkey(); });
}

TallyStatCheckUpdate& TallyStatCheckUpdate::sharedInstance() {
    static TallyStatCheckUpdate* instance = new TallyStatCheckUpdate();
    return *instance;
}

void TallyStatCheckUpdate::gotAppkey() {
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        if (!m_checkUpdateJobFlag) {
            return;
        }
        m_checkUpdateJobFlag = false;
    }
    checkUpdate();
}

void TallyStatCheckUpdate::checkUpdate(const std::string& title,
                                       const std::string& cancelButtonTitle,
                                       const std::string& otherButtonTitle) {
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_updateTitle = title;
        m_updateCancelButtonTitle = cancelButtonTitle;
        m_updateOtherButtonTitles = otherButtonTitle;
    }
    checkUpdate();
}

void TallyStatCheckUpdate::checkUpdate() {
    if (TallyStatApp::sharedInstance().appid().empty()) {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_checkUpdateJobFlag = !m_checkUpdateJobFlag;
        return;
    }
    TallyStatInternal::sharedInstance().otherQueue().addOperation(
        [this] { checkAppUpdateResult(); });
}

void TallyStatCheckUpdate::checkUpdateWithDelegate(
    const std::shared_ptr<UpdateCallback>& callback) {
    if (!callback || !*callback) {
        TLANUtils::systemLog(
            "[TallyStat checkUpdate:selector] selector must have one parameter "
            "of NSDictionary * !");
        return;
    }
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_callback = callback;
    }
    checkUpdate();
}

void TallyStatCheckUpdate::checkAppUpdateResult() {
    for (const std::string& url : TallyStatHosts::urls(TallyStatHosts::kUpdatePath)) {
        if (checkAppUpdate(url)) {
            break;
        }
    }
}

bool TallyStatCheckUpdate::checkAppUpdate(const std::string& url) {
    HttpResponse response = TLANFormRequest::send(url, setAppUpdateData(), "checkAppUpdate");
    if (response.failed()) {
        tallyLog("(Error    checkAppUpdate) %@", response.errorText);
        return false;
    }
    excuteUpdate(response.bodyText());
    return true;
}

TLANJsonValue TallyStatCheckUpdate::setAppUpdateData() const {
    TallyStatApp& app = TallyStatApp::sharedInstance();
    TLANJsonValue request = TLANJsonValue::dictionary();
    request.set("package", TLANUtil::appPackageNameString());
    request.set("current_version", TLANUtil::appVersionString());
    request.set("appkey", app.appid());
    request.set("sdk_type", TLANUtil::sdkTypeString());
    request.set("sdk_version", TLANUtil::sdkVersionString());
    request.set("type", "update");
    request.set("time", TLANUtil::timeString());
    request.set("channel", app.channel());
    return request;
}

void TallyStatCheckUpdate::excuteUpdate(const std::string& body) {
    tallyLog("(Response checkAppUpdate) %@", body);
    std::optional<TLANJsonValue> parsed = TLANUtil::JSONValue(body);
    TLANJsonValue info = parsed && parsed->type() == TLANJsonValue::Type::Dictionary
                             ? *parsed
                             : TLANJsonValue::dictionary();
    info.set("current_version", TLANUtil::appVersionString());
    std::shared_ptr<UpdateCallback> callback;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_updateInfo = info;
        callback = m_callback.lock();
    }
    if (callback) {
        const PropertyList reply = info.toPropertyList();
        TLANWorkGate::onMainThread([&] { (*callback)(reply); });
        return;
    }
    if (TLANPropertyValues::textValue(info.find("update")) == "YES") {
        TLANWorkGate::onMainThread([&] { appUpdateWithAlert(info); });
    }
}

void TallyStatCheckUpdate::appUpdateWithAlert(const TLANJsonValue& updateInfo) {
    std::string title;
    std::string cancel;
    std::string other;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_appHomeUrl = TLANPropertyValues::textValue(updateInfo.find("path"));
        title = m_updateTitle;
        cancel = m_updateCancelButtonTitle;
        other = m_updateOtherButtonTitles;
    }
    AlertView::show(std::make_unique<AlertView>(
        title + TLANPropertyValues::textValue(updateInfo.find("version")),
        TLANPropertyValues::textValue(updateInfo.find("update_log")), this, cancel,
        std::vector<std::string>{other}));
}

void TallyStatCheckUpdate::alertViewClickedButtonAtIndex(AlertView&, int buttonIndex) {
    if (buttonIndex != 1) {
        return;
    }
    const std::string url = appHomeUrl();
    Application* application = Application::shared();
    if (!isOpenableAddress(url) || application == nullptr) {
        tallyLog("update address refused: %@", url);
        return;
    }
    application->openURL(url);
}

bool TallyStatCheckUpdate::isOpenableAddress(const std::string& url) {
    for (const std::string scheme : {"http://", "https://"}) {
        if (startsWith(url, scheme) && url.size() > scheme.size()) {
            return true;
        }
    }
    return false;
}

void TallyStatCheckUpdate::resetToUnstarted() {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_appHomeUrl.clear();
    m_updateTitle = kDefaultTitle;
    m_updateCancelButtonTitle = kDefaultCancel;
    m_updateOtherButtonTitles = kDefaultOther;
    m_callback.reset();
    m_updateInfo = TLANJsonValue::dictionary();
    m_checkUpdateJobFlag = false;
}

std::string TallyStatCheckUpdate::appHomeUrl() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_appHomeUrl;
}

std::string TallyStatCheckUpdate::updateTitle() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_updateTitle;
}

std::string TallyStatCheckUpdate::updateCancelButtonTitle() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_updateCancelButtonTitle;
}

std::string TallyStatCheckUpdate::updateOtherButtonTitles() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_updateOtherButtonTitles;
}

TLANJsonValue TallyStatCheckUpdate::updateInfo() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_updateInfo;
}

bool TallyStatCheckUpdate::checkUpdateJobFlag() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_checkUpdateJobFlag;
}
