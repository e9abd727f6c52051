#pragma once

// The one shared quote state of the application (the app delegate's hqDataClass): the watch
// list, the reply counters of the market list's batches, the server protocol record, the
// trading-side lookup, each panel's start of trading, and what the quote client keeps per quote
// server (session, working line).
// The app delegate owns it and makes it current(); HQNetworkManger reaches it there, so the quote
// client needs nothing from the shell. Main thread only.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "quote/QuoteRecords.h"

class HQJYEntity;
class View;

class VKJYHangQingDataClass {
public:
    // Lines of a quote server's group, by server index (hpIndex), in fail-over order.
    using LineResolver = std::function<std::vector<std::string>(int serverIndex)>;

    VKJYHangQingDataClass();

    static std::shared_ptr<VKJYHangQingDataClass> current();
    static void setCurrent(std::shared_ptr<VKJYHangQingDataClass> dataClass);

    std::vector<std::string>& HQChooseCommodityIDArray() { return m_chooseCommodityIDs; }
    void setHQChooseCommodityIDArray(std::vector<std::string> keys);

    bool canRefreshYiKouJia() const { return m_canRefreshYiKouJia; }
    void setCanRefreshYiKouJia(bool canRefresh) { m_canRefreshYiKouJia = canRefresh; }

    // The watch tile showing its delete mark; not owned.
    View* delectedCommodityButton() const { return m_delectedCommodityButton; }
    void setDelectedCommodityButton(View* tile) { m_delectedCommodityButton = tile; }

    int TimeCount() const { return m_timeCount; }
    int jyspanInfoCount() const { return m_jyspanInfoCount; }
    int marketInfoCount() const { return m_marketInfoCount; }
    // Counts a reply handed to its requester; only "panJYTime", "jyspaninfo" and
    // "shiChangXinXix" have counters. Nothing resets them.
    void countReply(const std::string& type);

    int loginCount() const { return m_loginCount; }
    void setLoginCount(int count) { m_loginCount = count; }

    // The start of the selected panel's trading, "HH:mm" in the exchange's zone: the chart
    // compares it with minute times of that zone. Empty while the start or the zone is unknown.
    std::string startTime() const;
    // The same for the commodity's own panel; the selected start while that panel's is unknown.
    std::string startTimeOf(const commodityInfo& commodity) const;
    // The start as the panel's trading-time record gives it (ms since 1970); nothing when the
    // panel's time is not known.
    std::optional<int64_t> tradingStart() const { return m_tradingStart; }
    void setTradingStart(std::optional<int64_t> startMs) { m_tradingStart = startMs; }
    // Keeps a panel's trading-time record for every screen that opens one of its commodities;
    // a panel's later record replaces the earlier.
    void setPanelTradingTime(const PanJYTime& time);
    // The start of the commodity's panel (ms since 1970), or nothing while it is not known.
    std::optional<int64_t> panelTradingStart(const commodityInfo& commodity) const;
    // The start of the commodity's panel becomes the selected start; nothing while that panel's
    // time is not known, as an older start would be another panel's.
    void selectTradingStartOf(const commodityInfo& commodity);
    // Minutes east of UTC of the exchange, as its quote servers last said (server time and
    // time-sharing replies carry it); nothing until one has.
    std::optional<int> exchangeUtcOffsetMinutes() const { return m_exchangeUtcOffsetMinutes; }
    void setExchangeUtcOffsetMinutes(int minutes) { m_exchangeUtcOffsetMinutes = minutes; }

    std::shared_ptr<HQJYEntity> hqjyEntity() const { return m_hqjyEntity; }
    void setHqjyEntity(std::shared_ptr<HQJYEntity> entity) { m_hqjyEntity = std::move(entity); }

    const SeverProtocol& severProtocol() const { return m_severProtocol; }
    void setSeverProtocol(const SeverProtocol& protocol) { m_severProtocol = protocol; }

    bool ManagerIsAnimating() const { return m_managerIsAnimating; }
    void setManagerIsAnimating(bool animating) { m_managerIsAnimating = animating; }

    void setLineResolver(LineResolver resolver) { m_lineResolver = std::move(resolver); }
    std::vector<std::string> linesForServer(int serverIndex) const;

    uint32_t sessionForServer(int serverIndex) const;
    void setSessionForServer(int serverIndex, uint32_t session);
    // Index of the line that last worked, where the server's next request starts.
    size_t workingLineForServer(int serverIndex) const;
    void setWorkingLineForServer(int serverIndex, size_t line);

private:
    std::string startText(std::optional<int64_t> startMs) const;

    struct ServerState {
        uint32_t session = 0;
        size_t workingLine = 0;
    };

    std::vector<std::string> m_chooseCommodityIDs;
    bool m_canRefreshYiKouJia = true;
    View* m_delectedCommodityButton = nullptr;
    int m_timeCount = 0;
    int m_jyspanInfoCount = 0;
    int m_marketInfoCount = 0;
    int m_loginCount = 0;
    std::optional<int64_t> m_tradingStart;
    // Start of trading (ms since 1970) by server index, MarketID and DiskID.
    std::map<std::tuple<int, int16_t, int16_t>, int64_t> m_panelTradingStarts;
    std::optional<int> m_exchangeUtcOffsetMinutes;
    std::shared_ptr<HQJYEntity> m_hqjyEntity;
    SeverProtocol m_severProtocol;
    bool m_managerIsAnimating = false;
    LineResolver m_lineResolver;
    std::map<int, ServerState> m_servers;
};
