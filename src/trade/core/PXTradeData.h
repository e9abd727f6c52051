#pragma once
// The one in-memory store of the logged-in trading account: commodities, latest prices,
// holdings, account figures, bank records, firm id, session, the commodity of the order-book
// screen and the chosen trading line; and the figures computed from them. Created once by
// PXTradeModule; filled by the reply dispatch and the timers, read by every trading screen.
// Main thread only.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "trade/core/PXTradeCommodity.h"
#include "trade/core/PXTradeHost.h"
#include "trade/core/PXTradeRecords.h"
#include "trade/core/PXTradeSessionLedger.h"
#include "trade/core/PXTradeTypes.h"

class PXTradeModule;
struct YiKouJia;
struct commodityInfo;

class PXTradeData {
public:
    explicit PXTradeData(PXTradeModule& module);
    ~PXTradeData();
    PXTradeData(const PXTradeData&) = delete;
    PXTradeData& operator=(const PXTradeData&) = delete;

    // The record under key in one of the store's tables, or null.
    template <typename Map>
    static auto* find(const Map& table, const std::string& key) {
        const auto found = table.find(key);
        return found != table.end() ? found->second.get() : nullptr;
    }

    // Sets up the empty store and starts listening to "setJYResourceDelegate".
    void initGongGongShuJu();
    // The logged-out state: also forgets the session, so no later request carries it.
    void clearAllTradeData();

    // The session and all that is known of its account (the trading line aside): what a logon
    // replaces, kept to be put back when the rest of that login fails.
    struct Snapshot {
        PXTradeSession session;
        PXTradeCommodityMap shangPinXinXi;
        std::map<std::string, std::shared_ptr<PXTradeYiKouJia>> zuiXinYiKouJia;
        PXTradeSummaryList chiCangHuiZongXinXi;
        PXTradeTicketMap chiCangMingXiXinXi;
        JYDict zhangHuXinXi;
        std::optional<std::vector<JYDict>> yinHangXinXi;
        std::string firmID;
        std::string currentCommodityCode;
        uint64_t sessionEpoch = 0;
    };
    Snapshot snapshot() const;
    // Puts the snapshot's account back, and its epoch with it: the logon that replaced it ends,
    // and what followed the account kept in force has nothing to forget. The login state is the
    // caller's.
    void restore(const Snapshot& kept);
    // What is known of the exchange's sessions: the epoch in force, the sessions over and the
    // requests on their way that end the one in force.
    PXTradeSessionLedger& sessions() { return m_sessions; }
    const PXTradeSessionLedger& sessions() const { return m_sessions; }
    // The session in force is over, ended or replaced by a new logon's: its confirmations
    // leave the window, its late replies go unheeded and its account's banks are forgotten.
    // Called before the session record changes, so that its id is known as ended.
    void nextSessionEpoch();
    // Whether a request carrying that session id may leave.
    bool mayGoOut(const std::string& sessionID) const {
        return m_sessions.mayGoOut(sessionID, m_tradeSession->JYsessionID);
    }
    // A request that may end the session in force left (its logoff, a logon of its account):
    // nothing more goes under it, and its requests still waiting on the device never leave.
    void endingSent();

    // Floating profit and loss per ticket, per commodity and direction, and "m_flv" in total.
    JYDict FuDongYingKui() const;
    // "m_flv", "v_QC", "c_value", "BZJ_value", "r_value" as texts ("--" when not computable).
    JYDict computingFengXianLu() const;
    // The quote side's live quote of a trading commodity, or null.
    std::shared_ptr<YiKouJia> getHQYiKouJia(const std::string& commodityCode) const;
    // The trading codes a quote commodity names, in the store's order.
    std::vector<std::string> tradeCodesOf(const commodityInfo& commodity) const;
    // Handler of "setJYResourceDelegate": hands the held commodities to the posting market list.
    void getMarketUIVC(const void* marketList);

    // Split by trade mode: "ZYMS" gives the order-book elements, anything else the quote-mode.
    std::vector<std::string> getAllCommodityCodeFromShangPinXinXi(const std::string& mode) const;
    std::vector<std::string> getAllDanHaoIDFromChiCangMingXi(const std::string& mode) const;
    PXTradeSummaryList getAllHuiZongFromChiCangHuiZong(const std::string& mode) const;

