#include "market/VKJYMarketDataRoad.h"

#include "market/VKJYMarketDataRoadListener.h"
#include "platform/foundation/Timer.h"
#include "quote/HQJYEntity.h"
#include "quote/HQNetworkManger.h"
#include "quote/HQNetworkMangerDelegate.h"
#include "quote/VKJYHangQingDataClass.h"

namespace {
// One request's answer, handed to the road while it lives.
class RoadReceiver : public HQNetworkMangerDelegate {
public:
    RoadReceiver(std::weak_ptr<VKJYMarketDataRoad> road, VKJYMarketDataRoad::Request request)
        : m_road(std::move(road)), m_request(request) {}

    void dataAnalysisFinished(HQNetworkManger* manager, const HQReplyData& data) override {
        if (auto road = m_road.lock()) {
            road->finished(m_request, *manager, data);
        }
    }
    void dataAnalysisFailed(HQNetworkManger*, int errorCode) override {
        if (auto road = m_road.lock()) {
            road->failedWithCode(m_request, errorCode);
        }
    }
    void requestFailed(HQNetworkManger*, int) override {
        if (auto road = m_road.lock()) {
            road->failedInTransport(m_request);
        }
    }
    void requestSessionAgainFinished() override {
        if (auto road = m_road.lock()) {
            road->sessionRenewed();
        }
    }

private:
    std::weak_ptr<VKJYMarketDataRoad> m_road;
    VKJYMarketDataRoad::Request m_request;
};

using MarketItems = std::vector<std::shared_ptr<MarketItem>>;

std::shared_ptr<MarketItem> firstItem(const HQReplyData& data) {
    const auto* items = std::get_if<MarketItems>(&data);
    return items && !items->empty() ? items->front() : nullptr;
}

bool hasCommodities(const VKJYMarketCatalogue& catalogue) {
    for (const auto& panel : catalogue.allPanels()) {
        if (!panel.disk->commodityInfoArray.empty()) {
            return true;
        }
    }
    return false;
}

std::shared_ptr<SubmissionPackage> panelPackage(const VKJYMarketPanel& panel) {
    auto package = std::make_shared<SubmissionPackage>();
    package->MarketID = std::to_string(panel.market->MarketID);
    package->DiskID = std::to_string(panel.disk->DiskID);
    return package;
}
}  // namespace

VKJYMarketDataRoad::VKJYMarketDataRoad(Setup setup) : m_setup(std::move(setup)) {}

VKJYMarketDataRoad::~VKJYMarketDataRoad() = default;

void VKJYMarketDataRoad::start() {
    if (!isBuilding()) {
        build();
    }
}

void VKJYMarketDataRoad::startIfIdle() {
    if (!isBuilding() && m_catalogue.empty() && !m_failureReported) {
        build();
    }
}

void VKJYMarketDataRoad::retry() {
    m_failureReported = false;
    build();
    requestAllCommodityYiKouJia();
}

bool VKJYMarketDataRoad::isBusy() const {
    return isBuilding() || m_renewalsPending > 0;
}

void VKJYMarketDataRoad::setBusy() {
    const bool busy = isBusy();
    if (busy == m_wasBusy) {
        return;
    }
    m_wasBusy = busy;
    if (m_listener) {
        m_listener->marketRoadBusyChanged(busy);
    }
}

void VKJYMarketDataRoad::build() {
    ++m_generation;
    m_building = VKJYMarketCatalogue();
    m_buildLacksMarkets = false;
    m_buildLacksPanels = false;
    m_pending.clear();
    m_timesPending.clear();
    m_phase = Phase::Markets;
    const auto servers = m_setup.servers ? m_setup.servers() : std::vector<int>();
    for (int server : servers) {
        m_pending.insert(send(Kind::Markets, "shiChangXinXi", nullptr, server));
    }
    setBusy();
    if (m_pending.empty()) {
        marketsComplete();
    }
}

int VKJYMarketDataRoad::send(Kind kind, const std::string& type,
                             std::shared_ptr<SubmissionPackage> package, int server) {
    const Request request{kind, m_generation, ++m_lastRequestId, server};
    auto manager = HQNetworkManger::create();
    manager->setDelegate(std::make_shared<RoadReceiver>(weak_from_this(), request));
    manager->needDataFromNetWork(std::move(package), type, server);
    return request.id;
}

// Quotes age by their tick and renewals belong to the session, not to a build.
bool VKJYMarketDataRoad::ofOlderBuild(const Request& request) const {
    return request.kind != Kind::Quotes && request.kind != Kind::Renewal &&
           request.generation != m_generation;
}

