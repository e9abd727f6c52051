#include "trade/core/PXTradeNetworkManger.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "base/TMBSUtil.h"
#include "platform/foundation/DateFormat.h"
#include "platform/foundation/HttpMessages.h"
#include "platform/foundation/MainQueue.h"
#include "platform/foundation/Text.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeHost.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/core/PXTradeTimerManger.h"
#include "trade/core/TradeText.h"

// One REQ key and where its value comes from.
struct TradeRequestField {
    enum Source { Caller, Constant, User, Session };
    const char* key;
    Source source;
    const char* value = "";
};

namespace {

using Field = TradeRequestField;
using Fields = std::vector<TradeRequestField>;

const char* const kTradeLink = "1";
const char* const kNoticeLink = "2";
const char* const kFundsLink = "3";
const char* const kLogoffTag = "PXcancellation";
const char* const kLogonTag = "PXTradeLogin";
const int kSessionLostTag = 5554;
const int kConfirmTag = 5556;
const int kSessionLostCode = 1004;
const int kIdleSessionCode = 10001;
const char* const kSessionLostMessage = "您的当前登录状态已失效,请重新登录!";
const int kNoCommodityCode = -1;
const char* const kNoCommodityMessage = "请选择商品";
// Every order the facade sends, by its type tag: each must name the commodity it trades.
const char* const kOrderTags[] = {"PXShiJiaJianCang", "PXZhiJiaJianCang", "PXShiJiaPingCang",
                                  "PXZhiJiaPingCang", "PXZhaiPai",        "PXGuaPaiJC"};

struct ReportKind {
    const char* name;
    const char* tag;
};

const ReportKind kReports[] = {
    {"report_customercloseposition_query", "PXBaoBiaoChaXunPC"},
    {"report_customerorders_query", "PXbaoBiaoChaXunCJ"},
    {"report_customerhold_query", "PXbaoBiaoChaXunCC"},
    {"report_customerfundsflow_query", "PXbaoBiaoChaXunLS"},
    {"report_customerfundsstat_query", "PXbaoBiaoChaXunZK"},
};

using Parse = void (PXTradeDataAnalysis::*)(const std::string&);

struct ParserEntry {
    const char* tag;
    Parse parse;
};

using A = PXTradeDataAnalysis;
const ParserEntry kParsers[] = {
    {"PXgetJYCode", &A::analysisJYCode},
    {"PXHuiYuanQuanXian", &A::analysisHuiYuanQuanXian},
    {"PXgetOtherID", &A::analysisCPYFirmID},
    {"PXcommodityInfoType", &A::analysisCommodityInfoJY},
    {"PXChengJiaoHuiBao", &A::analysisChengJiaoHuiBaoPXJY},
    {"PXchiCangHuiZong", &A::analysisChiCangHuiZongJY},
    {"PXchiCangMingXi", &A::analysisChiCangMingXiJY},
    {"PXShiJiaJianCang", &A::analysisShiJiaJianCangJY},
    {"PXZhiJiaJianCang", &A::analysisZhiJiaJianCangJY},
    {"PXShiJiaPingCang", &A::analysisShiJiaPingCangJY},
    {"PXZhiJiaPingCang", &A::analysisZhiJiaPingCangJY},
    {"PXweiTuoChaXun", &A::analysisWeiTuoDanChaXunJY},
    {"PXChengJiaoChaXun", &A::analysisChengJiaoChaXunJY},
    {"PXCheXiaoZhiSunZhiYing", &A::analysisCheXiaoZhiSunZhiYingJY},
    {"PXCancelWeiTuoDan", &A::analysisCancelWeiTuoDanJY},
    {"PXBaoBiaoChaXunPC", &A::analysisBaoBiaoChaXunPCJY},
    {"PXbaoBiaoChaXunCJ", &A::analysisBaoBiaoChaXunCJJY},
    {"PXbaoBiaoChaXunCC", &A::analysisBaoBiaoChaXunCCJY},
    {"PXbaoBiaoChaXunLS", &A::analysisBaoBiaoChaXunLSJY},
    {"PXbaoBiaoChaXunZK", &A::analysisBaoBiaoChaXunZKJY},
    {"PXAccountInformation", &A::analysisAccountInformationJY},
    {"PXMarketfundsinfo", &A::analysisMarketfundsinfoJY},
    {"PXBankInfo", &A::analysisBankInfoJY},
    {"PXGoldOperating", &A::analysisGoldOperatingJY},
    {"PXCheckGoldRecode", &A::analysisCheckGoldRecodeJY},
    {"PXCheckAccountBalance", &A::analysisCheckAccountBalanceJY},
    {"PXmodifyBankingPasswords", &A::analysisModifyBankingPasswordJY},
    {"PXAnnouncementList", &A::analysisAnnouncementListJY},
    {"PXAnnouncementDetail", &A::analysisAnnouncementDetailJY},
    {"PXChangeTradePassWord", &A::analysisChangeTradePassWordJY},
    {"PXOpenAccount", &A::analysisOpenAccountJY},
    {"PXSendCaptcha", &A::analysisPhoneCaptchaJY},
    {"PXShouJiYanZheng", &A::analysisShouJiYanZhengJY},
    {"PXcreateAccount", &A::analysisCreateAccountJY},
    // The retrieval answers in the opening reply's shape.
    {"PXretrieveAccount", &A::analysisCreateAccountJY},
    {"PXPhoneNumberVerification", &A::analysisPhoneNumberVerificationJY},
    {"PXresetPasswordLoginView", &A::analysisResetPasswordJY},
    {"PXGuaPaiList", &A::analysisGuaPaiListJY},
    {"PXZhaiPai", &A::analysisZhaiPaiJY},
    {"PXGuaPaiJC", &A::analysisGuaPaiJianCang},
};

// The keys of "order_s"; closing adds A_N and P_P.
const Fields kMarketOrderFields = {{"USER_ID", Field::Caller, "userid"},
                                   {"BUY_SELL", Field::Caller, "sign"},
                                   {"COMMODITY_ID", Field::Caller, "commodityid"},
                                   {"PRICE", Field::Caller, "price"},
                                   {"QTY", Field::Caller, "number"},
                                   {"SETTLE_BASIS", Field::Caller, "tradeType"},
                                   {"DOT_DIFF", Field::Caller, "diff"},
                                   {"CLOSEMODE", Field::Caller, "closeMode"},
                                   {"HOLDING_ID", Field::Caller, "holdId"},
                                   {"OTHER_ID", Field::Caller, "firmid"},
                                   {"SESSION_ID", Field::Caller, "session_id"}};

const Fields kCancelFields = {{"USER_ID", Field::Caller, "userid"},
                              {"ORDER_NO", Field::Caller, "holdId"},
                              {"SESSION_ID", Field::Caller, "session_id"},
                              {"A_N", Field::Constant},
                              {"P_P", Field::Constant}};

// The keys of the two holding queries, which differ only in RECCNT.
Fields holdingFields(const char* recordCount) {
    return {{"USER_ID", Field::User},
            {"COMMODITY_ID", Field::Caller, "id"},
            {"MARKET_ID", Field::Constant, "1"},
            {"SESSION_ID", Field::Session},
            {"STARTNUM", Field::Constant},
            {"RECCNT", Field::Constant, recordCount},
            {"SORTFLD", Field::Constant},
            {"ISDESC", Field::Constant},
            {"A_N", Field::Constant},
            {"P_P", Field::Constant}};
}

Fields withExtraKeys(Fields fields) {
    fields.push_back({"A_N", Field::Constant});
    fields.push_back({"P_P", Field::Constant});
    return fields;
}

// Tags whose accepted reply goes to the delegate as the parser's result (the others as nil).
const char* const kTagsWithData[] = {
    "PXgetJYCode",        "PXHuiYuanQuanXian",         "PXchiCangMingXi",   "PXShouJiYanZheng",
    "PXBankInfo",         "PXChengJiaoHuiBao",         "PXweiTuoChaXun",    "PXChengJiaoChaXun",
    "PXBaoBiaoChaXunPC",  "PXbaoBiaoChaXunCJ",         "PXbaoBiaoChaXunCC", "PXbaoBiaoChaXunLS",
    "PXbaoBiaoChaXunZK",  "PXMarketfundsinfo",         "PXCheckGoldRecode", "PXCheckAccountBalance",
    "PXAnnouncementList", "PXAnnouncementDetail",      "PXOpenAccount",     "PXSendCaptcha",
    "PXcreateAccount",    "PXPhoneNumberVerification", "PXGuaPaiList",      "PXretrieveAccount",
};

bool hasDataForDelegate(const std::string& tag) {
    for (const char* known : kTagsWithData) {
        if (tag == known) {
            return true;
        }
    }
    return false;
}

template <typename T>
const T* elementAs(const std::optional<PXTradeResult>& result, size_t index) {
    if (!result || result->size() <= index) {
        return nullptr;
    }
    return std::get_if<T>(&(*result)[index]);
}

// The session a request names: the SESSION_ID of its REQ, or the heartbeat's "sessionid".
std::string carriedSession(const JYDict& body) {
    const auto envelope = body.find("VUZI");
    if (envelope != body.end() && envelope->is_object() && envelope->contains("REQ")) {
        return TradeText::textAt((*envelope)["REQ"], "SESSION_ID");
    }
    return TradeText::textAt(body, "sessionid");
}

bool isOrderWithoutCommodity(const std::string& tag, const JYDict& body) {
    const bool order =
        std::find(std::begin(kOrderTags), std::end(kOrderTags), tag) != std::end(kOrderTags);
    const auto envelope = body.find("VUZI");
    const bool named = envelope != body.end() && envelope->is_object() &&
                       envelope->contains("REQ") &&
                       !TradeText::textAt((*envelope)["REQ"], "COMMODITY_ID").empty();
    return order && !named;
}

// The request never reached the exchange: no connection was made.
bool neverLeft(int errorCode) {
    return errorCode == UrlError::UnsupportedUrl || errorCode == UrlError::CannotFindHost ||
           errorCode == UrlError::CannotConnectToHost;
}

struct LogoffRefusal {
    int code;
    std::string message;
};

// A logoff the server refused, with its word for why. A reply that logged off, one that finds the
// session already ended, and one that cannot be read refuse nothing.
std::optional<LogoffRefusal> logoffRefusal(const std::string& body) {
    const JYDict parsed = JYDict::parse(body, nullptr, false);
    if (!parsed.is_object() || !parsed.contains("VUZI") || !parsed["VUZI"].is_object()) {
        return std::nullopt;
    }
    const JYDict& vuzi = parsed["VUZI"];
    if (!vuzi.contains("REP") || !vuzi["REP"].is_object()) {
        return std::nullopt;
    }
    const JYDict& rep = vuzi["REP"];
    const int code = Text::intValue(TradeText::textAt(rep, "retcode"));
    if (code == 0 || code == kSessionLostCode || code == kIdleSessionCode) {
        return std::nullopt;
    }
    return LogoffRefusal{code, TradeText::textAt(rep, "message")};
}

}  // namespace

