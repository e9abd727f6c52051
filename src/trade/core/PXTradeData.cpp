#include "trade/core/PXTradeData.h"

#include "platform/foundation/Text.h"
#include "quote/HQCommodityMatch.h"
#include "quote/HQJYEntity.h"
#include "quote/QuoteRecords.h"
#include "quote/VKJYHangQingDataClass.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/core/TradeText.h"

namespace {

const char* const kNoFigure = "--";
const char* const kOrderBookMode = "4";
const char* const kOrderBookArgument = "ZYMS";

// "%lf" of a figure, with -0 written as 0.
std::string figureText(double value) {
    if (value == 0) {
        value = 0;
    }
    return Text::format("%lf", value);
}

std::string sumText(const std::string& left, const std::string& right) {
    if (left == kNoFigure || right == kNoFigure) {
        return kNoFigure;
    }
    return figureText(Text::doubleValue(left) + Text::doubleValue(right));
}

}  // namespace

PXTradeData::PXTradeData(PXTradeModule& module) : m_module(module) {}

PXTradeData::~PXTradeData() {
    m_module.stopObserving(m_observer);
}

void PXTradeData::initGongGongShuJu() {
    m_shangPinXinXi.clear();
    m_zuiXinYiKouJia.clear();
    m_chiCangMingXiXinXi.clear();
    m_zhangHuXinXi = JYDict::object();
    m_chiCangHuiZongXinXi.clear();
    m_firmID.clear();
    m_currentCommodityCode.clear();
    m_tradeLinkType.clear();
    m_tradeSession = std::make_shared<PXTradeSession>();
    m_module.stopObserving(m_observer);
    m_observer = m_module.observe("setJYResourceDelegate",
                                  [this](const void* object) { getMarketUIVC(object); });
}

void PXTradeData::clearAllTradeData() {
    m_module.setTradeLogin(false);
    m_firmID.clear();
    m_currentCommodityCode.clear();
    m_zuiXinYiKouJia.clear();
    m_shangPinXinXi.clear();
    m_zhangHuXinXi = JYDict::object();
    m_chiCangHuiZongXinXi.clear();
    // Nothing of a logged-out account is left for the next one to be shown; its banks go with
    // the session's end.
    m_chiCangMingXiXinXi.clear();
    nextSessionEpoch();
    // A cleared store must not keep the old session's id, key and token for later requests.
    *m_tradeSession = PXTradeSession();
}

const std::vector<JYDict>& PXTradeData::yinHangXinXi() const {
    static const std::vector<JYDict> none;
    return m_yinHangXinXi ? *m_yinHangXinXi : none;
}

PXTradeData::Snapshot PXTradeData::snapshot() const {
    return {*m_tradeSession,        m_shangPinXinXi,   m_zuiXinYiKouJia, m_chiCangHuiZongXinXi,
            m_chiCangMingXiXinXi,   m_zhangHuXinXi,    m_yinHangXinXi,   m_firmID,
            m_currentCommodityCode, m_sessions.epoch()};
}

void PXTradeData::restore(const Snapshot& kept) {
    // What the replacing session still has on its way is of a session that is over; marked
    // before its id is overwritten, so nothing naming it goes out any more.
    endSessionInForce(kept.sessionEpoch);
    // The session object itself stays: screens hold it.
    *m_tradeSession = kept.session;
    m_shangPinXinXi = kept.shangPinXinXi;
    m_zuiXinYiKouJia = kept.zuiXinYiKouJia;
    m_chiCangHuiZongXinXi = kept.chiCangHuiZongXinXi;
    m_chiCangMingXiXinXi = kept.chiCangMingXiXinXi;
    m_zhangHuXinXi = kept.zhangHuXinXi;
    m_yinHangXinXi = kept.yinHangXinXi;
    m_firmID = kept.firmID;
    m_currentCommodityCode = kept.currentCommodityCode;
}

void PXTradeData::nextSessionEpoch() {
    endSessionInForce(m_sessions.newEpoch());
}

void PXTradeData::endSessionInForce(uint64_t nextEpoch) {
    m_sessions.endInForce(m_tradeSession->JYsessionID, nextEpoch);
    // The banks are the account's, and no login fetches them again (the funds home does): none
    // of the session that is over stays to be listed for the next one.
    m_yinHangXinXi.reset();
    m_module.sessionEnded();
    m_module.host().sessionEnded();
}

void PXTradeData::endingSent() {
    m_sessions.endingSent(m_sessions.epoch());
    m_module.sessionEnded();
}