bool VKJYMarketDataRoad::current(const Request& request, Phase phase) const {
    return m_phase == phase && m_pending.count(request.id) != 0;
}

void VKJYMarketDataRoad::finished(const Request& request, HQNetworkManger& manager,
                                  const HQReplyData& data) {
    if (ofOlderBuild(request)) {
        return;
    }
    switch (request.kind) {
        case Kind::Markets:
            return marketListAnswered(request, data);
        case Kind::Panel:
            return panelAnswered(request, data);
        case Kind::Times:
            timeAnswered(data);
            return countAnswer(request);
        case Kind::Quotes:
            return quotesAnswered(request, manager, data);
        case Kind::Renewal:
            return sessionRenewed();
    }
}

void VKJYMarketDataRoad::marketListAnswered(const Request& request, const HQReplyData& data) {
    if (!current(request, Phase::Markets)) {
        return;
    }
    if (auto item = firstItem(data)) {
        m_building.addMarkets(*item);
    }
    countAnswer(request);
}

void VKJYMarketDataRoad::panelAnswered(const Request& request, const HQReplyData& data) {
    if (!current(request, Phase::Panels)) {
        return;
    }
    const auto item = firstItem(data);
    const auto market =
        item && !item->MarketInfoArray.empty() ? item->MarketInfoArray.front() : nullptr;
    const auto disk =
        market && !market->diskInfoArray.empty() ? market->diskInfoArray.front() : nullptr;
    if (disk) {
        // The server asked names the panel's markets; an empty panel has no commodity to ask.
        m_building.setPanelCommodities(request.server, market->MarketID, disk->DiskID,
                                       disk->commodityInfoArray);
    }
    countAnswer(request);
}

void VKJYMarketDataRoad::timeAnswered(const HQReplyData& data) {
    const auto* time = std::get_if<std::shared_ptr<PanJYTime>>(&data);
    if (!time || !*time) {
        return;
    }
    if (m_setup.dataClass) {
        m_setup.dataClass->setPanelTradingTime(**time);
    }
}

// A reply with a return code counts toward its batch as a reply with data does.
void VKJYMarketDataRoad::countAnswer(const Request& request) {
    if (request.kind == Kind::Times) {
        if (m_timesPending.erase(request.id) != 0 && m_timesPending.empty()) {
            m_isTimeEnd = true;
        }
        return;
    }
    const Phase phase = request.kind == Kind::Markets ? Phase::Markets : Phase::Panels;
    if (!current(request, phase)) {
        return;
    }
    m_pending.erase(request.id);
    if (!m_pending.empty()) {
        return;
    }
    if (phase == Phase::Markets) {
        marketsComplete();
    } else {
        catalogueComplete();
    }
}

void VKJYMarketDataRoad::marketsComplete() {
    // A server answered unreadably or with a return code: its markets would be missing from the
    // list without a word.
    if (m_building.empty() || m_buildLacksMarkets) {
        return fail();
    }
    m_building.sortMarkets();
    m_phase = Phase::Panels;
    for (const auto& panel : m_building.allPanels()) {
        m_pending.insert(
            send(Kind::Panel, "shiChangXinXix", panelPackage(panel), panel.market->MarketIndex));
    }
    if (m_pending.empty()) {
        catalogueComplete();
    }
}

void VKJYMarketDataRoad::catalogueComplete() {
    // Markets whose panels all failed would show as an empty list; the first-launch defaults
    // would be spent on it too.
    if (!hasCommodities(m_building)) {
        return fail();
    }
    m_lacksPanels = m_buildLacksPanels;
    if (m_listener) {
        m_listener->marketRoadCatalogueAnswered(m_building);
    }
    m_building.merge(m_setup.tagOf);
    m_building.reindex();
    for (const auto& quote : m_catalogue.quoteTable()) {
        if (quote) {
            m_building.applyQuotes(quote->hpIndex, {quote});
        }
    }
    m_catalogue = std::move(m_building);
    m_building = VKJYMarketCatalogue();
    m_phase = Phase::Done;
    if (m_setup.dataClass && m_setup.dataClass->hqjyEntity()) {
        m_setup.dataClass->hqjyEntity()->setCommodityInfoArray(m_catalogue.items());
        m_setup.dataClass->hqjyEntity()->setCommodityYiKouJiaArray(m_catalogue.quoteTable());
    }
    setBusy();
    if (m_listener) {
        m_listener->marketRoadCatalogueComplete();
    }
}