PXTradeNetworkManger::PXTradeNetworkManger(PXTradeModule& module) : m_module(module) {}

std::shared_ptr<PXTradeNetworkManger> PXTradeNetworkManger::create() {
    return create(PXTradeModule::shared());
}

std::shared_ptr<PXTradeNetworkManger> PXTradeNetworkManger::create(PXTradeModule& module) {
    return std::shared_ptr<PXTradeNetworkManger>(new PXTradeNetworkManger(module));
}

std::string PXTradeNetworkManger::userId() const {
    const auto& session = m_module.PXJYData().tradeSession();
    if (session && !session->userID.empty()) {
        return session->userID;
    }
    return m_module.defaultString("JYUserName");
}

std::string PXTradeNetworkManger::sessionId() const {
    const auto& session = m_module.PXJYData().tradeSession();
    return session ? session->JYsessionID : std::string();
}

std::string PXTradeNetworkManger::urlString(const char* urlType) const {
    const PXTradePeiZhi& peiZhi = m_module.PXJYPeiZhi();
    return m_target ? peiZhi.getURLString(urlType, *m_target) : peiZhi.getURLString(urlType);
}

std::string PXTradeNetworkManger::address(const char* urlType, const std::string& name) const {
    return urlString(urlType) + "?req=" + name;
}

bool PXTradeNetworkManger::ofEndedSession() const {
    return m_sessionEpoch && m_module.PXJYData().sessions().isOver(*m_sessionEpoch);
}

bool PXTradeNetworkManger::mayLeave(const std::string& session) const {
    const PXTradeData& store = m_module.PXJYData();
    if (m_typeNW == kLogonTag) {
        return true;
    }
    // The logoff is how a session is left: it goes while another request ending it travels.
    if (m_typeNW == kLogoffTag) {
        return !session.empty() &&
               !store.sessions().hasEnded(session, store.tradeSession()->JYsessionID);
    }
    return store.mayGoOut(session);
}

// The exchange ends an account's session when it takes a logon of the same account on the same
// server, and the client cannot know it has until the answer comes.
bool PXTradeNetworkManger::endsSessionInForce() const {
    if (m_typeNW == kLogoffTag) {
        return true;
    }
    if (m_typeNW != kLogonTag || m_logonAccount != userId()) {
        return false;
    }
    const PXTradeData& store = m_module.PXJYData();
    const PXTradeTarget& now = m_module.PXJYPeiZhi().target();
    return !store.tradeSession()->JYsessionID.empty() &&
           (!m_target || (m_target->platformCODE == now.platformCODE &&
                          m_target->environmentCODE == now.environmentCODE));
}

