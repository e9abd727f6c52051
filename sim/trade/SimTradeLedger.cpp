#include "sim/trade/SimTradeLedger.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

#include "platform/pace/PacedTime.h"
#include "sim/core/SimHttpLine.h"
#include "sim/trade/SimCaptchaImage.h"
#include "sim/trade/SimTradeOrders.h"
#include "sim/trade/SimTradeQueries.h"

namespace {
constexpr int64_t kDayMs = 86400000;
constexpr int64_t kHourMs = 3600000;
constexpr int kSeededNotices = 25;
constexpr int kExpiredNotices = 3;
const std::set<std::string> kReports = {"report_customercloseposition_query",
                                        "report_customerorders_query", "report_customerhold_query",
                                        "report_customerfundsflow_query",
                                        "report_customerfundsstat_query"};

std::string hexOf(SimRandom& random, size_t digits) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    while (out.size() < digits) {
        out += kHex[random.next() % 16];
    }
    return out;
}

void putLittle(SimBytes& out, uint64_t value, int width) {
    for (int i = 0; i < width; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

void putText(SimBytes& out, const std::string& text) {
    putLittle(out, text.size(), 2);
    out.insert(out.end(), text.begin(), text.end());
}

SimBytes captchaFrame(int64_t code, const std::string& message, const SimBytes& image,
                      const std::string& uuid) {
    SimBytes out;
    putLittle(out, 4, 2);
    putText(out, "1.0");
    putLittle(out, static_cast<uint64_t>(code), 8);
    putText(out, message);
    if (code == 0) {
        putLittle(out, image.size(), 4);
        out.insert(out.end(), image.begin(), image.end());
        putText(out, uuid);
    }
    return out;
}

// A transfer amount: positive whole cents up to ten thousand million.
std::optional<SimCents> transferAmount(const std::string& text) {
    auto cents = simCents(text);
    if (!cents || *cents <= 0 || *cents > 1000000000000) {
        return std::nullopt;
    }
    return cents;
}
}  // namespace

SimTradeLedger::SimTradeLedger(const SimTradeEnvironment& env, SimMarket& market, uint64_t seed)
    : m_env(env), m_random(seed * 7919 + std::hash<std::string>{}(env.jysCode + env.envCode)) {
    m_state.env = &m_env;
    m_state.market = &market;
    seedState(seed);
}

void SimTradeLedger::seedState(uint64_t) {
    const SimCatalogue& catalogue = m_state.market->catalogue();
    const SimDisk* panel =
        catalogue.disk(m_env.quoteServer, m_env.quoteMarket(), m_env.quotePanel());
    for (int16_t id : panel ? panel->commodityIds : std::vector<int16_t>{}) {
        const SimCommodity& def = *catalogue.commodity(m_env.quoteServer, id);
        SimTradeCommodity item;
        item.def = &def;
        item.unit = def.decimals == 0 ? 10 : 1;
        m_state.commodities.push_back(item);
    }
    for (const auto& account : m_env.accounts) {
        seedAccount(account);
    }
    seedNotices();
    // The books were last changed when they opened: a client reads a time of 0 as none seen yet,
    // and would miss the first listing of a side.
    m_state.buyListingTime = m_state.now();
    m_state.sellListingTime = m_state.now();
}

void SimTradeLedger::addAccount(const SimTradeAccountSeed& seed) {
    SimTradeAccount& account = m_state.accounts[seed.id];
    account.seed = seed;
    account.password = seed.password;
    account.fundPassword = seed.fundPassword;
    account.phonePassword = kPhonePassword;
    for (const auto& bank : SimTradeCatalogue::banks()) {
        account.bankFunds[bank.id] = seed.bankFundsCents;
    }
}

void SimTradeLedger::seedAccount(const SimTradeAccountSeed& seed) {
    addAccount(seed);
    m_state.addFlow(seed.id, "入金", seed.balanceCents, "IO", m_state.now() - 3 * kDayMs);
    m_state.addTransfer({m_state.number(), seed.id, SimTradeCatalogue::banks().front().id, true,
                         seed.balanceCents, m_state.now() - 3 * kDayMs});
    if (seed.id == m_env.accounts.front().id) {
        SimTradeOrders orders(m_state);
        for (const auto& item : m_state.commodities) {
            if (!item.orderBook()) {
                orders.seedHolding(seed.id, item.code(), 1, 2);
                break;
            }
        }
    }
}

void SimTradeLedger::seedNotices() {
    for (int i = 1; i <= kSeededNotices; ++i) {
        SimTradeNotice notice;
        notice.id = i;
        notice.type = i % 2 == 0 ? "2" : "1";
        notice.sendTime = m_state.now() - (kSeededNotices - i + 1) * 6 * kHourMs;
        const bool expired = i <= kExpiredNotices;
        notice.expiryTime = expired ? m_state.now() - kHourMs : notice.sendTime + 30 * kDayMs;
        notice.title = "交易所公告第" + std::to_string(i) + "号";
        notice.content = "<html><body><h3>" + notice.title + "</h3><p>各位会员：第" +
                         std::to_string(i) + "号通知内容。</p></body></html>";
        m_state.notices.push_back(notice);
    }
}

const std::map<std::string, SimTradeLedger::Route>& SimTradeLedger::routes() {
    using L = SimTradeLink;
    using A = const std::string&;
    using R = const SimJson&;
    using Q = SimTradeQueries;
    using O = SimTradeOrders;
    using S = SimTradeLedger;
    constexpr Reach kBook = Reach::Exchange;
    static const std::map<std::string, Route> table = {
        {"commodity_query", {L::Trade, [](S& s, A, R r) { return Q(s.m_state).commodities(r); }}},
        {"other_firm_query", {L::Trade, [](S& s, A a, R) { return Q(s.m_state).otherFirm(a); }}},
        {"firm_info", {L::Trade, [](S& s, A a, R) { return Q(s.m_state).firmInfo(a); }}},
        {"logoff", {L::Trade, [](S& s, A a, R) { return s.logoff(a); }}},
        {"holding_query", {L::Trade, [](S& s, A a, R r) { return Q(s.m_state).holdings(a, r); }}},
        {"holding_detail_query",
         {L::Trade, [](S& s, A a, R r) { return Q(s.m_state).holdingDetails(a, r); }}},
        {"order_s", {L::Trade, [](S& s, A a, R r) { return O(s.m_state).marketOrder(a, r); }}},
        {"order_x", {L::Trade, [](S& s, A a, R r) { return O(s.m_state).conditionalOrder(a, r); }}},
        {"set_loss_profit",
         {L::Trade, [](S& s, A a, R r) { return O(s.m_state).setLossProfit(a, r); }}},
        {"withdraw_loss_profit",
         {L::Trade, [](S& s, A a, R r) { return O(s.m_state).withdrawLossProfit(a, r); }}},
        {"my_order_query", {L::Trade, [](S& s, A a, R r) { return Q(s.m_state).orders(a, r); }}},
        {"tradequery", {L::Trade, [](S& s, A a, R r) { return Q(s.m_state).deals(a, r); }}},
        {"order_wd", {L::Trade, [](S& s, A a, R r) { return O(s.m_state).cancel(a, r, false); }}},
        {"order_list_wd",
         {L::Trade, [](S& s, A a, R r) { return O(s.m_state).cancel(a, r, true); }, kBook}},
        {"faes_sellingbuying_query",
         {L::Trade, [](S& s, A, R r) { return Q(s.m_state).listings(r); }, kBook}},
        {"order_mp", {L::Trade, [](S& s, A a, R r) { return O(s.m_state).delist(a, r); }, kBook}},
        {"order_list", {L::Trade, [](S& s, A a, R r) { return O(s.m_state).list(a, r); }, kBook}},
        {"change_password", {L::Trade, [](S& s, A a, R r) { return s.changePassword(a, r); }}},
        {"notice_list_query", {L::Notice, [](S& s, A, R r) { return Q(s.m_state).notices(r); }}},
        {"notice_content_query",
         {L::Notice, [](S& s, A, R r) { return Q(s.m_state).noticeContent(r); }}},
        {"money_marketfundsinfo_query",
         {L::Funds, [](S& s, A a, R) { return Q(s.m_state).marketFunds(a); }}},
        {"money_userinfo_query", {L::Funds, [](S& s, A a, R) { return Q(s.m_state).banks(a); }}},
        {"money_transfer", {L::Funds, [](S& s, A a, R r) { return s.transfer(a, r); }}},
        {"money_iom_query",
         {L::Funds, [](S& s, A a, R r) { return Q(s.m_state).transfers(a, r); }}},
        {"money_bankfunds", {L::Funds, [](S& s, A a, R r) { return s.bankBalance(a, r); }}},
        {"money_modpwd", {L::Funds, [](S& s, A a, R r) { return s.fundPassword(a, r); }}},
    };
    return table;
}

SimJson SimTradeLedger::handle(SimTradeLink link, const std::string& name, const SimJson& request) {
    sweepReached();
    if (name == "logon") {
        if (link != SimTradeLink::Trade) {
            return simReply(kSimUnknownRequest, "请求线路错误");
        }
        std::unique_lock lock(m_lock);
        return logon(request);
    }
    Route route = {SimTradeLink::Notice, {}};
    if (name.rfind("report_customer", 0) == 0) {
        if (!kReports.count(name)) {
            return simReply(kSimUnknownRequest, "未知请求");
        }
        route.handler = [name](SimTradeLedger& s, const std::string& a, const SimJson& r) {
            return SimTradeQueries(s.m_state).report(name, a, r);
        };
    } else if (auto found = routes().find(name); found != routes().end()) {
        route = found->second;
    } else {
        return simReply(kSimUnknownRequest, "未知请求");
    }
    if (route.link != link) {
        return simReply(kSimUnknownRequest, "请求线路错误");
    }
    auto account = sessionAccount(simText(request, "USER_ID"), simText(request, "SESSION_ID"));
    if (auto* code = std::get_if<int>(&account)) {
        return sessionEnded(*code);
    }
    const std::string& user = std::get<std::string>(account);
    SimJson reply = serve(user, route.reach, [&] { return route.handler(*this, user, request); });
    sweepReached();
    return reply;
}

SimJson SimTradeLedger::serve(const std::string& account, Reach reach,
                              const std::function<SimJson()>& work) {
    if (reach == Reach::Exchange) {
        std::unique_lock lock(m_lock);
        return work();
    }
    std::shared_lock shared(m_lock);
    std::lock_guard own(m_state.accounts.at(account).lock);
    return work();
}

void SimTradeLedger::sweepReached() {
    {
        std::shared_lock shared(m_lock);
        if (!m_state.dayEnded() && m_state.reached().empty()) {
            return;
        }
    }
    std::unique_lock lock(m_lock);
    SimTradeOrders(m_state).sweep();
}

SimJson SimTradeLedger::sessionEnded(int code) {
    return simReply(code, code == kSimSessionIdle ? "长时间未操作,会话已失效" : "会话已失效");
}

std::variant<std::string, int> SimTradeLedger::sessionAccount(const std::string& user,
                                                              const std::string& session) {
    std::lock_guard lock(m_sessionLock);
    auto found = m_sessions.find(session);
    if (found == m_sessions.end() && !session.empty()) {
        // A session it never gave (or forgot in a restart) has ended for the client from now on.
        found = m_sessions.emplace(session, Session{user, 0, kSimSessionInvalid, {}}).first;
    }
    if (found == m_sessions.end() || found->second.account != user) {
        return static_cast<int>(kSimSessionInvalid);
    }
    Session& current = found->second;
    if (current.endCode == 0 && m_state.now() - current.lastSeen > m_idleLimitMs) {
        current.endCode = kSimSessionIdle;
    }
    // A refusal tells only a client still waiting for it: one that gave up never reads it.
    if (current.endCode != 0 && !current.told && SimHttpLine::clientStillWaiting()) {
        current.told = PacedTime::runningSeconds();
    }
    if (current.endCode != 0) {
        return current.endCode;
    }
    current.lastSeen = m_state.now();
    return current.account;
}

bool SimTradeLedger::endSession(const std::string& account) {
    auto live = m_liveSessions.find(account);
    if (live == m_liveSessions.end()) {
        return false;
    }
    Session& session = m_sessions.at(live->second);
    m_liveSessions.erase(live);
    if (session.endCode != 0) {
        return false;
    }
    session.endCode = kSimSessionInvalid;
    return true;
}

std::string SimTradeLedger::checkLogon(const SimTradeAccount& account, const SimJson& request) {
    const std::string user = simText(request, "USER_ID");
    const std::string time = simText(request, "LOGONTIME");
    if (time.empty() || time.find_first_not_of("0123456789") != std::string::npos) {
        return "登录时间无效";
    }
    auto token = SimTradeCrypto::unbase64(simText(request, "CLT_TOKEN"));
    if (!token || token->empty() || token->size() % 16 != 0) {
        return "账号或密码错误";
    }
    auto plain = SimTradeCrypto::aesDecrypt(SimTradeCrypto::md5(user + account.password), *token);
    if (!plain || std::string(plain->begin(), plain->end()) != user + "|" + time) {
        return "账号或密码错误";
    }
    if (account.logonTimes.count(time)) {
        return "登录请求已失效,请重新登录";
    }
    return {};
}

SimJson SimTradeLedger::logon(const SimJson& request) {
    if (m_env.captcha) {
        auto captcha = m_captchas.find(simText(request, "VALID_UUID"));
        const bool matches =
            captcha != m_captchas.end() && captcha->second == simText(request, "VALID_CODE");
        if (captcha != m_captchas.end()) {
            m_captchas.erase(captcha);
        }
        if (!matches) {
            return simReply(kSimRefused, "验证码错误");
        }
    }
    const std::string user = simText(request, "USER_ID");
    auto found = m_state.accounts.find(user);
    if (found == m_state.accounts.end()) {
        return simReply(kSimBadPassword, "账号或密码错误");
    }
    SimTradeAccount& account = found->second;
    if (auto error = checkLogon(account, request); !error.empty()) {
        return simReply(kSimBadPassword, error);
    }
    account.logonTimes.insert(simText(request, "LOGONTIME"));
    SimBytes key;
    const std::string session = newSession(user, key);
    SimBytes plain;
    // Sized up front: growing inserts make GCC 12 warn of an out-of-bounds copy in Release.
    plain.reserve(2 + key.size() + 2 + session.size());
    putLittle(plain, key.size(), 2);
    plain.insert(plain.end(), key.begin(), key.end());
    putText(plain, session);
    SimJson rep = simReply(0, "登录成功");
    rep["LAST_TIME"] = std::to_string(account.lastLogon);
    rep["LAST_IP"] = "127.0.0.1";
    rep["LAST_MODULE"] = "M";
    rep["SRV_KEY"] = hexOf(m_random, 32);
    rep["IS_ENCRYPT"] = "0";
    rep["CLT_KEY"] = SimTradeCrypto::base64(
        SimTradeCrypto::aesEncrypt(SimTradeCrypto::md5(user + account.password), plain));
    account.lastLogon = m_state.now();
    return rep;
}

std::string SimTradeLedger::newSession(const std::string& account, SimBytes& key) {
    for (int i = 0; i < 16; ++i) {
        key.push_back(static_cast<uint8_t>(m_random.next()));
    }
    const std::string id = "S" + hexOf(m_random, 23);
    std::lock_guard lock(m_sessionLock);
    endSession(account);
    m_sessions[id] = {account, m_state.now(), 0, {}};
    m_liveSessions[account] = id;
    return id;
}

SimJson SimTradeLedger::heartbeat(const SimJson& request) {
    sweepReached();
    auto account = sessionAccount(simText(request, "uid"), simText(request, "sessionid"));
    if (auto* code = std::get_if<int>(&account)) {
        return {{"ret", *code}, {"msg", "会话已失效"}};
    }
    const std::string& user = std::get<std::string>(account);
    return serve(user, Reach::Account, [&] { return beat(user, request); });
}

SimJson SimTradeLedger::beat(const std::string& user, const SimJson& request) {
    const int64_t today = m_state.today();
    const bool first = simText(request, "curlogon") == "1";
    const int64_t lastSeen = simInteger(simText(request, "lastid")).value_or(0);
    const SimTradeDay booked = m_state.bookedToday(user);
    // Deal numbers grow in booking order: the unseen deals are the newest.
    std::vector<const SimTradeDeal*> unseen;
    const auto& deals = m_state.accounts.at(user).deals;
    for (auto at = deals.rbegin(); !first && at != deals.rend(); ++at) {
        const SimTradeDeal& deal = *at;
        if (deal.no <= lastSeen) {
            break;
        }
        if (deal.time >= today) {
            unseen.push_back(&deal);
        }
    }
    SimJson fresh = SimJson::array();
    for (auto deal = unseen.rbegin(); deal != unseen.rend(); ++deal) {
        fresh.push_back({{"ONO", std::to_string((*deal)->orderNo)},
                         {"CMOID", (*deal)->commodity},
                         {"QT", std::to_string((*deal)->qty)},
                         {"TYP", std::to_string((*deal)->settle)},
                         {"BS", std::to_string((*deal)->side)},
                         {"TTYP", std::to_string((*deal)->kind)}});
    }
    int64_t latestNotice = 0;
    for (const auto& notice : m_state.notices) {
        latestNotice = std::max(latestNotice, notice.id);
    }
    SimJson reply = {{"ret", 0},
                     {"msg", ""},
                     {"CTM", std::to_string(m_state.now())},
                     {"LID", std::to_string(latestNotice)},
                     {"NT", fresh.empty() ? "0" : "1"},
                     {"TTC", std::to_string(booked.deals)},
                     {"TD", std::to_string(booked.deals)}};
    if (!fresh.empty()) {
        reply["data"] = fresh;
    }
    reply["STA"] = "1";
    reply["TLID"] = std::to_string(booked.lastDeal);
    reply["BUPT"] = std::to_string(m_state.buyListingTime);
    reply["UPT"] = std::to_string(m_state.sellListingTime);
    reply["CMOUPT"] = std::to_string(m_state.commodityTime);
    return reply;
}

SimBytes SimTradeLedger::captcha(const SimBytes& request) {
    const SimBytes expected = {4, 0, 3, 0, '1', '.', '0'};
    if (request != expected) {
        return captchaFrame(kSimBadRequest, "验证码请求格式错误", {}, {});
    }
    std::unique_lock lock(m_lock);
    std::string code;
    for (int i = 0; i < 4; ++i) {
        code += static_cast<char>('0' + m_random.next() % 10);
    }
    const std::string uuid = hexOf(m_random, 32);
    m_captchas[uuid] = code;
    return captchaFrame(0, "", SimCaptchaImage::png(code, m_random.next()), uuid);
}

SimJson SimTradeLedger::logoff(const std::string& account) {
    std::lock_guard lock(m_sessionLock);
    auto live = m_liveSessions.find(account);
    // A client that gave up waiting never reads that its session is over.
    if (live != m_liveSessions.end() && SimHttpLine::clientStillWaiting()) {
        m_sessions.at(live->second).told = PacedTime::runningSeconds();
    }
    endSession(account);
    return simReply(0, "已退出");
}

void SimTradeLedger::judgeSession(const std::string& name, const std::string& session,
                                  double arrived, int64_t crossingMs) {
    if (name == "logon") {
        return;
    }
    std::lock_guard lock(m_sessionLock);
    if (!session.empty()) {
        auto found = m_sessions.find(session);
        // The crossing is the way's and the client's own latency.
        if (found == m_sessions.end() || !found->second.told ||
            arrived - std::max(*found->second.told, m_clientResumed) <=
                static_cast<double>(crossingMs) / 1000) {
            return;
        }
    }
    ++m_endedSessionRequests;
    m_latestEndedSessionRequests.push_back(name);
    if (m_latestEndedSessionRequests.size() > kLatestKept) {
        m_latestEndedSessionRequests.pop_front();
    }
}

void SimTradeLedger::clientResumed() {
    std::lock_guard lock(m_sessionLock);
    m_clientResumed = PacedTime::runningSeconds();
}

int SimTradeLedger::endedSessionRequests() {
    std::lock_guard lock(m_sessionLock);
    return m_endedSessionRequests;
}

std::vector<std::string> SimTradeLedger::latestEndedSessionRequests() {
    std::lock_guard lock(m_sessionLock);
    return {m_latestEndedSessionRequests.begin(), m_latestEndedSessionRequests.end()};
}

SimJson SimTradeLedger::changePassword(const std::string& account, const SimJson& request) {
    SimTradeAccount& owner = m_state.accounts.at(account);
    const std::string type = simText(request, "PWD_TYPE");
    if (type != "0" && type != "1") {
        return simReply(kSimBadRequest, "密码类型错误");
    }
    std::string& stored = type == "0" ? owner.password : owner.phonePassword;
    if (simText(request, "OLD_PASSWORD") != stored) {
        return simReply(kSimBadPassword, "原密码错误");
    }
    const std::string fresh = simText(request, "NEW_PASSWORD");
    if (fresh.size() < 6) {
        return simReply(kSimRefused, "新密码至少6位");
    }
    stored = fresh;
    return simReply(0, "修改成功");
}

SimJson SimTradeLedger::transfer(const std::string& account, const SimJson& request) {
    SimTradeAccount& owner = m_state.accounts.at(account);
    const std::string bankId = simText(request, "BANK_ID");
    auto bank = owner.bankFunds.find(bankId);
    if (bank == owner.bankFunds.end()) {
        return simReply(kSimNotFound, "银行未签约");
    }
    const std::string type = simText(request, "TYPE");
    const auto parsed = transferAmount(simText(request, "AMOUNT"));
    if ((type != "I" && type != "O") || !parsed) {
        return simReply(kSimBadRequest, "转账金额或类型错误");
    }
    const SimCents amount = *parsed;
    if (simText(request, "PWD") != owner.fundPassword) {
        return simReply(kSimBadPassword, "资金密码错误");
    }
    const bool deposit = type == "I";
    if (deposit ? bank->second < amount : m_state.available(account) < amount) {
        return simReply(kSimNoFunds, deposit ? "银行余额不足" : "可出金额不足");
    }
    bank->second += deposit ? -amount : amount;
    m_state.addFlow(account, deposit ? "入金" : "出金", deposit ? amount : -amount, "IO");
    m_state.addTransfer({m_state.number(), account, bankId, deposit, amount, m_state.now()});
    return simReply(0, deposit ? "入金成功" : "出金成功");
}

SimJson SimTradeLedger::bankBalance(const std::string& account, const SimJson& request) {
    SimTradeAccount& owner = m_state.accounts.at(account);
    auto bank = owner.bankFunds.find(simText(request, "BANK_ID"));
    if (bank == owner.bankFunds.end()) {
        return simReply(kSimNotFound, "银行未签约");
    }
    if (simText(request, "PWD") != owner.fundPassword) {
        return simReply(kSimBadPassword, "资金密码错误");
    }
    SimJson rep = simReply(0, "成功");
    rep["BANK_FUNDS"] = simMoney(bank->second);
    return rep;
}

SimJson SimTradeLedger::fundPassword(const std::string& account, const SimJson& request) {
    SimTradeAccount& owner = m_state.accounts.at(account);
    if (simText(request, "OPWD") != owner.fundPassword) {
        return simReply(kSimBadPassword, "原资金密码错误");
    }
    const std::string fresh = simText(request, "NPWD");
    if (fresh.size() < 6) {
        return simReply(kSimRefused, "新密码至少6位");
    }
    owner.fundPassword = fresh;
    return simReply(0, "修改成功");
}

bool SimTradeLedger::expireSessions(const std::string& account) {
    std::lock_guard lock(m_sessionLock);
    if (!account.empty()) {
        return endSession(account);
    }
    bool any = false;
    while (!m_liveSessions.empty()) {
        any = endSession(m_liveSessions.begin()->first) || any;
    }
    return any;
}

bool SimTradeLedger::logonElsewhere(const std::string& account) {
    std::unique_lock lock(m_lock);
    if (!m_state.accounts.count(account)) {
        return false;
    }
    SimBytes key;
    newSession(account, key);
    return true;
}

void SimTradeLedger::setIdleLimitMs(int64_t ms) {
    m_idleLimitMs = ms;
}

int64_t SimTradeLedger::publishNotice(const std::string& title, const std::string& html) {
    return publishNotice(title, html, m_state.now());
}

int64_t SimTradeLedger::publishNotice(const std::string& title, const std::string& html,
                                      int64_t sendTime) {
    std::unique_lock lock(m_lock);
    SimTradeNotice notice;
    for (const auto& item : m_state.notices) {
        notice.id = std::max(notice.id, item.id);
    }
    ++notice.id;
    notice.title = title;
    notice.content = html;
    notice.sendTime = sendTime;
    notice.expiryTime = sendTime + 30 * kDayMs;
    m_state.notices.push_back(notice);
    return notice.id;
}

SimJson SimTradeLedger::orderElsewhere(const std::string& account, const std::string& commodity,
                                       int side, int qty) {
    // Yesterday's orders must not hold funds or count against the maximum holding.
    sweepReached();
    {
        std::shared_lock shared(m_lock);
        if (!m_state.accounts.count(account)) {
            return simReply(kSimBadRequest, "unknown account");
        }
    }
    const SimJson order = {{"COMMODITY_ID", commodity},
                           {"BUY_SELL", std::to_string(side)},
                           {"QTY", std::to_string(qty)},
                           {"SETTLE_BASIS", "1"}};
    return serve(account, Reach::Account,
                 [&] { return SimTradeOrders(m_state).marketOrder(account, order); });
}

SimJson SimTradeLedger::requestElsewhere(const std::string& account, const std::string& name,
                                         const SimJson& request) {
    sweepReached();
    auto found = routes().find(name);
    {
        std::shared_lock shared(m_lock);
        if (!m_state.accounts.count(account) || found == routes().end()) {
            return simReply(kSimBadRequest, "unknown account or request");
        }
    }
    SimJson reply = serve(account, found->second.reach,
                          [&] { return found->second.handler(*this, account, request); });
    sweepReached();
    return reply;
}

bool SimTradeLedger::listForFirm(const std::string& firm, const std::string& commodity, int side,
                                 double price, int qty) {
    std::unique_lock lock(m_lock);
    const SimTradeCommodity* item = m_state.commodity(commodity);
    char text[64];
    std::snprintf(text, sizeof(text), "%.6f", price);
    auto units = item ? simUnits(text, *item) : std::nullopt;
    return units && SimTradeOrders(m_state).listForFirm(firm, commodity, side, *units, qty);
}

// Like every request, these first end what earlier exchange days left waiting: no listing of
// theirs is taken now, and none still freezes lots.
bool SimTradeLedger::closeElsewhere(const std::string& account, int64_t holdingId) {
    std::unique_lock lock(m_lock);
    SimTradeOrders orders(m_state);
    orders.sweep();
    return orders.closeElsewhere(account, holdingId);
}

bool SimTradeLedger::holdElsewhere(const std::string& account, const std::string& commodity,
                                   int side, int qty) {
    std::unique_lock lock(m_lock);
    const SimTradeCommodity* item = m_state.commodity(commodity);
    if (!m_state.accounts.count(account) || !item || !m_state.prices(*item) || qty <= 0 ||
        (side != 1 && side != 2)) {
        return false;
    }
    SimTradeOrders(m_state).seedHolding(account, commodity, side, qty);
    return true;
}

bool SimTradeLedger::takeListing(int64_t no, const std::string& firm) {
    std::unique_lock lock(m_lock);
    SimTradeOrders orders(m_state);
    orders.sweep();
    return orders.takeListing(no, firm);
}

bool SimTradeLedger::setLivePrice(const std::string& code, bool live) {
    std::unique_lock lock(m_lock);
    if (!m_state.commodity(code)) {
        return false;
    }
    if (live) {
        m_state.withoutPrice.erase(code);
    } else {
        m_state.withoutPrice.insert(code);
    }
    return true;
}

std::optional<int16_t> SimTradeLedger::quoteId(const std::string& code) {
    std::unique_lock lock(m_lock);
    const SimTradeCommodity* item = m_state.commodity(code);
    return item ? std::optional(item->def->id) : std::nullopt;
}

SimJson SimTradeLedger::livePrices() {
    std::unique_lock lock(m_lock);
    SimJson prices = SimJson::object();
    for (const auto& item : m_state.commodities) {
        if (const auto quote = m_state.market->quote(m_state.env->quoteServer, item.def->id)) {
            prices[item.code()] = simPrice(quote->newPrice, item);
        }
    }
    return prices;
}

std::optional<std::string> SimTradeLedger::captchaCode(const std::string& uuid) {
    std::unique_lock lock(m_lock);
    auto found = m_captchas.find(uuid);
    return found == m_captchas.end() ? std::nullopt : std::optional(found->second);
}

std::optional<double> SimTradeLedger::balance(const std::string& account) {
    std::unique_lock lock(m_lock);
    auto found = m_state.accounts.find(account);
    if (found == m_state.accounts.end()) {
        return std::nullopt;
    }
    return static_cast<double>(found->second.balance) / 100.0;
}

SimJson SimTradeLedger::listingBook(const std::string& commodity, int side) {
    std::unique_lock lock(m_lock);
    const SimJson request = {{"COMMODITY_ID", commodity},
                             {"TY", std::to_string(side)},
                             {"ISDESC", side == 1 ? "1" : "0"}};
    const SimJson reply = SimTradeQueries(m_state).listings(request);
    const SimJson& list = reply["RESULTLIST"];
    return list.is_object() ? list.value("REC", SimJson::array()) : SimJson::array();
}

SimJson SimTradeLedger::books(const std::string& account) {
    std::unique_lock lock(m_lock);
    SimTradeOrders(m_state).sweep();
    auto found = m_state.accounts.find(account);
    if (found == m_state.accounts.end()) {
        return nullptr;
    }
    SimJson books = {{"balance", simMoney(found->second.balance)},
                     {"available", simMoney(m_state.available(account))},
                     {"margin", simMoney(m_state.margin(account))},
                     {"holdings", SimJson::array()},
                     {"orders", SimJson::array()},
                     {"deals", SimJson::array()},
                     {"banks", SimJson::object()}};
    for (const auto& [bank, cents] : found->second.bankFunds) {
        books["banks"][bank] = simMoney(cents);
    }
    for (const auto& holding : found->second.holdings) {
        if (holding.qty > 0) {
            books["holdings"].push_back({{"id", holding.id},
                                         {"commodity", holding.commodity},
                                         {"side", holding.side},
                                         {"qty", holding.qty},
                                         {"frozen", holding.frozen},
                                         {"stopLoss", holding.stopLoss},
                                         {"stopProfit", holding.stopProfit}});
        }
    }
    for (const auto& order : found->second.orders) {
        books["orders"].push_back({{"no", order.no},
                                   {"commodity", order.commodity},
                                   {"side", order.side},
                                   {"settle", order.settle},
                                   {"kind", order.kind},
                                   {"qty", order.qty},
                                   {"traded", order.traded},
                                   {"status", order.status}});
    }
    for (const auto& deal : found->second.deals) {
        books["deals"].push_back({{"no", deal.no},
                                  {"orderNo", deal.orderNo},
                                  {"commodity", deal.commodity},
                                  {"side", deal.side},
                                  {"settle", deal.settle},
                                  {"qty", deal.qty},
                                  {"price", deal.price},
                                  {"kind", deal.kind},
                                  {"time", deal.time},
                                  {"market", deal.market},
                                  {"placed", deal.placed}});
    }
    books["session"] = liveSession(account);
    books["live"] = !books["session"].get<std::string>().empty();
    return books;
}

std::string SimTradeLedger::liveSession(const std::string& account) {
    std::lock_guard lock(m_sessionLock);
    auto live = m_liveSessions.find(account);
    if (live == m_liveSessions.end()) {
        return {};
    }
    const Session& session = m_sessions.at(live->second);
    const bool serves = session.endCode == 0 && m_state.now() - session.lastSeen <= m_idleLimitMs;
    return serves ? live->second : std::string();
}

std::optional<double> SimTradeLedger::bankFunds(const std::string& account,
                                                const std::string& bankId) {
    std::unique_lock lock(m_lock);
    auto found = m_state.accounts.find(account);
    if (found == m_state.accounts.end() || !found->second.bankFunds.count(bankId)) {
        return std::nullopt;
    }
    return static_cast<double>(found->second.bankFunds.at(bankId)) / 100.0;
}

std::optional<std::string> SimTradeLedger::phoneOf(const std::string& account) {
    std::unique_lock lock(m_lock);
    auto found = m_state.accounts.find(account);
    return found == m_state.accounts.end() ? std::nullopt : std::optional(found->second.seed.phone);
}

std::vector<std::string> SimTradeLedger::accountsWithPhone(const std::string& phone) {
    std::unique_lock lock(m_lock);
    std::vector<std::string> accounts;
    for (const auto& [id, account] : m_state.accounts) {
        if (account.seed.phone == phone) {
            accounts.push_back(id);
        }
    }
    return accounts;
}

bool SimTradeLedger::setPassword(const std::string& account, const std::string& password) {
    std::unique_lock lock(m_lock);
    auto found = m_state.accounts.find(account);
    if (found == m_state.accounts.end() || password.size() < 6) {
        return false;
    }
    found->second.password = password;
    return true;
}

std::string SimTradeLedger::createAccount(const std::string& phone, const std::string& firmId) {
    std::unique_lock lock(m_lock);
    // The member code of the environment's first account, so that the new account may log in.
    const std::string prefix =
        m_env.accounts.front().id.substr(0, SimTradeCatalogue::kMemberCodeLength);
    const std::string id = prefix + std::to_string(800000000000LL + m_state.number());
    SimTradeAccountSeed seed = {
        id, "新用户", SimTradeCatalogue::kPassword, SimTradeCatalogue::kFundPassword, phone, firmId,
        0,  10000000};
    addAccount(seed);
    return id;
}

size_t SimTradeLedger::dealsHeld() {
    std::unique_lock lock(m_lock);
    size_t count = 0;
    for (const auto& [id, account] : m_state.accounts) {
        count += account.deals.size();
    }
    return count;
}
