#pragma once

// The market list's data road: asks every quote server for its markets, then every panel for
// its commodities, merges the answers into the catalogue, asks each panel for its trading time
// and refreshes every panel's quotes once a second. Each build is one generation with its own
// outstanding requests, its trading-time requests included: a reply or failure of an older
// generation, or one that comes after its batch has failed, changes nothing, so a retry gives the
// same catalogue as a first success. A build that gathers no market or no commodity, or that
// misses a server's market list, fails as a dead line does; one that misses a panel's commodity
// list completes with what it has and says so (lacksPanels). The shown catalogue stays until a
// new build completes. A return code 2003 or -1001 renews the session of every server, once at a
// time. Made and owned by the market list (through a shared_ptr: requests in flight hold it
// weakly); the listener is not owned. Main thread.

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "market/VKJYMarketCatalogue.h"
#include "quote/HQReplyData.h"

class HQNetworkManger;
class Timer;
class VKJYHangQingDataClass;
class VKJYMarketDataRoadListener;
struct SubmissionPackage;

class VKJYMarketDataRoad : public std::enable_shared_from_this<VKJYMarketDataRoad> {
public:
    static constexpr double kRefreshSeconds = 1.0;
    // A quote reply is used while it is at most this many ticks old.
    static constexpr int kQuoteAgeTicks = 4;
    static constexpr int kSessionExpired = 2003;
    static constexpr int kTimedOut = -1001;

    struct Setup {
        std::shared_ptr<VKJYHangQingDataClass> dataClass;
        // Index (hpIndex) of every quote server, read at each build.
        std::function<std::vector<int>()> servers;
        VKJYMarketCatalogue::TagLookup tagOf;
    };

    explicit VKJYMarketDataRoad(Setup setup);
    ~VKJYMarketDataRoad();

    void setListener(VKJYMarketDataRoadListener* listener) { m_listener = listener; }

    // A first build (the screen loaded): nothing when a build is under way.
    void start();
    // A build after a touch on the bare screen: only while there is no catalogue and nothing
    // under way.
    void startIfIdle();
    // The failure alert's retry: a new build and one refresh tick.
    void retry();
    // One trading-time request per panel of the shown catalogue.
    void requestJYTime();
    // Starts the 1-second refresh once there is a catalogue, with a first tick at once;
    // nothing when it runs.
    void refrashYiKouJia();
    // One refresh tick.
    void requestAllCommodityYiKouJia();

    const VKJYMarketCatalogue& catalogue() const { return m_catalogue; }
    bool isBusy() const;
    bool isBuilding() const { return m_phase == Phase::Markets || m_phase == Phase::Panels; }
    bool isTimeEnd() const { return m_isTimeEnd; }
    // A panel's commodity list was refused or unreadable in the build of the shown catalogue:
    // what it would have listed is missing.
    bool lacksPanels() const { return m_lacksPanels; }
    int timerCount() const { return m_timerCount; }
    bool isRefreshing() const { return m_timer != nullptr; }

    // Reply entry points of the requests in flight.
    enum class Kind { Markets, Panel, Times, Quotes, Renewal };
    struct Request {
        Kind kind = Kind::Quotes;
        int generation = 0;
        int id = 0;
        int server = 0;
    };
    void finished(const Request& request, HQNetworkManger& manager, const HQReplyData& data);
    void failedWithCode(const Request& request, int code);
    void failedInTransport(const Request& request);
    void sessionRenewed();

private:
    enum class Phase { Empty, Markets, Panels, Failed, Done };

    void build();
    int send(Kind kind, const std::string& type, std::shared_ptr<SubmissionPackage> package,
             int server);
    bool ofOlderBuild(const Request& request) const;
    bool current(const Request& request, Phase phase) const;
    void marketListAnswered(const Request& request, const HQReplyData& data);
    void panelAnswered(const Request& request, const HQReplyData& data);
    void timeAnswered(const HQReplyData& data);
    void quotesAnswered(const Request& request, HQNetworkManger& manager, const HQReplyData& data);
    void countAnswer(const Request& request);
    void marketsComplete();
    void catalogueComplete();
    void renewSessions();
    void fail();
    void setBusy();

    Setup m_setup;
    VKJYMarketDataRoadListener* m_listener = nullptr;
    VKJYMarketCatalogue m_catalogue;
    VKJYMarketCatalogue m_building;
    Phase m_phase = Phase::Empty;
    int m_generation = 0;
    int m_lastRequestId = 0;
    std::set<int> m_pending;
    std::set<int> m_timesPending;
    bool m_isTimeEnd = false;
    std::unique_ptr<Timer> m_timer;
    int m_timerCount = 0;
    // The newest tick whose quotes each panel ("server|market|disk") has taken.
    std::map<std::string, int> m_panelTicks;
    int m_renewalsPending = 0;
    // Of the build under way: a market list or a panel's commodities not read.
    bool m_buildLacksMarkets = false;
    bool m_buildLacksPanels = false;
    bool m_lacksPanels = false;
    bool m_failureReported = false;
    bool m_wasBusy = false;
};