void PXTradeNetworkManger::post(const JYDict& body, const std::string& url) {
    PXTradeData& store = m_module.PXJYData();
    // The logon is what makes a session; it belongs to none.
    const bool needsSession = m_typeNW != kLogonTag;
    m_sessionEpoch = needsSession ? std::optional(store.sessions().epoch()) : std::nullopt;
    if (!mayLeave(carriedSession(body))) {
        refuseLocally(kSessionLostCode, kSessionLostMessage);
        return;
    }
    if (isOrderWithoutCommodity(m_typeNW, body)) {
        refuseLocally(kNoCommodityCode, kNoCommodityMessage);
        return;
    }
    auto network = PXTradeNetwork::create(m_module);
    network->setDelegate(shared_from_this());
    m_network = network;
    network->PXPostDict(body, url, m_typeNW);
    if (needsSession) {
        m_module.sessionRequestOut(shared_from_this());
    }
    if (endsSessionInForce()) {
        m_endingEpoch = store.sessions().epoch();
        store.endingSent();
    }
}

// Answered, or left and unanswered (it may have acted), the request ended the session it was to
// end, and the user is logged out where that session is still in force; refused outright or never
// sent, it ended nothing, and the session goes on unless the exchange has said it is lost.
void PXTradeNetworkManger::settleEnding(bool acted) {
    const auto epoch = std::exchange(m_endingEpoch, std::nullopt);
    if (!epoch) {
        return;
    }
    PXTradeData& store = m_module.PXJYData();
    store.sessions().endingSettled(*epoch);
    if (store.sessions().epoch() == *epoch && (acted || store.sessions().lostAtExchange(*epoch))) {
        store.clearAllTradeData();
    }
}

void PXTradeNetworkManger::sessionEnded() {
    const auto network = m_network.lock();
    // A stalled line keeps requests queued on the device long after the end; the logoff is how
    // the session is left and goes whatever.
    if (!network || m_typeNW == kLogoffTag || !ofEndedSession() || !network->withdrawIfWaiting()) {
        return;
    }
    refuseLocally(kSessionLostCode, kSessionLostMessage);
}

// Nothing goes out under a session that has ended or without one, and no order without its
// commodity; the asker hears why on a later turn as from the server, so that its gate and busy
// overlay go.
void PXTradeNetworkManger::refuseLocally(int code, const char* message) {
    auto self = shared_from_this();
    MainQueue::post([self, code, message] {
        self->m_errorMessage = message;
        self->m_reLoginShown = code == kSessionLostCode && self->lossToldOfItsSession();
        if (self->m_delegate) {
            self->m_delegate->dataAnalysisFailed(self.get(), code);
        }
    });
}

void PXTradeNetworkManger::sendReq(const char* name, const char* tag, const char* urlType,
                                   JYDict req) {
    m_typeNW = tag;
    JYDict envelope = JYDict::object();
    envelope["version"] = "1.0";
    envelope["REQ"] = std::move(req);
    JYDict top = JYDict::object();
    top["VUZI"] = std::move(envelope);
    post(top, address(urlType, name));
}

void PXTradeNetworkManger::sendFields(const char* name, const char* tag, const char* urlType,
                                      const Fields& fields, const JYDict& caller) {
    JYDict req = JYDict::object();
    req["id"] = m_module.PXJYPeiZhi().getCurrentDateWith();
    req["name"] = name;
    for (const Field& field : fields) {
        switch (field.source) {
            case Field::Caller:
                req[field.key] = TradeText::textAt(caller, field.value);
                break;
            case Field::Constant:
                req[field.key] = field.value;
                break;
            case Field::User:
                req[field.key] = userId();
                break;
            case Field::Session:
                req[field.key] = sessionId();
                break;
        }
    }
    sendReq(name, tag, urlType, std::move(req));
}

void PXTradeNetworkManger::getCommodityInfo(const std::string& commodityId) {
    const JYDict caller = {{"id", commodityId}};
    sendFields("commodity_query", "PXcommodityInfoType", kTradeLink,
               {{"USER_ID", Field::User},
                {"COMMODITY_ID", Field::Caller, "id"},
                {"SESSION_ID", Field::Session},
                {"A_N", Field::Constant},
                {"P_P", Field::Constant}},
               caller);
}

void PXTradeNetworkManger::getOtherFirmQueryInfo() {
    sendFields(
        "other_firm_query", "PXgetOtherID", kTradeLink,
        {{"USER_ID", Field::User}, {"IS_D", Field::Constant, "1"}, {"SESSION_ID", Field::Session}},
        JYDict::object());
}

void PXTradeNetworkManger::numberQuery(const std::string& kind) {
    m_queryKind = kind;
    m_queryNumber = m_module.PXJYData().numberQuery(kind);
}

void PXTradeNetworkManger::getAccountInformation() {
    numberQuery("PXAccountInformation");
    sendFields("firm_info", "PXAccountInformation", kTradeLink,
               {{"USER_ID", Field::User},
                {"SESSION_ID", Field::Session},
                {"A_N", Field::Constant},
                {"P_P", Field::Constant}},
               JYDict::object());
}

void PXTradeNetworkManger::getCancellation() {
    sendFields("logoff", kLogoffTag, kTradeLink,
               {{"USER_ID", Field::User}, {"SESSION_ID", Field::Session}}, JYDict::object());
}

void PXTradeNetworkManger::getJYChiCangMingXi(const std::string& commodityId) {
    m_ticketCommodity = commodityId;
    numberQuery("PXchiCangMingXi");
    sendFields("holding_detail_query", "PXchiCangMingXi", kTradeLink, holdingFields("0"),
               {{"id", commodityId}});
}

void PXTradeNetworkManger::getJYChiCangHuiZong(const std::string& commodityId) {
    numberQuery("PXchiCangHuiZong");
    sendFields("holding_query", "PXchiCangHuiZong", kTradeLink, holdingFields(""),
               {{"id", commodityId}});
}