    const PXTradeCommodityMap& shangPinXinXi() const { return m_shangPinXinXi; }
    void setShangPinXinXi(PXTradeCommodityMap value) { m_shangPinXinXi = std::move(value); }
    const std::map<std::string, std::shared_ptr<PXTradeYiKouJia>>& zuiXinYiKouJia() const {
        return m_zuiXinYiKouJia;
    }
    void setZuiXinYiKouJia(std::map<std::string, std::shared_ptr<PXTradeYiKouJia>> value) {
        m_zuiXinYiKouJia = std::move(value);
    }
    const PXTradeSummaryList& chiCangHuiZongXinXi() const { return m_chiCangHuiZongXinXi; }
    void setChiCangHuiZongXinXi(PXTradeSummaryList value) {
        m_chiCangHuiZongXinXi = std::move(value);
    }
    const PXTradeTicketMap& chiCangMingXiXinXi() const { return m_chiCangMingXiXinXi; }
    void setChiCangMingXiXinXi(PXTradeTicketMap value) { m_chiCangMingXiXinXi = std::move(value); }
    const JYDict& zhangHuXinXi() const { return m_zhangHuXinXi; }
    void setZhangHuXinXi(JYDict value) { m_zhangHuXinXi = std::move(value); }
    // The banks of the latest answer of this session, none before it.
    const std::vector<JYDict>& yinHangXinXi() const;
    void setYinHangXinXi(std::vector<JYDict> value) { m_yinHangXinXi = std::move(value); }
    // Whether a bank list of this session has been answered: one that lists none is an answer.
    bool yinHangXinXiAnswered() const { return m_yinHangXinXi.has_value(); }
    const std::string& firmID() const { return m_firmID; }
    void setFirmID(std::string value) { m_firmID = std::move(value); }
    const std::shared_ptr<PXTradeSession>& tradeSession() const { return m_tradeSession; }
    void setTradeSession(std::shared_ptr<PXTradeSession> value) {
        m_tradeSession = std::move(value);
    }
    const std::string& currentCommodityCode() const { return m_currentCommodityCode; }
    void setCurrentCommodityCode(std::string value) { m_currentCommodityCode = std::move(value); }
    const std::string& tradeLinkType() const { return m_tradeLinkType; }
    void setTradeLinkType(std::string value) { m_tradeLinkType = std::move(value); }

    // Holdings and account queries are numbered as they leave; on a slow line their answers can
    // come out of order, and one is stored only when no later query of its kind has been.
    uint64_t numberQuery(const std::string& kind) { return ++m_queriesSent[kind]; }
    bool takesAnswer(const std::string& kind, uint64_t number);
    // The answer of ticket query `number` (of one commodity, or of all when commodityCode is
    // empty). Both kinds are numbered as one: an answer for all replaces every commodity's
    // tickets, so each kind can be older than the other. A one-commodity answer is stored only
    // when newer than the last for all and than that commodity's last; one for all only when
    // newer than the last for all, and it leaves the commodities answered later than it as
    // they are. False when the answer is refused.
    bool takeTickets(const std::string& commodityCode, uint64_t number, PXTradeTicketMap tickets);
    // The stored tickets of that commodity (of all when commodityCode is empty).
    PXTradeTicketMap ticketsOf(const std::string& commodityCode) const;

private:
    std::shared_ptr<PXTradeCommodity> commodity(const std::string& code) const;
    bool isOrderBook(const std::string& code) const;
    std::string ticketValue(const PXJYChiCangMingXi& ticket) const;
    // Only that commodity's tickets are replaced, so the other commodities' stay known.
    void replaceChiCangMingXiOf(const std::string& commodityCode, PXTradeTicketMap tickets);
    void replaceAllTickets(uint64_t number, PXTradeTicketMap tickets);
    void endSessionInForce(uint64_t nextEpoch);
    std::shared_ptr<commodityInfo> quoteCommodity(const std::string& code) const;

    PXTradeModule& m_module;
    PXTradeCommodityMap m_shangPinXinXi;
    std::map<std::string, std::shared_ptr<PXTradeYiKouJia>> m_zuiXinYiKouJia;
    PXTradeSummaryList m_chiCangHuiZongXinXi;
    PXTradeTicketMap m_chiCangMingXiXinXi;
    JYDict m_zhangHuXinXi = JYDict::object();
    std::optional<std::vector<JYDict>> m_yinHangXinXi;
    std::string m_firmID;
    std::map<std::string, uint64_t> m_queriesSent;
    std::map<std::string, uint64_t> m_answersTaken;
    uint64_t m_allTicketsTaken = 0;
    std::map<std::string, uint64_t> m_ticketsTakenOf;
    std::shared_ptr<PXTradeSession> m_tradeSession = std::make_shared<PXTradeSession>();
    std::string m_currentCommodityCode;
    std::string m_tradeLinkType;
    PXTradeSessionLedger m_sessions;
    uint64_t m_observer = 0;
};
