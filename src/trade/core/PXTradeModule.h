#pragma once
// The trading side's shared objects as the application delegate holds them: the store
// (PXJYData), the configuration (PXJYPeiZhi), the timer manager (PXJYTimerManger) and the
// login flag (tradeLogin), plus the host that stands for the rest of the application.
//
// Whoever starts the application (the shell) makes one module with its host, registers it with
// setShared() and calls initPXTradeModule(); every trading object made with plain construction
// (a screen's PXTradeNetworkManger::create()) reaches it through shared(). Tests make one per
// test the same way. Main thread only.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class HttpClient;
class PXTradeData;
class PXTradeHost;
class PXTradeNetworkManger;
class PXTradePeiZhi;
class PXTradeTimerManger;

class PXTradeModule {
public:
    // Posted when the login in force changes: a logon (a first one or one replacing another
    // account's), a logout, a lost or timed-out session.
    static constexpr const char* kLoginChangedNotification = "JYLoginChanged";

    explicit PXTradeModule(PXTradeHost& host);
    ~PXTradeModule();
    PXTradeModule(const PXTradeModule&) = delete;
    PXTradeModule& operator=(const PXTradeModule&) = delete;

    // The registered module; registering nullptr (or destroying it) unregisters.
    static PXTradeModule& shared();
    static bool hasShared();
    static void setShared(PXTradeModule* module);

    // Start-up of the trading side: the store's empty state, the settings defaults and the
    // saved-accounts file, then the timers.
    void initPXTradeModule();

    PXTradeData& PXJYData() const { return *m_data; }
    PXTradePeiZhi& PXJYPeiZhi() const { return *m_peiZhi; }
    PXTradeTimerManger& PXJYTimerManger() const { return *m_timers; }
    PXTradeHost& host() const { return m_host; }
    // Logged in, and no request that may end the session (its logoff, a logon of its account)
    // is on its way: a flow the user left after its logoff went out (a switch cancelled) finds
    // the old session over instead of going back to a home its late answer would empty.
    bool tradeLogin() const;
    // A login starts the heartbeat and the price refresh, a logout stops them, wherever either
    // happens, so no screen has to bring them back; the change is posted.
    void setTradeLogin(bool value);
    // A request of the session in force went out, or waits on the device to.
    void sessionRequestOut(const std::shared_ptr<PXTradeNetworkManger>& manager);
    // The session in force is over: its requests still waiting on the device never leave it.
    void sessionEnded();

    // The one HTTP client every trading request goes through; dropped with the module.
    HttpClient& httpClient() const { return *m_httpClient; }

    // Notifications through the default center, with this module as the observer's owner.
    uint64_t observe(const std::string& name, std::function<void(const void*)> handler);
    void stopObserving(uint64_t token);
    void post(const std::string& name, const void* object = nullptr);

    // The text of a named resource file (request templates, the line-test probe).
    std::string resourceText(const std::string& name) const;
    void playSystemSound(int soundId);

    // The user defaults the trading side reads and writes (texts), and the day-log switch.
    std::string defaultString(const std::string& key) const;
    bool hasDefault(const std::string& key) const;
    void setDefaultString(const std::string& key, const std::string& value);
    void synchronizeDefaults();

private:
    PXTradeHost& m_host;
    bool m_tradeLogin = false;
    std::unique_ptr<HttpClient> m_httpClient;
    std::unique_ptr<PXTradeData> m_data;
    std::unique_ptr<PXTradePeiZhi> m_peiZhi;
    std::unique_ptr<PXTradeTimerManger> m_timers;
    std::vector<std::weak_ptr<PXTradeNetworkManger>> m_sessionRequestsOut;
};