void PXTradeNetworkManger::CPYloginJiaoYiActionType(const std::string& account,
                                                    const std::string& captcha,
                                                    const std::string& validString,
                                                    const std::string& password) {
    m_dengLuCaoZuo = true;
    m_module.PXJYData().tradeSession()->encryptSign = "0";
    m_md5KeyForLogin = account + password;
    m_logonAccount = account;
    const std::string logonTime = std::to_string(DateFormat::nowMilliseconds());
    JYDict req = JYDict::object();
    req["id"] = m_module.PXJYPeiZhi().getCurrentDateWith();
    req["name"] = "logon";
    req["USER_ID"] = account;
    req["PASSWORD"] = "";
    req["VALID_CODE"] = captcha;
    req["VALID_UUID"] = validString;
    req["LOGONTIME"] = logonTime;
    req["REGISTER_WORD"] = "";
    req["VERSIONINFO"] = "1.1";
    req["CLT_TOKEN"] =
        TMBSUtil::getClientTokenWithUserId(account, password, logonTime).value_or(std::string());
    sendReq("logon", kLogonTag, kTradeLink, std::move(req));
}

void PXTradeNetworkManger::getChengJiaoHuiBaoXinXiQH() {
    sendHeartbeat(m_module.PXJYPeiZhi().shiFoGangDengLu());
}

void PXTradeNetworkManger::sendHeartbeat(bool justLoggedIn) {
    m_typeNW = "PXChengJiaoHuiBao";
    const JYDict& last = m_module.PXJYTimerManger().transactionReporting();
    JYDict body = JYDict::object();
    body["uid"] = userId();
    body["ver"] = "1.0";
    body["sessionid"] = sessionId();
    body["broadcast"] = justLoggedIn ? std::string("0") : TradeText::textAt(last, "GB_ID");
    body["tradecnt"] = justLoggedIn ? std::string("0") : TradeText::textAt(last, "Num_Trade");
    body["curlogon"] = justLoggedIn ? "1" : "0";
    body["agencyno"] = "";
    body["phonepwd"] = "";
    body["lastid"] = justLoggedIn ? std::string("0") : TradeText::textAt(last, "END_GBID");
    body["CO_I"] = m_module.PXJYData().currentCommodityCode();
    post(body, address(kTradeLink, "SYS_TIME_QUERY"));
}

void PXTradeNetworkManger::CPYgetJiaoYiCodeType() {
    m_typeNW = "PXgetJYCode";
    m_sessionEpoch.reset();
    auto network = PXTradeNetwork::create(m_module);
    network->setDelegate(shared_from_this());
    network->getJiaoYiCode(TradeText::escapedUrl(urlString(kTradeLink)), m_typeNW,
                           PXTradeNetwork::captchaFrame());
}

void PXTradeNetworkManger::SJJianCangNetwork(const JYDict& order) {
    sendFields("order_s", "PXShiJiaJianCang", kTradeLink, kMarketOrderFields, order);
}

void PXTradeNetworkManger::SJPingCangNetwork(const JYDict& order) {
    sendFields("order_s", "PXShiJiaPingCang", kTradeLink, withExtraKeys(kMarketOrderFields), order);
}

void PXTradeNetworkManger::ZJJianCangNetwork(const JYDict& order) {
    sendFields("order_x", "PXZhiJiaJianCang", kTradeLink,
               {{"USER_ID", Field::Caller, "userid"},
                {"BUY_SELL", Field::Caller, "sign"},
                {"COMMODITY_ID", Field::Caller, "commodityid"},
                {"PRICE", Field::Caller, "price"},
                {"QTY", Field::Caller, "number"},
                {"STOP_LOSS", Field::Caller, "stoploss"},
                {"STOP_PROFIT", Field::Caller, "stopprofit"},
                {"VALIDITY_TYPE", Field::Constant, "0"},
                {"OTHER_ID", Field::Caller, "firmid"},
                {"SESSION_ID", Field::Caller, "session_id"},
                {"A_N", Field::Constant},
                {"P_P", Field::Constant}},
               order);
}

void PXTradeNetworkManger::ZJPingCangNetwork(const JYDict& order) {
    sendFields("set_loss_profit", "PXZhiJiaPingCang", kTradeLink,
               {{"USER_ID", Field::Caller, "userid"},
                {"H_ID", Field::Caller, "holdId"},
                {"COMMODITY_ID", Field::Caller, "commodityid"},
                {"TY", Field::Caller, "sign"},
                {"STOP_LOSS", Field::Caller, "stoploss"},
                {"STOP_PROFIT", Field::Caller, "stopprofit"},
                {"SESSION_ID", Field::Caller, "session_id"},
                {"A_N", Field::Constant},
                {"P_P", Field::Constant}},
               order);
}

void PXTradeNetworkManger::weiTuoDanChaXun(const JYDict& query) {
    sendFields("my_order_query", "PXweiTuoChaXun", kTradeLink,
               {{"USER_ID", Field::Caller, "userid"},
                {"BUY_SELL", Field::Caller, "sign"},
                {"ORDER_NO", Field::Constant},
                {"MARKET_ID", Field::Constant},
                {"COMMODITY_ID", Field::Caller, "commodityid"},
                {"SESSION_ID", Field::Caller, "session_id"},
                {"STARTNUM", Field::Caller, "start_num"},
                {"RECCNT", Field::Constant},
                {"SORTFLD", Field::Constant},
                {"ISDESC", Field::Constant, "0"},
                {"UT", Field::Caller, "time"},
                {"A_N", Field::Constant},
                {"P_P", Field::Constant},
                {"OR_TP", Field::Caller, "ortp"},
                {"OR_ST", Field::Caller, "orst"},
                {"OR_OC", Field::Caller, "oroc"}},
               query);
}

void PXTradeNetworkManger::chengJiaoChaXun(const JYDict& query) {
    sendFields("tradequery", "PXChengJiaoChaXun", kTradeLink,
               {{"USER_ID", Field::Caller, "userid"},
                {"MARKET_ID", Field::Constant, "1"},
                {"LAST_TRADE_ID", Field::Caller, "lastDeal_id"},
                {"SESSION_ID", Field::Caller, "session_id"},
                {"A_N", Field::Constant},
                {"P_P", Field::Constant},
                {"BUY_SELL", Field::Caller, "sign"},
                {"COMMODITY_ID", Field::Caller, "commodityid"},
                {"STARTNUM", Field::Caller, "start_num"},
                {"RECCNT", Field::Constant},
                {"SORTFLD", Field::Constant},
                {"ISDESC", Field::Constant},
                {"OR_OC", Field::Caller, "oroc"}},
               query);
}

void PXTradeNetworkManger::cheXiaoZhiSunZhiYingJia(const JYDict& query) {
    sendFields("withdraw_loss_profit", "PXCheXiaoZhiSunZhiYing", kTradeLink,
               {{"USER_ID", Field::Caller, "userid"},
                {"H_ID", Field::Caller, "holdId"},
                {"COMMODITY_ID", Field::Caller, "commodityid"},
                {"TYPE", Field::Caller, "withdrawtype"},
                {"SESSION_ID", Field::Caller, "session_id"},
                {"A_N", Field::Constant},
                {"P_P", Field::Constant}},
               query);
}