std::shared_ptr<PXTradeCommodity> PXTradeData::commodity(const std::string& code) const {
    const auto it = m_shangPinXinXi.find(code);
    return it == m_shangPinXinXi.end() ? nullptr : it->second;
}

bool PXTradeData::isOrderBook(const std::string& code) const {
    const auto found = commodity(code);
    return found && found->shangPinJiaoYiMoShi == kOrderBookMode;
}

std::string PXTradeData::ticketValue(const PXJYChiCangMingXi& ticket) const {
    const auto priceIt = m_zuiXinYiKouJia.find(ticket.commodityCode);
    const auto found = commodity(ticket.commodityCode);
    if (priceIt == m_zuiXinYiKouJia.end() || !priceIt->second || !found) {
        return kNoFigure;
    }
    const PXTradeYiKouJia& price = *priceIt->second;
    const bool bought = ticket.buySellSign == "1";
    double current = bought ? price.commoditySellPrice : price.commodityBuyPrice;
    if (found->shangPinJiaoYiMoShi == kOrderBookMode) {
        current = price.commodityNewPrice;
    }
    if (!(current > 0)) {
        return kNoFigure;
    }
    const double holding = Text::doubleValue(ticket.chiCangJia);
    const int lots = Text::intValue(ticket.dangQianChiCangLiang);
    // The trade unit may be a decimal amount of goods per lot ("2.5").
    const double unit = Text::doubleValue(found->tradeUnit);
    const double sign = bought ? 1.0 : -1.0;
    return figureText(sign * (current - holding) * lots * unit);
}

JYDict PXTradeData::FuDongYingKui() const {
    JYDict result = JYDict::object();
    result["m_flv"] = "0";
    for (const auto& [number, ticket] : m_chiCangMingXiXinXi) {
        const std::string value = ticket ? ticketValue(*ticket) : std::string(kNoFigure);
        result["m_flv"] = sumText(result["m_flv"].get<std::string>(), value);
        if (ticket) {
            JYDict& perCommodity = result[ticket->commodityCode];
            if (!perCommodity.is_object()) {
                perCommodity = JYDict::object();
            }
            const auto signIt = perCommodity.find(ticket->buySellSign);
            perCommodity[ticket->buySellSign] =
                signIt == perCommodity.end() ? value : sumText(signIt->get<std::string>(), value);
        }
        result[number] = value;
    }
    return result;
}

JYDict PXTradeData::computingFengXianLu() const {
    JYDict result = JYDict::object();
    const std::string floating = FuDongYingKui()["m_flv"].get<std::string>();
    result["m_flv"] = floating;
    const std::string opening = TradeText::textAt(m_zhangHuXinXi, "IB");
    result["v_QC"] = opening.empty() ? "0" : opening;

    const double equityBefore = Text::doubleValue(TradeText::textAt(m_zhangHuXinXi, "EQT"));
    std::string current = kNoFigure;
    if (m_chiCangMingXiXinXi.empty() || floating != kNoFigure) {
        current = Text::format("%f", equityBefore + Text::doubleValue(floating));
    }
    result["c_value"] = current;

    const double subtracted = Text::doubleValue(TradeText::textAt(m_zhangHuXinXi, "OT_F"));
    result["BZJ_value"] = current == kNoFigure
                              ? std::string(kNoFigure)
                              : Text::format("%f", Text::doubleValue(current) - subtracted);

    const double paid = Text::doubleValue(TradeText::textAt(m_zhangHuXinXi, "RM"));
    if (paid == 0) {
        result["r_value"] = "0";
    } else if (current == kNoFigure) {
        result["r_value"] = kNoFigure;
    } else {
        const double ratio = Text::doubleValue(current) / paid;
        result["r_value"] = ratio < 0 ? std::string("0") : Text::format("%f", ratio * 100);
    }
    return result;
}

std::shared_ptr<commodityInfo> PXTradeData::quoteCommodity(const std::string& code) const {
    const auto quotes = VKJYHangQingDataClass::current();
    const auto entity = quotes ? quotes->hqjyEntity() : nullptr;
    if (!entity) {
        return nullptr;
    }
    const PXTradePeiZhi& peiZhi = m_module.PXJYPeiZhi();
    return entity->getHQproductInfoWithHouseCode(Text::intValue(peiZhi.platformCODE()),
                                                 Text::intValue(peiZhi.environmentCODE()), code);
}

