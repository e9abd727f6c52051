#include "sim/trade/SimAccountServices.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "sim/core/SimMarket.h"
#include "sim/core/SimXml.h"
#include "sim/trade/SimTradeServer.h"

namespace {
std::string element(const std::string& tag, const std::string& text) {
    return "<" + tag + ">" + SimXml::escaped(text) + "</" + tag + ">";
}

const char* const kHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

// The "REP" reply shape; `codeTag` is "RCOD" for the SMS services and "RCD" for the others.
std::string rep(const char* codeTag, const std::string& code, const std::string& desc,
                const std::string& rest = "") {
    return kHead + std::string("<REP>") + element(codeTag, code) + element("DESC", desc) + rest +
           "</REP>";
}

bool isPhone(const std::string& text) {
    return text.size() == 11 && text.find_first_not_of("0123456789") == std::string::npos;
}
}  // namespace

SimAccountServices::SimAccountServices(uint64_t seed, const SimMarket& market)
    : m_market(market), m_random(seed * 31 + 17) {}

std::string SimAccountServices::reply(const std::string& path, const std::string& body) {
    const std::string command = SimXml::field(body, "CMD");
    if (command == "GETVERSION") {
        return rep("RCD", "0", "", element("VERSION", "1.0"));
    }
    if (command == "GETOPENACCOUNT") {
        return openAccountList();
    }
    if (command == "GETALLTRADEAUTHORITIES") {
        return memberRights(SimXml::field(body, "PLATFORM"));
    }
    if (command == "PHONECAPTCHA") {
        return requestCode(body);
    }
    if (command == "CAPTCHAVERIFY") {
        return verifyCode(body);
    }
    if (command == "PHONEVERIFY") {
        return phoneCheck(body);
    }
    if (command == "RESETPASSWORD") {
        return resetPassword(body);
    }
    if (command == "CREATEUSER") {
        return createUser(path, body);
    }
    if (command == "RETRIEVEACCOUNT") {
        return retrieveAccount(path, body);
    }
    return kHead + std::string("<RESP MSG=\"未知请求\"><CODE>1</CODE></RESP>");
}

SimTradeServer* SimAccountServices::server(const std::string& jys, const std::string& env) const {
    for (SimTradeServer* item : m_servers) {
        if (item->environment().jysCode == jys && item->environment().envCode == env) {
            return item;
        }
    }
    return nullptr;
}

std::string SimAccountServices::openAccountList() {
    std::string services;
    for (SimTradeServer* item : m_servers) {
        const SimTradeEnvironment& env = item->environment();
        services +=
            "<SERVICE>" + element("YWSYSCODE", "KH") + element("JYSCODE", env.jysCode) +
            element("ENVCODE", env.envCode) +
            element("URL", item->lineBase(0) + "/account/" + env.jysCode + "/" + env.envCode) +
            element("ENVCAT", env.envCat) + "</SERVICE>";
    }
    return kHead + std::string("<RESP MSG=\"成功\"><CODE>0</CODE><SERVICES>") + services +
           "</SERVICES></RESP>";
}

std::string SimAccountServices::memberRights(const std::string& platform) {
    // A member code is the first three characters of its accounts; it may trade only when the
    // firm of every such account of the platform may.
    std::vector<std::pair<std::string, bool>> codes;
    for (SimTradeServer* item : m_servers) {
        const SimTradeEnvironment& env = item->environment();
        if (env.jysCode != platform) {
            continue;
        }
        for (const auto& account : env.accounts) {
            const SimTradeFirm* firm = nullptr;
            for (const auto& candidate : env.firms) {
                firm = candidate.id == account.firmId ? &candidate : firm;
            }
            const std::string code = account.id.substr(0, SimTradeCatalogue::kMemberCodeLength);
            const bool right = firm && firm->tradeRight;
            auto found = std::find_if(codes.begin(), codes.end(),
                                      [&](const auto& entry) { return entry.first == code; });
            if (found == codes.end()) {
                codes.emplace_back(code, right);
            } else {
                found->second = found->second && right;
            }
        }
    }
    std::string members;
    for (const auto& [code, right] : codes) {
        members +=
            "<MEMBER>" + element("M_C", code) + element("T_A", right ? "1" : "0") + "</MEMBER>";
    }
    return kHead + std::string("<RESP><CODE>0</CODE><MEMBERS>") + members + "</MEMBERS></RESP>";
}

std::string SimAccountServices::sendCode(const std::string& phone, const std::string& account,
                                         SimTradeServer* target) {
    std::string code;
    for (int i = 0; i < 6; ++i) {
        code += static_cast<char>('0' + m_random.next() % 10);
    }
    std::string ssid = "SMS";
    for (int i = 0; i < 12; ++i) {
        ssid += static_cast<char>('0' + m_random.next() % 10);
    }
    m_sms[ssid] = {phone, code, account, target, m_market.nowMs()};
    m_lastCodes[phone] = code;
    return ssid;
}