void PXTradeNetworkManger::cancelWeiTuoDan(const JYDict& query) {
    sendFields("order_wd", "PXCancelWeiTuoDan", kTradeLink, kCancelFields, query);
}

void PXTradeNetworkManger::cancelGuaPaiShangPinDingDan(const JYDict& query) {
    sendFields("order_list_wd", "PXCancelWeiTuoDan", kTradeLink, kCancelFields, query);
}

void PXTradeNetworkManger::baoBiaoChaXun(const JYDict& query, int type) {
    if (type < 0 || type >= int(std::size(kReports))) {
        // No such report: still answer, so the caller's busy overlay goes away.
        auto self = shared_from_this();
        MainQueue::post([self] {
            if (self->m_delegate) {
                self->m_delegate->requestFailed(self.get(), UrlError::UnsupportedUrl);
            }
        });
        return;
    }
    sendFields(kReports[type].name, kReports[type].tag, kNoticeLink,
               {{"USER_ID", Field::Caller, "userid"},
                {"SESSION_ID", Field::Caller, "session_id"},
                {"ST", Field::Caller, "s_time"},
                {"ET", Field::Caller, "e_time"},
                {"STARTNUM", Field::Caller, "start_num"},
                {"RECCNT", Field::Constant, "20"},
                {"SORTFLD", Field::Constant},
                {"ISDESC", Field::Constant}},
               query);
}

void PXTradeNetworkManger::getMarketfundsinfo(const JYDict& query) {
    sendFields("money_marketfundsinfo_query", "PXMarketfundsinfo", kFundsLink,
               {{"USER_ID", Field::Caller, "userid"}, {"SESSION_ID", Field::Caller, "session_id"}},
               query);
}

void PXTradeNetworkManger::getbankInfo(const JYDict& query) {
    sendFields("money_userinfo_query", "PXBankInfo", kFundsLink,
               {{"USER_ID", Field::Caller, "userid"}, {"SESSION_ID", Field::Caller, "session_id"}},
               query);
}

void PXTradeNetworkManger::setMoneyTransfer(const JYDict& query) {
    sendFields("money_transfer", "PXGoldOperating", kFundsLink,
               {{"USER_ID", Field::Caller, "userid"},
                {"SESSION_ID", Field::Caller, "session_id"},
                {"BANK_ID", Field::Caller, "bank_id"},
                {"TYPE", Field::Caller, "in_out"},
                {"AMOUNT", Field::Caller, "amount"},
                {"PWD", Field::Caller, "pswd"}},
               query);
}

void PXTradeNetworkManger::getCheckGoldRecode(const JYDict& query) {
    sendFields("money_iom_query", "PXCheckGoldRecode", kFundsLink,
               {{"USER_ID", Field::Caller, "userid"},
                {"SESSION_ID", Field::Caller, "session_id"},
                {"ST", Field::Caller, "s_time"},
                {"ET", Field::Caller, "e_time"},
                {"STARTNUM", Field::Caller, "start_num"},
                {"RECCNT", Field::Constant},
                {"SORTFLD", Field::Constant},
                {"ISDESC", Field::Constant}},
               query);
}

void PXTradeNetworkManger::getcheckAccountBalance(const JYDict& query) {
    sendFields("money_bankfunds", "PXCheckAccountBalance", kFundsLink,
               {{"USER_ID", Field::Caller, "userid"},
                {"SESSION_ID", Field::Caller, "session_id"},
                {"BANK_ID", Field::Caller, "bank_id"},
                {"PWD", Field::Caller, "pswd"}},
               query);
}

void PXTradeNetworkManger::modifyBankingPasswords(const JYDict& query) {
    sendFields("money_modpwd", "PXmodifyBankingPasswords", kFundsLink,
               {{"USER_ID", Field::Caller, "userid"},
                {"SESSION_ID", Field::Caller, "session_id"},
                {"OPWD", Field::Caller, "old_password"},
                {"NPWD", Field::Caller, "new_password"}},
               query);
}

void PXTradeNetworkManger::getAnnouncementList(const JYDict& query) {
    sendFields("notice_list_query", "PXAnnouncementList", kNoticeLink,
               {{"USER_ID", Field::Caller, "userid"},
                {"SESSION_ID", Field::Caller, "session_id"},
                {"EFFECTIVE", Field::Caller, "effective"},
                {"TYPE", Field::Caller, "type"},
                {"ST", Field::Caller, "s_time"},
                {"ET", Field::Caller, "e_time"},
                {"EXPIRE_ST", Field::Caller, "e_st"},
                {"EXPIRE_ET", Field::Caller, "e_et"},
                {"TITLE", Field::Caller, "title"},
                {"STARTNUM", Field::Caller, "start_num"},
                {"RECCNT", Field::Constant},
                {"SORTFLD", Field::Constant},
                {"ISDESC", Field::Constant}},
               query);
}

void PXTradeNetworkManger::getAnnouncementDetail(const JYDict& query) {
    sendFields("notice_content_query", "PXAnnouncementDetail", kNoticeLink,
               {{"USER_ID", Field::Caller, "userid"},
                {"SESSION_ID", Field::Caller, "session_id"},
                {"NOTICE_ID", Field::Caller, "notice_id"},
                {"TYPE", Field::Caller, "type"},
                {"EFFECTIVE", Field::Caller, "effective"}},
               query);
}

void PXTradeNetworkManger::getGuaPaiList(const JYDict& req) {
    sendReq("faes_sellingbuying_query", "PXGuaPaiList", kTradeLink, req);
}

void PXTradeNetworkManger::sendZhaiPaiJianCangRequest(const JYDict& req) {
    sendReq("order_mp", "PXZhaiPai", kTradeLink, req);
}

void PXTradeNetworkManger::sendGuaPaiJianCangRequest(const JYDict& req) {
    sendReq("order_list", "PXGuaPaiJC", kTradeLink, req);
}

void PXTradeNetworkManger::changeTradeAccountPassWord(const JYDict& body) {
    m_typeNW = "PXChangeTradePassWord";
    post(body, address(kTradeLink, "change_password"));
}

void PXTradeNetworkManger::sendTemplate(const char* tag, const char* templateName,
                                        const std::string& url, const JYDict& values) {
    m_typeNW = tag;
    m_sessionEpoch.reset();
    auto network = PXTradeNetwork::create(m_module);
    network->setDelegate(shared_from_this());
    network->PostDict(values, url, m_module.resourceText(std::string(templateName) + ".xml"),
                      m_typeNW);
}

void PXTradeNetworkManger::sendPhoneNumberVerification(const JYDict& values) {
    sendTemplate("PXPhoneNumberVerification", "KEWTPhoneNumberVerification",
                 TradeText::textAt(values, "url"), values);
}