void VKJYMarketDataRoad::requestJYTime() {
    for (const auto& panel : m_catalogue.allPanels()) {
        m_timesPending.insert(
            send(Kind::Times, "panJYTime", panelPackage(panel), panel.market->MarketIndex));
    }
}

void VKJYMarketDataRoad::refrashYiKouJia() {
    if (m_timer || m_catalogue.empty()) {
        return;
    }
    m_timerCount = 0;
    m_panelTicks.clear();
    m_timer =
        Timer::scheduledTimer(kRefreshSeconds, true, [this] { requestAllCommodityYiKouJia(); });
}

void VKJYMarketDataRoad::requestAllCommodityYiKouJia() {
    if (m_catalogue.empty()) {
        return;
    }
    ++m_timerCount;
    for (const auto& panel : m_catalogue.allPanels()) {
        auto package = panelPackage(panel);
        package->yikoujiaCount = m_timerCount;
        send(Kind::Quotes, "allyikoujia", package, panel.market->MarketIndex);
    }
}

void VKJYMarketDataRoad::quotesAnswered(const Request& request, HQNetworkManger& manager,
                                        const HQReplyData& data) {
    const auto package = manager.submissionPackageNM();
    const auto* quotes = std::get_if<std::vector<std::shared_ptr<YiKouJia>>>(&data);
    if (!package || !quotes || package->yikoujiaCount + kQuoteAgeTicks < m_timerCount) {
        return;
    }
    // On a slow line ticks overtake their answers: an older tick's must not undo a newer one's.
    int& taken = m_panelTicks[std::to_string(request.server) + "|" + package->MarketID + "|" +
                              package->DiskID];
    if (package->yikoujiaCount < taken) {
        return;
    }
    taken = package->yikoujiaCount;
    m_catalogue.applyQuotes(request.server, *quotes);
    // The trading side prices its orders and figures from these: nothing on the list holds them.
    const auto& dataClass = m_setup.dataClass;
    if (dataClass && dataClass->hqjyEntity()) {
        dataClass->hqjyEntity()->setCommodityYiKouJiaArray(m_catalogue.quoteTable());
    }
    if (m_listener) {
        m_listener->marketRoadQuotesChanged();
    }
}

void VKJYMarketDataRoad::failedWithCode(const Request& request, int code) {
    if (ofOlderBuild(request)) {
        return;
    }
    if (code == kSessionExpired || code == kTimedOut) {
        renewSessions();
    }
    switch (request.kind) {
        case Kind::Markets:
            m_buildLacksMarkets = m_buildLacksMarkets || current(request, Phase::Markets);
            return countAnswer(request);
        case Kind::Panel:
            m_buildLacksPanels = m_buildLacksPanels || current(request, Phase::Panels);
            return countAnswer(request);
        case Kind::Times:
            return countAnswer(request);
        case Kind::Renewal:
            return sessionRenewed();
        case Kind::Quotes:
            return;
    }
}

void VKJYMarketDataRoad::failedInTransport(const Request& request) {
    if (request.kind == Kind::Renewal) {
        sessionRenewed();
    }
    // A renewal asked for before a retry is, like the other requests of the build that the retry
    // replaced, no news of the new build: no second failure report, no new build cut short.
    if (request.kind == Kind::Quotes || request.generation != m_generation) {
        return;
    }
    if (request.kind == Kind::Times) {
        // The batch ends with its last request, answered or not: rows open the quote screen.
        countAnswer(request);
    } else if (request.kind != Kind::Renewal &&
               !current(request, request.kind == Kind::Markets ? Phase::Markets : Phase::Panels)) {
        return;
    }
    fail();
}

void VKJYMarketDataRoad::fail() {
    if (isBuilding()) {
        m_phase = m_catalogue.empty() ? Phase::Failed : Phase::Done;
        m_pending.clear();
        m_building = VKJYMarketCatalogue();
        setBusy();
    }
    if (m_failureReported) {
        return;
    }
    m_failureReported = true;
    if (m_listener) {
        m_listener->marketRoadFailed();
    }
}

void VKJYMarketDataRoad::renewSessions() {
    if (m_renewalsPending > 0) {
        return;
    }
    const auto servers = m_setup.servers ? m_setup.servers() : std::vector<int>();
    for (int server : servers) {
        send(Kind::Renewal, "requestSessionAgain", nullptr, server);
        ++m_renewalsPending;
    }
    setBusy();
}

void VKJYMarketDataRoad::sessionRenewed() {
    if (m_renewalsPending > 0) {
        --m_renewalsPending;
    }
    setBusy();
}