std::string SimAccountServices::requestCode(const std::string& body) {
    const std::string phone = SimXml::field(body, "PN");
    if (!isPhone(phone)) {
        return rep("RCOD", "1", "手机号码格式错误");
    }
    std::lock_guard lock(m_mutex);
    return rep("RCOD", "0", "验证码已发送", element("SSID", sendCode(phone, "", nullptr)));
}

std::string SimAccountServices::verifyCode(const std::string& body) {
    std::lock_guard lock(m_mutex);
    auto found = m_sms.find(SimXml::field(body, "SSID"));
    if (found != m_sms.end() && expired(found->second)) {
        return rep("RCOD", "3", "验证码已过期");
    }
    if (found == m_sms.end() || found->second.code != SimXml::field(body, "CODE")) {
        return rep("RCOD", "2", "验证码错误");
    }
    std::string token = "TKNB";
    for (int i = 0; i < 16; ++i) {
        token += static_cast<char>('A' + m_random.next() % 26);
    }
    m_tokens[token] = found->second.phone;
    // A code of the phone check stays for the password reset that follows.
    if (found->second.account.empty()) {
        m_sms.erase(found);
    }
    return rep("RCOD", "0", "", element("TKNB", token));
}

std::string SimAccountServices::phoneCheck(const std::string& body) {
    SimTradeServer* target =
        server(SimXml::field(body, "PLATFORM"), SimXml::field(body, "ENVIRONMENT"));
    const std::string account = SimXml::field(body, "ACCOUNT");
    auto phone = target ? target->ledger().phoneOf(account) : std::nullopt;
    if (!phone) {
        return rep("RCD", "3", "账号不存在");
    }
    std::lock_guard lock(m_mutex);
    const std::string ssid = sendCode(*phone, account, target);
    const std::string masked = phone->substr(0, 3) + "****" + phone->substr(7);
    return rep("RCD", "0", "", element("SSID", ssid) + element("PN", masked));
}

std::string SimAccountServices::resetPassword(const std::string& body) {
    Sms sms;
    {
        std::lock_guard lock(m_mutex);
        auto found = m_sms.find(SimXml::field(body, "SESSION"));
        if (found != m_sms.end() && expired(found->second)) {
            return rep("RCD", "3", "验证码已过期");
        }
        if (found == m_sms.end() || found->second.account.empty() ||
            found->second.code != SimXml::field(body, "CAPTCHA")) {
            return rep("RCD", "2", "验证码错误");
        }
        sms = found->second;
        m_sms.erase(found);
    }
    if (!sms.server->ledger().setPassword(sms.account, SimXml::field(body, "PASSWORD"))) {
        return rep("RCD", "4", "新密码至少6位");
    }
    return rep("RCD", "0", "密码重置成功");
}

bool SimAccountServices::expired(const Sms& sms) const {
    return m_market.nowMs() - sms.sentMs > kCodeLifetimeMs;
}

SimTradeServer* SimAccountServices::serverOfPath(const std::string& path) const {
    const std::string prefix = "/account/";
    const std::string rest = path.rfind(prefix, 0) == 0 ? path.substr(prefix.size()) : "";
    const auto slash = rest.find('/');
    return slash == std::string::npos ? nullptr
                                      : server(rest.substr(0, slash), rest.substr(slash + 1));
}

std::string SimAccountServices::takeToken(const std::string& token) {
    std::lock_guard lock(m_mutex);
    auto found = m_tokens.find(token);
    if (found == m_tokens.end()) {
        return {};
    }
    const std::string phone = found->second;
    m_tokens.erase(found);
    return phone;
}

std::string SimAccountServices::createUser(const std::string& path, const std::string& body) {
    SimTradeServer* target = serverOfPath(path);
    const std::string phone = takeToken(SimXml::field(body, "TKNB"));
    if (!target || phone.empty()) {
        return rep("RCD", "5", "开户凭证无效");
    }
    if (!target->ledger().accountsWithPhone(phone).empty()) {
        return rep("RCD", "6", "该手机号已开户");
    }
    const std::string firm = target->environment().firms.front().id;
    const std::string account = target->ledger().createAccount(phone, firm);
    const std::string info = element("ACCN", account) +
                             element("TPWD", SimTradeCatalogue::kPassword) +
                             element("PPWD", SimTradeCatalogue::kFundPassword);
    return rep("RCD", "0", "", "<INFO>" + info + "</INFO>");
}

std::string SimAccountServices::retrieveAccount(const std::string& path, const std::string& body) {
    SimTradeServer* target = serverOfPath(path);
    const std::string phone = takeToken(SimXml::field(body, "TKNB"));
    if (!target || phone.empty()) {
        return rep("RCD", "5", "凭证无效");
    }
    const auto accounts = target->ledger().accountsWithPhone(phone);
    if (accounts.empty()) {
        return rep("RCD", "7", "该手机号未开户");
    }
    return rep("RCD", "0", "", "<INFO>" + element("ACCN", accounts.front()) + "</INFO>");
}

std::optional<std::string> SimAccountServices::smsCode(const std::string& phone) {
    std::lock_guard lock(m_mutex);
    auto found = m_lastCodes.find(phone);
    return found == m_lastCodes.end() ? std::nullopt : std::optional(found->second);
}