void PXTradeNetworkManger::sendResetPassword(const JYDict& values) {
    sendTemplate("PXresetPasswordLoginView", "KEWTResetPassword", TradeText::textAt(values, "url"),
                 values);
}

void PXTradeNetworkManger::openAccount(const JYDict& values) {
    sendTemplate("PXcreateAccount", "KEWTCreateUser", TradeText::textAt(values, "url"), values);
}

void PXTradeNetworkManger::retrieveAccount(const JYDict& values) {
    sendTemplate("PXretrieveAccount", "KEWTRetrieveAccount", TradeText::textAt(values, "url"),
                 values);
}

void PXTradeNetworkManger::getOpenAccountService(const JYDict& values) {
    sendTemplate("PXOpenAccount", "KEWTGetOpenAccount", m_module.host().directoryAvailableUrl(),
                 values);
}

void PXTradeNetworkManger::getHuiYuanQuanXian(const JYDict& values) {
    sendTemplate("PXHuiYuanQuanXian", "KEWTGetAllTradeauthorities",
                 m_module.host().directoryAvailableUrl(), values);
}

void PXTradeNetworkManger::sendCaptchaToPhone(const JYDict& values) {
    sendTemplate("PXSendCaptcha", "KEWTPhoneCaptcha",
                 m_module.host().serviceFirstZuLLUrl("2") + "/reqcode", values);
}

void PXTradeNetworkManger::shouJiYanZheng(const JYDict& values) {
    sendTemplate("PXShouJiYanZheng", "KEWTCaptchaYanZheng",
                 m_module.host().serviceFirstZuLLUrl("2") + "/verifycode", values);
}

void PXTradeNetworkManger::SJJianCang(const JYDict& order, bool fastTrade) {
    xiaDanQianPanDuan(order, 1, 1, "PXShiJiaJianCang", fastTrade);
}

void PXTradeNetworkManger::ZJJianCang(const JYDict& order) {
    xiaDanQianPanDuan(order, 2, 1, "PXZhiJiaJianCang", false);
}

void PXTradeNetworkManger::ZJPingCang(const JYDict& order) {
    xiaDanQianPanDuan(order, 2, 2, "PXZhiJiaPingCang", false);
}

void PXTradeNetworkManger::SJPingCang(const JYDict& order, bool fastTrade) {
    xiaDanQianPanDuan(order, 1, 2, "PXShiJiaPingCang", fastTrade);
}

void PXTradeNetworkManger::xiaDanQianPanDuan(const JYDict& order, int shiJiaZhiJia,
                                             int JianCangPingCang, const std::string& requestType,
                                             bool fastTrade) {
    m_postDic = order;
    m_requestType = requestType;
    m_sessionEpoch = m_module.PXJYData().sessions().epoch();
    const int code = m_module.PXJYPeiZhi().PXXiaDanQuanXian(order, shiJiaZhiJia, JianCangPingCang);
    if (code != 0) {
        showAlert(PXTradePeiZhi::PXCuoWuXinXi(code).value_or(std::string()), 0, false);
        return;
    }
    if (m_module.defaultString(fastTrade ? "fastPrompt" : "prompt") == "1") {
        xiaDanQueRen(order, shiJiaZhiJia, JianCangPingCang);
        return;
    }
    XiaDan();
}

std::string PXTradeNetworkManger::confirmationText(const JYDict& order, int shiJiaZhiJia,
                                                   int JianCangPingCang) {
    const bool buy = Text::intValue(TradeText::textAt(order, "sign")) == 1;
    const std::string name = TradeText::textAt(order, "commodityName");
    const std::string price = TradeText::textAt(order, "price");
    const std::string number = TradeText::textAt(order, "number");
    if (JianCangPingCang == 1) {
        return "   商品:" + name + "\n   商品价格:" + price + "\n   商品数量:" + number +
               "\n   方式:" + (buy ? "摘牌购入" : "摘牌售出");
    }
    const std::string way = buy ? "转让购入" : "转让售出";
    if (shiJiaZhiJia == 2) {
        return "   商品:" + name + "\n   商品数量:" + number +
               "\n   止损价:" + TradeText::textAt(order, "stoploss") +
               "\n   止盈价:" + TradeText::textAt(order, "stopprofit") + "\n   方式:" + way;
    }
    std::string text = "   商品:" + name + "\n   商品价格:" + price + "\n   商品数量:" + number +
                       "\n   方式:" + way;
    if (TradeText::has(order, "fanShouJianCangNum")) {
        text += "\n    反向摘牌:" + TradeText::textAt(order, "fanShouJianCangNum") + "手";
    }
    return text;
}

void PXTradeNetworkManger::xiaDanQueRen(const JYDict& order, int shiJiaZhiJia,
                                        int JianCangPingCang) {
    showAlert(confirmationText(order, shiJiaZhiJia, JianCangPingCang), kConfirmTag, true);
}

void PXTradeNetworkManger::XiaDan() {
    const JYDict order = m_postDic;
    m_postDic = JYDict::object();
    // An order asked for under a session that has ended since goes nowhere.
    if (ofEndedSession()) {
        return;
    }
    void (PXTradeNetworkManger::*send)(const JYDict&) = nullptr;
    if (m_requestType == "PXShiJiaJianCang") {
        send = &PXTradeNetworkManger::SJJianCangNetwork;
    } else if (m_requestType == "PXZhiJiaJianCang") {
        send = &PXTradeNetworkManger::ZJJianCangNetwork;
    } else if (m_requestType == "PXZhiJiaPingCang") {
        send = &PXTradeNetworkManger::ZJPingCangNetwork;
    } else if (m_requestType == "PXShiJiaPingCang") {
        send = &PXTradeNetworkManger::SJPingCangNetwork;
    }
    if (!send) {
        return;
    }
    // Told first, so a reply can never reach the screen before it knows the order is out.
    if (m_delegate) {
        m_delegate->orderSent(this);
    }
    (this->*send)(order);
}

void PXTradeNetworkManger::showAlert(const std::string& message, int tag, bool withButtons) {
    PXTradeAlert alert;
    alert.title = "提示";
    alert.message = message;
    alert.tag = tag;
    if (!withButtons) {
        alert.buttons = {"确定"};
        m_module.host().showAlert(alert, nullptr);
        return;
    }
    m_alertTag = tag;
    // The re-login dialog comes after the lost session's end: a newer logon takes it away,
    // unless it tells a refused request's failure.
    alert.endsWithSession = tag == kConfirmTag || tag == kSessionLostTag;
    alert.buttons = tag == kSessionLostTag ? std::vector<std::string>{"重新登录", "取消"}
                                           : std::vector<std::string>{"确定", "取消"};
    // The dialog holds this manager until it is answered.
    auto self = shared_from_this();
    m_module.host().showAlert(alert, [self, tag](int index) {
        self->m_alertTag = tag;
        if (tag == kSessionLostTag) {
            self->m_module.PXJYData().sessions().clearLossTold();
        }
        if (index == 0) {
            self->doneButtonClick();
        } else {
            self->cancelButtonClick();
        }
    });
}

