#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "analytics/TLANJsonValue.h"
#include "platform/foundation/PropertyList.h"
#include "platform/ui/AlertView.h"

// Asks the analytics service whether a newer version exists and, when one does, shows an
// alert with the caller's title and buttons whose second button opens the reply's address;
// a caller may take the reply itself instead; the library does not own that caller's callback.
// One shared instance for the process, made on the main thread; the request runs on the record
// cache's other queue, the alert and the reply callback on the main thread while that queue's
// thread waits (a quit meanwhile drops them and ends the wait).
class TallyStatCheckUpdate : public AlertViewDelegate {
public:
    using UpdateCallback = std::function<void(const PropertyList& updateInfo)>;

    static TallyStatCheckUpdate& sharedInstance();

    void checkUpdate(const std::string& title, const std::string& cancelButtonTitle,
                     const std::string& otherButtonTitle);
    void checkUpdate();
    // The caller owns the callback; only a weak reference is kept, so once the caller lets it go
    // replies raise the alert again. An empty callback is refused with a system-log line.
    void checkUpdateWithDelegate(const std::shared_ptr<UpdateCallback>& callback);

    void alertViewClickedButtonAtIndex(AlertView& alertView, int buttonIndex) override;

    // The steps of one check.
    void checkAppUpdateResult();
    bool checkAppUpdate(const std::string& url);
    TLANJsonValue setAppUpdateData() const;
    void excuteUpdate(const std::string& body);
    void appUpdateWithAlert(const TLANJsonValue& updateInfo);

    // Back to the state of a process that has not started the library, for rigs that start it
    // many times in one process; only while no launch, upload or request is running.
    void resetToUnstarted();

    std::string appHomeUrl() const;
    std::string updateTitle() const;
    std::string updateCancelButtonTitle() const;
    std::string updateOtherButtonTitles() const;
    TLANJsonValue updateInfo() const;
    bool checkUpdateJobFlag() const;
    // Only http and https addresses are opened.
    static bool isOpenableAddress(const std::string& url);

private:
    TallyStatCheckUpdate();
    void gotAppkey();

    mutable std::mutex m_mutex;
    std::string m_appHomeUrl;
    std::string m_updateTitle;
    std::string m_updateCancelButtonTitle;
    std::string m_updateOtherButtonTitles;
    std::weak_ptr<UpdateCallback> m_callback;
    TLANJsonValue m_updateInfo = TLANJsonValue::dictionary();
    bool m_checkUpdateJobFlag = false;
};
