#include "trade/core/PXTradeModule.h"

#include <utility>

#include "platform/foundation/Bundle.h"
#include "platform/foundation/HttpClient.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/SystemSound.h"
#include "platform/foundation/UserDefaults.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeHost.h"
#include "trade/core/PXTradeNetworkManger.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/core/PXTradeTimerManger.h"

namespace {

PXTradeModule* g_shared = nullptr;

}  // namespace

PXTradeModule::PXTradeModule(PXTradeHost& host)
    : m_host(host),
      m_httpClient(std::make_unique<HttpClient>()),
      m_data(std::make_unique<PXTradeData>(*this)),
      m_peiZhi(std::make_unique<PXTradePeiZhi>(*this)),
      m_timers(std::make_unique<PXTradeTimerManger>(*this)) {}

PXTradeModule::~PXTradeModule() {
    // No reply may reach the store or the timers while they go.
    m_httpClient->cancelAll();
    NotificationCenter::defaultCenter().removeObserver(this);
    if (g_shared == this) {
        g_shared = nullptr;
    }
}

PXTradeModule& PXTradeModule::shared() {
    return *g_shared;
}

bool PXTradeModule::hasShared() {
    return g_shared != nullptr;
}

void PXTradeModule::setShared(PXTradeModule* module) {
    g_shared = module;
}

bool PXTradeModule::tradeLogin() const {
    return m_tradeLogin && !m_data->sessions().ending();
}

void PXTradeModule::setTradeLogin(bool value) {
    // A logon always puts a new session in force; a logout ends the one in force, if any.
    const bool changed = value || m_tradeLogin;
    m_tradeLogin = value;
    if (m_timers && value) {
        m_timers->setJYHeartTimer();
        m_timers->setJYRefreshTimer();
    } else if (m_timers) {
        m_timers->stopJYHeartTimer();
        m_timers->stopJYRefreshTimer();
    }
    if (changed) {
        post(kLoginChangedNotification);
    }
}

void PXTradeModule::sessionRequestOut(const std::shared_ptr<PXTradeNetworkManger>& manager) {
    std::erase_if(m_sessionRequestsOut, [](const auto& out) { return out.expired(); });
    m_sessionRequestsOut.push_back(manager);
}

void PXTradeModule::sessionEnded() {
    for (const auto& out : std::exchange(m_sessionRequestsOut, {})) {
        if (const auto manager = out.lock()) {
            manager->sessionEnded();
        }
    }
}

void PXTradeModule::initPXTradeModule() {
    m_data->initGongGongShuJu();
    m_peiZhi->setJiaoYiMoRenPeiZhi();
    m_timers->setTimerManger();
}

uint64_t PXTradeModule::observe(const std::string& name, std::function<void(const void*)> handler) {
    return NotificationCenter::defaultCenter()
        .addObserver(this, name, nullptr,
                     [handler = std::move(handler)](const std::string&, const void* object,
                                                    const PropertyList&) { handler(object); })
        .id;
}

void PXTradeModule::stopObserving(uint64_t token) {
    if (token != 0) {
        NotificationCenter::defaultCenter().removeObserver(
            NotificationCenter::ObserverToken{token});
    }
}

void PXTradeModule::post(const std::string& name, const void* object) {
    NotificationCenter::defaultCenter().post(name, object);
}

std::string PXTradeModule::resourceText(const std::string& name) const {
    const auto bytes = Bundle::contentsOfResource(name);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

void PXTradeModule::playSystemSound(int soundId) {
    SystemSound::play(static_cast<uint32_t>(soundId));
}

std::string PXTradeModule::defaultString(const std::string& key) const {
    return UserDefaults::standardUserDefaults().stringForKey(key);
}

bool PXTradeModule::hasDefault(const std::string& key) const {
    return UserDefaults::standardUserDefaults().contains(key);
}

void PXTradeModule::setDefaultString(const std::string& key, const std::string& value) {
    UserDefaults::standardUserDefaults().setString(value, key);
}

void PXTradeModule::synchronizeDefaults() {
    UserDefaults::standardUserDefaults().synchronize();
}