void PXTradeNetworkManger::doneButtonClick() {
    if (m_alertTag == kConfirmTag) {
        XiaDan();
        return;
    }
    if (m_alertTag != kSessionLostTag) {
        return;
    }
    PXTradeHost& host = m_module.host();
    // From another tab too: a screen left waiting on the trade tab was the lost session's, and
    // the login comes up at the tab's root.
    if (!host.hasSelectedTradeTab()) {
        host.selectTradeTab();
    }
    host.popSelectedTabToRoot(true);
}

void PXTradeNetworkManger::cancelButtonClick() {
    if (m_alertTag != kSessionLostTag) {
        return;
    }
    PXTradeHost& host = m_module.host();
    if (host.hasSelectedTradeTab()) {
        host.popSelectedTabToRoot(false);
        host.selectHangQingTab();
    }
}

void PXTradeNetworkManger::fenPeiDengLuShuJu(const JYDict& login) {
    m_module.PXJYData().nextSessionEpoch();
    PXTradeSession& session = *m_module.PXJYData().tradeSession();
    session.JYsessionID = TradeText::textAt(login, "session");
    const auto key = login.find("key_data");
    session.encryptKey_data = key != login.end() && key->is_binary()
                                  ? std::vector<uint8_t>(key->get_binary())
                                  : std::vector<uint8_t>();
    session.encryptSign = std::to_string(Text::intValue(TradeText::textAt(login, "IS_ENCRYPT")));
    session.srvToken = TradeText::textAt(login, "SRV_KEY");
    session.userID = m_logonAccount;

    const std::string source = TradeText::textAt(login, "LAST_MODULE") == "M" ? "手机端" : "PC端";
    const int64_t lastSeconds = Text::longLongValue(TradeText::textAt(login, "LAST_TIME")) / 1000;
    m_module.PXJYPeiZhi().setLoginInfo("最后一次登录来源:" + source +
                                       "  上次登录IP:" + TradeText::textAt(login, "LAST_IP") +
                                       "  上次登录时间:" + TradeText::localTimeText(lastSeconds));
}

void PXTradeNetworkManger::shenFenShiXiao(const std::string& message) {
    if (!m_module.tradeLogin()) {
        return;
    }
    PXTradeData& store = m_module.PXJYData();
    const uint64_t lost = store.sessions().epoch();
    store.clearAllTradeData();
    showAlert(message, kSessionLostTag, true);
    store.sessions().setLossTold(lost);
    m_reLoginShown = true;
}

void PXTradeNetworkManger::leaveTellingToReLogin() {
    m_module.host().keepPastSession(kSessionLostTag);
}

bool PXTradeNetworkManger::lossToldOfItsSession() const {
    return m_sessionEpoch && m_module.PXJYData().sessions().lossToldOf(*m_sessionEpoch);
}

void PXTradeNetworkManger::takeOverSession() {
    PXTradePeiZhi& peiZhi = m_module.PXJYPeiZhi();
    // The timers' beats would ask under the new session from the old account's report, that of
    // a session whose logoff is still on its way included; the chain's own beat starts the new
    // session's.
    PXTradeTimerManger& timers = m_module.PXJYTimerManger();
    m_replaced = ReplacedLogin{peiZhi.target(), std::nullopt, timers.heartTimer() != nullptr};
    timers.stopJYHeartTimer();
    // A session this logon ended (one of its own account) is not there to go back to.
    if (m_module.tradeLogin()) {
        m_replaced->account = m_module.PXJYData().snapshot();
    }
    if (m_target) {
        peiZhi.setTarget(*m_target);
    }
}

// Half a login is no login: the account logged in before stays in force, whole, where the
// exchange still holds its session (the exchange's word, heard during the login, that it was lost
// leaves nothing to go back to); otherwise the user is logged out.
void PXTradeNetworkManger::putBackReplacedLogin() {
    if (!m_dengLuCaoZuo || !m_replaced || ofEndedSession()) {
        return;
    }
    PXTradeData& store = m_module.PXJYData();
    const auto& kept = m_replaced->account;
    const bool lost = kept && store.sessions().lostAtExchange(kept->sessionEpoch);
    // Back on the replaced session's server before anything is asked under it again.
    m_module.PXJYPeiZhi().setTarget(m_replaced->target);
    if (kept && m_module.tradeLogin() && !lost) {
        store.restore(*kept);
        PXTradeTimerManger& timers = m_module.PXJYTimerManger();
        if (m_replaced->beating) {
            timers.setJYHeartTimer();
        }
        // Its answers on their way when the logon replaced it are dropped (of an ended session,
        // or numbered below the failed login's queries): what they would have told is asked again.
        timers.requeryHoldings();
    } else {
        store.clearAllTradeData();
    }
    m_replaced.reset();
}

void PXTradeNetworkManger::requestFailed(PXTradeNetwork* network) {
    m_reLoginShown = false;
    if (goOnPastLoginBeat()) {
        return;
    }
    putBackReplacedLogin();
    settleEnding(!neverLeft(network->errorCode()));
    if (m_delegate) {
        m_delegate->requestFailed(this, network->errorCode());
    }
}

void PXTradeNetworkManger::requestFinished(PXTradeNetwork* network) {
    m_reLoginShown = false;
    dispatch(network->data());
}

void PXTradeNetworkManger::dispatch(const std::string& body) {
    if (m_typeNW == kLogoffTag) {
        // The user asked to leave: any answer logs out here, a refusal included. A logoff
        // answered after a newer logon (account switch, login after an idle logout) ended only
        // the old session: the new login keeps its data and session.
        settleEnding(true);
        if (auto refusal = logoffRefusal(body)) {
            m_errorMessage = refusal->message;
            if (m_delegate) {
                m_delegate->dataAnalysisFailed(this, refusal->code);
            }
            return;
        }
        tellFinished(nullptr);
        return;
    }
    PXTradeDataAnalysis parser(m_module);
    parser.setDelegate(this);
    if (m_typeNW == kLogonTag) {
        parser.analysisCPYLoginJY(body, m_md5KeyForLogin);
        return;
    }
    for (const ParserEntry& entry : kParsers) {
        if (m_typeNW == entry.tag) {
            (parser.*entry.parse)(body);
            return;
        }
    }
}