std::shared_ptr<YiKouJia> PXTradeData::getHQYiKouJia(const std::string& code) const {
    const auto found = quoteCommodity(code);
    if (!found) {
        return nullptr;
    }
    return VKJYHangQingDataClass::current()->hqjyEntity()->getHQyikoujiaWithCode(*found);
}

std::vector<std::string> PXTradeData::tradeCodesOf(const commodityInfo& commodity) const {
    std::vector<std::string> codes;
    for (const auto& [code, traded] : m_shangPinXinXi) {
        if (HQCommodityMatch::namesTradeCode(commodity, code)) {
            codes.push_back(code);
        }
    }
    return codes;
}

void PXTradeData::getMarketUIVC(const void* marketList) {
    std::vector<std::shared_ptr<commodityInfo>> held;
    for (const auto& summary : m_chiCangHuiZongXinXi) {
        if (const auto found = summary ? quoteCommodity(summary->commodityCode) : nullptr) {
            held.push_back(found);
        }
    }
    m_module.host().setTradeCommodityList(marketList, held);
}

std::vector<std::string> PXTradeData::getAllCommodityCodeFromShangPinXinXi(
    const std::string& mode) const {
    const bool wantOrderBook = mode == kOrderBookArgument;
    std::vector<std::string> codes;
    for (const auto& [code, record] : m_shangPinXinXi) {
        if (isOrderBook(code) == wantOrderBook) {
            codes.push_back(code);
        }
    }
    return codes;
}

std::vector<std::string> PXTradeData::getAllDanHaoIDFromChiCangMingXi(
    const std::string& mode) const {
    const bool wantOrderBook = mode == kOrderBookArgument;
    std::vector<std::string> numbers;
    for (const auto& [number, ticket] : m_chiCangMingXiXinXi) {
        if (isOrderBook(ticket ? ticket->commodityCode : std::string()) == wantOrderBook) {
            numbers.push_back(number);
        }
    }
    return numbers;
}

PXTradeSummaryList PXTradeData::getAllHuiZongFromChiCangHuiZong(const std::string& mode) const {
    const bool wantOrderBook = mode == kOrderBookArgument;
    PXTradeSummaryList summaries;
    for (const auto& summary : m_chiCangHuiZongXinXi) {
        if (isOrderBook(summary ? summary->commodityCode : std::string()) == wantOrderBook) {
            summaries.push_back(summary);
        }
    }
    return summaries;
}

void PXTradeData::replaceChiCangMingXiOf(const std::string& commodityCode,
                                         PXTradeTicketMap tickets) {
    std::erase_if(m_chiCangMingXiXinXi, [&](const auto& entry) {
        return !entry.second || entry.second->commodityCode == commodityCode;
    });
    m_chiCangMingXiXinXi.merge(tickets);
}

bool PXTradeData::takeTickets(const std::string& commodityCode, uint64_t number,
                              PXTradeTicketMap tickets) {
    if (number <= m_allTicketsTaken) {
        return false;
    }
    if (commodityCode.empty()) {
        replaceAllTickets(number, std::move(tickets));
        return true;
    }
    uint64_t& newest = m_ticketsTakenOf[commodityCode];
    if (number <= newest) {
        return false;
    }
    newest = number;
    replaceChiCangMingXiOf(commodityCode, std::move(tickets));
    return true;
}

PXTradeTicketMap PXTradeData::ticketsOf(const std::string& commodityCode) const {
    PXTradeTicketMap tickets;
    for (const auto& [number, ticket] : m_chiCangMingXiXinXi) {
        if (ticket && (commodityCode.empty() || ticket->commodityCode == commodityCode)) {
            tickets.emplace(number, ticket);
        }
    }
    return tickets;
}

void PXTradeData::replaceAllTickets(uint64_t number, PXTradeTicketMap tickets) {
    m_allTicketsTaken = number;
    const auto answeredLater = [&](const auto& entry) {
        const auto found = m_ticketsTakenOf.find(entry.second ? entry.second->commodityCode : "");
        return found != m_ticketsTakenOf.end() && found->second > number;
    };
    std::erase_if(tickets, answeredLater);
    for (const auto& entry : m_chiCangMingXiXinXi) {
        if (answeredLater(entry)) {
            tickets.insert(entry);
        }
    }
    m_chiCangMingXiXinXi = std::move(tickets);
}

bool PXTradeData::takesAnswer(const std::string& kind, uint64_t number) {
    uint64_t& newest = m_answersTaken[kind];
    if (number <= newest) {
        return false;
    }
    newest = number;
    return true;
}