void PXTradeNetworkManger::tellFinished(const PXTradeResult* data) {
    if (m_delegate) {
        m_delegate->dataAnalysisFinished(this, data);
    }
}

void PXTradeNetworkManger::dataAnalysisFinished(PXTradeDataAnalysis* parser) {
    accept(parser->JY_analysisedData());
}

void PXTradeNetworkManger::accept(const std::optional<PXTradeResult>& result) {
    PXTradeData& store = m_module.PXJYData();
    const std::string tag = m_typeNW;
    if (ofEndedSession()) {
        endedSessionReply(result);
        return;
    }
    if (tag == kLogonTag) {
        takeOverSession();
        if (const JYDict* login = elementAs<JYDict>(result, 0)) {
            fenPeiDengLuShuJu(*login);
        }
        settleEnding(false);
        getCommodityInfo("");
        return;
    }
    if (tag == "PXcommodityInfoType") {
        if (const auto* commodities = elementAs<PXTradeCommodityMap>(result, 0)) {
            store.setShangPinXinXi(*commodities);
        }
        if (m_dengLuCaoZuo) {
            getOtherFirmQueryInfo();
            return;
        }
        tellFinished(nullptr);
        return;
    }
    if (tag == "PXgetOtherID") {
        if (const auto* firm = elementAs<std::string>(result, 0)) {
            store.setFirmID(*firm);
        }
        if (m_dengLuCaoZuo) {
            // The session's first heartbeat goes before the holdings are read: a deal booked
            // elsewhere after that read is then beyond the day's count it answers.
            sendHeartbeat(true);
            return;
        }
        tellFinished(nullptr);
        return;
    }
    if (tag == "PXChengJiaoHuiBao" && m_dengLuCaoZuo) {
        // Kept until the login is whole: a login that fails later leaves the heartbeat of the
        // account in force untouched.
        const JYDict* report = elementAs<JYDict>(result, 0);
        m_loginBeat = report ? *report : JYDict();
        getJYChiCangHuiZong("");
        return;
    }
    if (tag == "PXchiCangHuiZong") {
        PXTradeSummaryList summaries;
        for (size_t i = 0; result && i < result->size(); ++i) {
            if (const auto* summary = elementAs<std::shared_ptr<PXJYChiCangHuiZong>>(result, i)) {
                summaries.push_back(*summary);
            }
        }
        if (store.takesAnswer(m_queryKind, m_queryNumber)) {
            store.setChiCangHuiZongXinXi(std::move(summaries));
        }
        if (m_dengLuCaoZuo) {
            getJYChiCangMingXi("");
            return;
        }
        tellFinished(nullptr);
        return;
    }
    if (tag == "PXchiCangMingXi") {
        const auto* tickets = elementAs<PXTradeTicketMap>(result, 0);
        std::optional<PXTradeResult> stored;
        if (tickets && !store.takeTickets(m_ticketCommodity, m_queryNumber, *tickets)) {
            // A later answer is stored: whoever asked is told the tickets held now, not these.
            stored = PXTradeResult{PXTradeElement{store.ticketsOf(m_ticketCommodity)}};
        }
        if (m_dengLuCaoZuo) {
            getAccountInformation();
            return;
        }
        const std::optional<PXTradeResult>& told = stored ? stored : result;
        tellFinished(told ? &*told : nullptr);
        return;
    }
    if (tag == "PXAccountInformation") {
        const JYDict* account = elementAs<JYDict>(result, 0);
        if (account && store.takesAnswer(m_queryKind, m_queryNumber)) {
            store.setZhangHuXinXi(*account);
        }
        if (m_dengLuCaoZuo) {
            m_dengLuCaoZuo = false;
            m_replaced.reset();
            m_module.setTradeLogin(true);
            PXTradeTimerManger& timers = m_module.PXJYTimerManger();
            if (auto beat = std::exchange(m_loginBeat, std::nullopt)) {
                timers.loginBeatAnswered(std::move(*beat));
            } else {
                timers.loginBeatUnanswered();
            }
        }
        tellFinished(nullptr);
        return;
    }
    if (tag == "PXShouJiYanZheng") {
        if (const auto* token = elementAs<std::string>(result, 0)) {
            m_module.host().saveTokenB(*token);
        }
    }
    tellFinished(hasDataForDelegate(tag) && result ? &*result : nullptr);
}

// The chain's heartbeat only fixes the day's deal count the timers' beats ask from: refused,
// spoiled or never answered, the login goes on, and the timers' first beat fixes it instead.
bool PXTradeNetworkManger::goOnPastLoginBeat() {
    if (!m_dengLuCaoZuo || m_typeNW != "PXChengJiaoHuiBao" || ofEndedSession()) {
        return false;
    }
    m_loginBeat.reset();
    getJYChiCangHuiZong("");
    return true;
}

// Nothing of the reply is kept or chained; the screen that asked still hears it, so that its
// gate and busy overlay go. A login chain cut short so fails, as the session it was making is gone.
void PXTradeNetworkManger::endedSessionReply(const std::optional<PXTradeResult>& result) {
    if (!m_dengLuCaoZuo) {
        tellFinished(hasDataForDelegate(m_typeNW) && result ? &*result : nullptr);
        return;
    }
    m_errorMessage = kSessionLostMessage;
    if (m_delegate) {
        m_delegate->dataAnalysisFailed(this, kSessionLostCode);
    }
}

void PXTradeNetworkManger::dataAnalysisFailed(const std::string& errorText,
                                              PXTradeDataAnalysis* parser) {
    const int code = Text::intValue(errorText);
    // Refused with a code, the logon was not taken; an answer that cannot be read may have been.
    if (m_typeNW == kLogonTag) {
        settleEnding(code == 0);
    }
    // A lost session is no bookkeeping matter: the chain stops on it as on any other step.
    if (code != kSessionLostCode && code != kIdleSessionCode && goOnPastLoginBeat()) {
        return;
    }
    putBackReplacedLogin();
    m_errorMessage = parser->JY_ErrorMessage();
    if (code == kSessionLostCode || code == kIdleSessionCode) {
        m_errorMessage = code == kSessionLostCode ? kSessionLostMessage
                                                  : "长时间未操作登录状态已失效,请重新登录!";
        // A late answer for a session that has ended ends nothing of a newer one; the dialog
        // may already tell its session's loss. A request outside any session (the logon) says
        // nothing of the one in force.
        if (m_sessionEpoch && !ofEndedSession()) {
            shenFenShiXiao(m_errorMessage);
        } else if (m_sessionEpoch) {
            m_module.PXJYData().sessions().setLostAtExchange(*m_sessionEpoch);
            m_reLoginShown = lossToldOfItsSession();
        }
    }
    if (m_delegate) {
        m_delegate->dataAnalysisFailed(this, code);
    }
}
