#include "trade/core/PXTradeDataAnalysis.h"

#include <cstring>

#include "base/NSStringUtil.h"
#include "base/TMBSUtil.h"
#include "base/XMLTreeDocument.h"
#include "platform/foundation/Json.h"
#include "platform/foundation/Text.h"
#include "trade/core/PXTradeCommodityReader.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeRecords.h"
#include "trade/core/PXTradeReplyTables.h"
#include "trade/core/PXTradeTimerManger.h"
#include "trade/core/TradeText.h"

namespace {

const char* const kUnreadable = "服务器返回数据失败！";

// Reads little-endian fields from a reply body; every read past the end fails.
class FrameReader {
public:
    explicit FrameReader(const std::string& bytes) : m_bytes(bytes) {}

    bool readUnsigned(size_t width, uint64_t* value) {
        if (m_bytes.size() - m_position < width) {
            return false;
        }
        uint64_t result = 0;
        for (size_t i = 0; i < width; ++i) {
            result |= uint64_t(static_cast<uint8_t>(m_bytes[m_position + i])) << (8 * i);
        }
        m_position += width;
        *value = result;
        return true;
    }
    // A signed length field; negative lengths are malformed.
    bool readLength(size_t width, size_t* length) {
        uint64_t raw = 0;
        if (!readUnsigned(width, &raw)) {
            return false;
        }
        const int64_t value = width == 2 ? int64_t(int16_t(raw)) : int64_t(int32_t(raw));
        if (value < 0) {
            return false;
        }
        *length = size_t(value);
        return true;
    }
    bool readBytes(size_t length, std::string* out) {
        if (m_bytes.size() - m_position < length) {
            return false;
        }
        *out = m_bytes.substr(m_position, length);
        m_position += length;
        return true;
    }

private:
    const std::string& m_bytes;
    size_t m_position = 0;
};

JYDict fromRules(const PXTradeReplyRules& rules, const JYDict& element) {
    JYDict row = JYDict::object();
    applyReplyRules(rules, element, row);
    return row;
}

// No real reply nests deeper; a deeper one is refused before it is parsed, so no walk over a
// reply can exhaust the stack.
constexpr int kMaxReplyDepth = 32;

JYDict parseReply(const std::string& body) {
    if (!Json::nestingWithin(body, kMaxReplyDepth)) {
        return JYDict(JYDict::value_t::discarded);
    }
    return JYDict::parse(body, nullptr, false);
}

JYDict* memberOf(JYDict& dict, const char* key) {
    if (!dict.is_object()) {
        return nullptr;
    }
    const auto it = dict.find(key);
    return it == dict.end() ? nullptr : &*it;
}

const JYDict* member(const JYDict& dict, const char* key) {
    if (!dict.is_object()) {
        return nullptr;
    }
    const auto it = dict.find(key);
    return it == dict.end() ? nullptr : &*it;
}

std::string childText(const XMLTreeElement& element, const char* name) {
    const auto child = element.elementForName(name);
    return child ? child->stringValue() : std::string();
}

// The reply's top element of that name: the root itself or one of its children.
std::optional<XMLTreeElement> topElement(const XMLTreeDocument& document, const char* name) {
    const auto root = document.rootElement();
    if (!root) {
        return std::nullopt;
    }
    if (root->name() == name) {
        return root;
    }
    return root->elementForName(name);
}

}  // namespace

#define PX_FAIL_UNREADABLE() failUnreadable(__LINE__)

PXTradeDataAnalysis::PXTradeDataAnalysis(PXTradeModule& module) : m_module(module) {}

void PXTradeDataAnalysis::finish() {
    if (m_delegate) {
        m_delegate->dataAnalysisFinished(this);
    }
}

void PXTradeDataAnalysis::fail(const std::string& errorText, const std::string& message) {
    m_errorMessage = message;
    if (m_delegate) {
        m_delegate->dataAnalysisFailed(errorText, this);
    }
}

void PXTradeDataAnalysis::failUnreadable(int line) {
    char position[512];
    std::snprintf(position, sizeof position, "类%s:%d行", __FILE__, line);
    fail(position, kUnreadable);
}

std::optional<JYDict> PXTradeDataAnalysis::openEnvelope(const std::string& body,
                                                        bool requireEntries, bool requireRetcode) {
    JYDict parsed = parseReply(body);
    if (parsed.is_discarded() || !parsed.is_object() || (requireEntries && parsed.empty())) {
        PX_FAIL_UNREADABLE();
        return std::nullopt;
    }
    JYDict* vuzi = memberOf(parsed, "VUZI");
    JYDict* rep = vuzi ? memberOf(*vuzi, "REP") : nullptr;
    if (!rep || !rep->is_object()) {
        PX_FAIL_UNREADABLE();
        return std::nullopt;
    }
    // An order or a transfer answered without a code was not confirmed: never report it done.
    if (requireRetcode && !TradeText::has(*rep, "retcode")) {
        PX_FAIL_UNREADABLE();
        return std::nullopt;
    }
    const std::string retcode = TradeText::textAt(*rep, "retcode");
    if (Text::intValue(retcode) != 0) {
        fail(retcode, TradeText::textAt(*rep, "message"));
        return std::nullopt;
    }
    return std::move(*rep);
}

std::optional<std::vector<JYDict>> PXTradeDataAnalysis::records(JYDict& rep, bool countedByTtlrec) {
    std::vector<JYDict> elements;
    if (countedByTtlrec && Text::intValue(TradeText::textAt(rep, "TTLREC")) < 1) {
        return elements;
    }
    JYDict* list = memberOf(rep, "RESULTLIST");
    if (!list) {
        return elements;
    }
    if (!list->is_object()) {
        PX_FAIL_UNREADABLE();
        return std::nullopt;
    }
    JYDict* rec = memberOf(*list, "REC");
    if (!rec) {
        return elements;
    }
    if (!rec->is_array()) {
        PX_FAIL_UNREADABLE();
        return std::nullopt;
    }
    for (JYDict& element : *rec) {
        if (!element.is_object()) {
            PX_FAIL_UNREADABLE();
            return std::nullopt;
        }
        elements.push_back(std::move(element));
    }
    return elements;
}

void PXTradeDataAnalysis::analyseOperation(const std::string& body) {
    if (openEnvelope(body, false, true)) {
        finish();
    }
}

void PXTradeDataAnalysis::analyseRows(const std::string& body, int kind) {
    m_result = PXTradeResult();
    auto rep = openEnvelope(body, kind == kRowsBanks);
    if (!rep) {
        return;
    }
    const JYDict* list = member(*rep, "RESULTLIST");
    const bool noList = list && !list->is_object();
    // The bank query and the listing book accept a RESULTLIST that is no object as "none".
    if ((kind == kRowsBanks && noList) ||
        (kind == kRowsListings && list && list->is_string() && list->get<std::string>().empty())) {
        finish();
        return;
    }
    const PXTradeRowsTable& table = tradeRowsTable(kind);
    const auto elements = records(*rep, table.countedByTtlrec);
    if (!elements) {
        return;
    }
    for (const JYDict& element : *elements) {
        JYDict row = fromRules(table.rows, element);
        if (m_result->empty()) {
            applyReplyRules(table.totals, *rep, row);
        }
        m_result->push_back(std::move(row));
    }
    finish();
}

void PXTradeDataAnalysis::analysisWeiTuoDanChaXunJY(const std::string& body) {
    analyseRows(body, kRowsOrders);
}
void PXTradeDataAnalysis::analysisChengJiaoChaXunJY(const std::string& body) {
    analyseRows(body, kRowsDeals);
}
void PXTradeDataAnalysis::analysisBaoBiaoChaXunPCJY(const std::string& body) {
    analyseRows(body, kRowsReportClosed);
}
void PXTradeDataAnalysis::analysisBaoBiaoChaXunCJJY(const std::string& body) {
    analyseRows(body, kRowsReportDeals);
}
void PXTradeDataAnalysis::analysisBaoBiaoChaXunCCJY(const std::string& body) {
    analyseRows(body, kRowsReportHoldings);
}
void PXTradeDataAnalysis::analysisBaoBiaoChaXunLSJY(const std::string& body) {
    analyseRows(body, kRowsReportFundsFlow);
}
void PXTradeDataAnalysis::analysisBaoBiaoChaXunZKJY(const std::string& body) {
    analyseRows(body, kRowsReportFundsStat);
}
void PXTradeDataAnalysis::analysisMarketfundsinfoJY(const std::string& body) {
    analyseRows(body, kRowsMarketFunds);
}
void PXTradeDataAnalysis::analysisBankInfoJY(const std::string& body) {
    analyseRows(body, kRowsBanks);
}
void PXTradeDataAnalysis::analysisCheckGoldRecodeJY(const std::string& body) {
    analyseRows(body, kRowsTransfers);
}
void PXTradeDataAnalysis::analysisAnnouncementListJY(const std::string& body) {
    analyseRows(body, kRowsAnnouncements);
}
void PXTradeDataAnalysis::analysisGuaPaiListJY(const std::string& body) {
    analyseRows(body, kRowsListings);
}

void PXTradeDataAnalysis::analysisCheckAccountBalanceJY(const std::string& body) {
    m_result = PXTradeResult();
    const auto rep = openEnvelope(body, false);
    if (!rep) {
        return;
    }
    m_result->push_back(TradeText::textAt(*rep, "BANK_FUNDS"));
    finish();
}

void PXTradeDataAnalysis::analysisAnnouncementDetailJY(const std::string& body) {
    m_result = PXTradeResult();
    const auto rep = openEnvelope(body, false);
    if (!rep) {
        return;
    }
    m_result->push_back(fromRules(tradeAnnouncementDetailRules(), *rep));
    finish();
}

std::optional<std::vector<JYDict>> PXTradeDataAnalysis::replyRecords(const std::string& body,
                                                                     bool requireEntries,
                                                                     bool countedByTtlrec) {
    m_result = PXTradeResult();
    auto rep = openEnvelope(body, requireEntries);
    return rep ? records(*rep, countedByTtlrec) : std::nullopt;
}

std::optional<JYDict> PXTradeDataAnalysis::firstRecord(const std::string& body) {
    const auto elements = replyRecords(body, false, false);
    if (!elements) {
        return std::nullopt;
    }
    if (elements->empty()) {
        PX_FAIL_UNREADABLE();
        return std::nullopt;
    }
    return elements->front();
}

void PXTradeDataAnalysis::analysisAccountInformationJY(const std::string& body) {
    if (const auto record = firstRecord(body)) {
        m_result->push_back(fromRules(tradeAccountRules(), *record));
        finish();
    }
}

void PXTradeDataAnalysis::analysisCPYFirmID(const std::string& body) {
    if (const auto record = firstRecord(body)) {
        m_result->push_back(TradeText::textAt(*record, "E_M_ID"));
        m_result->push_back(TradeText::textAt(*record, "E_M_N"));
        finish();
    }
}

void PXTradeDataAnalysis::analysisCommodityInfoJY(const std::string& body) {
    const auto elements = replyRecords(body, true, false);
    if (!elements) {
        return;
    }
    PXTradeCommodityMap commodities;
    for (const JYDict& element : *elements) {
        auto record = readTradeCommodity(element);
        commodities[record->commodityCode] = record;
    }
    m_result->push_back(std::move(commodities));
    finish();
}

void PXTradeDataAnalysis::analysisChiCangHuiZongJY(const std::string& body) {
    // A body that is no envelope fails like everywhere else: taking it as "no holdings" would
    // silently empty the store.
    const auto elements = replyRecords(body, false, true);
    if (!elements) {
        return;
    }
    for (const JYDict& element : *elements) {
        auto summary = std::make_shared<PXJYChiCangHuiZong>();
        summary->commodityCode = TradeText::textAt(element, "CO_I");
        summary->fuDongYingKui = TradeText::textAt(element, "FL_P");
        summary->chiCangBaoZhengJin = TradeText::textAt(element, "MAR");
        summary->buySellSign = TradeText::textAt(element, "TY");
        summary->shuLiang = TradeText::textAt(element, "QTY");
        summary->jianCangJunJia = TradeText::textAt(element, "O_A");
        summary->pingJunChiCangJia = TradeText::textAt(element, "A_H");
        summary->dongJieShuLiang = TradeText::textAt(element, "F_QTY");
        summary->jiaoYiShouXuFei = TradeText::textAt(element, "COMM");
        m_result->push_back(summary);
    }
    finish();
}

void PXTradeDataAnalysis::analysisChiCangMingXiJY(const std::string& body) {
    const auto elements = replyRecords(body, false, true);
    if (!elements) {
        return;
    }
    PXTradeTicketMap tickets;
    for (const JYDict& element : *elements) {
        auto ticket = std::make_shared<PXJYChiCangMingXi>();
        ticket->chiCangDanHao = TradeText::textAt(element, "H_ID");
        ticket->chengJiaoDanHao = TradeText::textAt(element, "T_N");
        ticket->commodityCode = TradeText::textAt(element, "CO_I");
        ticket->buySellSign = TradeText::textAt(element, "TY");
        ticket->kaiCangShuLiang = TradeText::textAt(element, "O_QTY");
        ticket->dangQianChiCangLiang = TradeText::textAt(element, "C_QTY");
        ticket->jianCangJia = TradeText::textAt(element, "PR");
        ticket->chiCangJia = TradeText::textAt(element, "H_P");
        ticket->jianCangShiJian = TradeText::textAt(element, "OR_T");
        ticket->fuDongYingKui = TradeText::textAt(element, "FL_P");
        ticket->baoZhengJin = TradeText::textAt(element, "MAR");
        ticket->jiaoYiShouXuFei = TradeText::textAt(element, "COMM");
        ticket->zhiSun = TradeText::textAt(element, "STOP_LOSS");
        ticket->zhiYing = TradeText::textAt(element, "STOP_PROFIT");
        ticket->chengJiaoDuiFang = TradeText::textAt(element, "OTHER_ID");
        ticket->weiTuoYuanDaiMa = TradeText::textAt(element, "CO_ID");
        ticket->chiCangBaoZhengJinBiLi = TradeText::textAt(element, "MAR_RATE");
        ticket->dongJieShuLiang = TradeText::textAt(element, "F_QTY");
        tickets[ticket->chiCangDanHao] = ticket;
    }
    m_result->push_back(std::move(tickets));
    finish();
}

void PXTradeDataAnalysis::analysisCPYLoginJY(const std::string& body,
                                             const std::string& md5KeyString) {
    m_result = PXTradeResult();
    const auto rep = openEnvelope(body, false);
    if (!rep) {
        return;
    }
    JYDict login = fromRules({{PXTradeReplyRule::Copy, "LAST_TIME", ""},
                              {PXTradeReplyRule::Copy, "LAST_IP", ""},
                              {PXTradeReplyRule::Copy, "LAST_MODULE", ""},
                              {PXTradeReplyRule::Copy, "SRV_KEY", ""}},
                             *rep);
    const auto plain = NSStringUtil::md5Decoded(md5KeyString, TradeText::textAt(*rep, "CLT_KEY"));
    if (!plain) {
        PX_FAIL_UNREADABLE();
        return;
    }
    const std::string bytes(plain->begin(), plain->end());
    FrameReader reader(bytes);
    size_t keyLength = 0;
    size_t sessionLength = 0;
    std::string key;
    std::string session;
    if (!reader.readLength(2, &keyLength) || !reader.readBytes(keyLength, &key) ||
        !reader.readLength(2, &sessionLength) || !reader.readBytes(sessionLength, &session)) {
        PX_FAIL_UNREADABLE();
        return;
    }
    login["key_data"] = JYDict::binary(std::vector<uint8_t>(key.begin(), key.end()));
    login["session"] = session;
    login["IS_ENCRYPT"] = TradeText::textAt(*rep, "IS_ENCRYPT");
    m_result->push_back(std::move(login));
    finish();
}

void PXTradeDataAnalysis::analysisChengJiaoHuiBaoPXJY(const std::string& body) {
    m_result = PXTradeResult();
    const JYDict reply = parseReply(body);
    if (reply.is_discarded() || !reply.is_object() || !reply.contains("ret")) {
        PX_FAIL_UNREADABLE();
        return;
    }
    const std::string ret = TradeText::textAt(reply, "ret");
    if (Text::intValue(ret) != 0) {
        fail(ret, TradeText::textAt(reply, "msg"));
        return;
    }
    using R = PXTradeReplyRule;
    JYDict report = fromRules({{R::Copy, "Time", "CTM"}, {R::Copy, "GB_ID", "LID"}}, reply);

    const JYDict& last = m_module.PXJYTimerManger().transactionReporting();
    if (TradeText::has(last, "GB_ID") && TradeText::has(reply, "LID") &&
        Text::longLongValue(TradeText::textAt(reply, "LID")) >
            Text::longLongValue(TradeText::textAt(last, "GB_ID"))) {
        report["xinGongGao"] = TradeText::textAt(reply, "LID");
    }
    applyReplyRules(
        {{R::Copy, "New_Trade", "NT"}, {R::Copy, "Num_Trade", "TTC"}, {R::Copy, "Day_Trade", "TD"}},
        reply, report);
    if (TradeText::textAt(reply, "NT") == "1") {
        const JYDict* deals = member(reply, "data");
        if (deals && !deals->is_array()) {
            PX_FAIL_UNREADABLE();
            return;
        }
        JYDict list = JYDict::array();
        for (const JYDict& deal : deals ? *deals : JYDict::array()) {
            JYDict item = fromRules({{R::Copy, "commodityID", "ONO"},
                                     {R::Copy, "commodityCode", "CMOID"},
                                     {R::Copy, "tradeNum", "QT"},
                                     {R::Copy, "openlenType", "TYP"}},
                                    deal);
            item["directionType"] = TradeText::textAt(deal, "BS") == "1" ? "购入" : "售出";
            applyReplyRules({{R::Copy, "TradeType", "TTYP"}}, deal, item);
            list.push_back(std::move(item));
        }
        report["tradeCommodity"] = std::move(list);
    }
    applyReplyRules({{R::Copy, "S_Type", "STA"},
                     {R::Copy, "END_GBID", "TLID"},
                     {R::Copy, "BUPT", ""},
                     {R::Copy, "UPT", ""},
                     {R::Copy, "CMOUPT", ""}},
                    reply, report);
    m_result->push_back(std::move(report));
    finish();
}

void PXTradeDataAnalysis::analysisJYCode(const std::string& body) {
    m_result = PXTradeResult();
    FrameReader reader(body);
    uint64_t tag = 0;
    if (body.size() < 3 || !reader.readUnsigned(2, &tag) || tag != 4) {
        PX_FAIL_UNREADABLE();
        return;
    }
    size_t versionLength = 0;
    std::string version;
    uint64_t code = 0;
    size_t messageLength = 0;
    std::string message;
    if (!reader.readLength(2, &versionLength) || !reader.readBytes(versionLength, &version) ||
        !reader.readUnsigned(8, &code) || !reader.readLength(2, &messageLength) ||
        !reader.readBytes(messageLength, &message)) {
        PX_FAIL_UNREADABLE();
        return;
    }
    if (code != 0) {
        fail(Text::format("%lld", static_cast<long long>(code)), message);
        return;
    }
    size_t imageLength = 0;
    std::string image;
    size_t idLength = 0;
    std::string identifier;
    if (!reader.readLength(4, &imageLength) || !reader.readBytes(imageLength, &image) ||
        !reader.readLength(2, &idLength) || !reader.readBytes(idLength, &identifier)) {
        PX_FAIL_UNREADABLE();
        return;
    }
    JYDict captcha = JYDict::object();
    captcha["image"] = JYDict::binary(std::vector<uint8_t>(image.begin(), image.end()));
    m_result->push_back(std::move(captcha));
    m_result->push_back(identifier);
    finish();
}

std::optional<XMLTreeElement> PXTradeDataAnalysis::xmlReply(const std::string& body,
                                                            const char* name) {
    const auto document = NSStringUtil::isEmptyString(body)
                              ? std::nullopt
                              : XMLTreeDocument::createWithXMLString(body);
    auto top = document ? topElement(*document, name) : std::nullopt;
    if (!top) {
        PX_FAIL_UNREADABLE();
    }
    return top;
}

void PXTradeDataAnalysis::analysisOpenAccountJY(const std::string& body) {
    m_result = PXTradeResult();
    const auto resp = xmlReply(body, "RESP");
    if (!resp) {
        return;
    }
    const std::string code = childText(*resp, "CODE");
    if (code != "0") {
        const auto msg = resp->attributeForName("MSG");
        fail(code, msg ? msg->stringValue() : std::string());
        return;
    }
    const auto services = resp->elementForName("SERVICES");
    for (const XMLTreeElement& service :
         services ? services->elementsForName("SERVICE") : std::vector<XMLTreeElement>()) {
        JYDict entry = JYDict::object();
        for (const char* key : {"YWSYSCODE", "JYSCODE", "ENVCODE", "URL", "ENVCAT"}) {
            entry[key] = childText(service, key);
        }
        m_result->push_back(std::move(entry));
    }
    finish();
}

void PXTradeDataAnalysis::analysisHuiYuanQuanXian(const std::string& body) {
    m_result = PXTradeResult();
    const auto resp = xmlReply(body, "RESP");
    if (!resp) {
        return;
    }
    const auto members = resp->elementForName("MEMBERS");
    for (const XMLTreeElement& entry :
         members ? members->elementsForName("MEMBER") : std::vector<XMLTreeElement>()) {
        if (childText(entry, "T_A") == "1") {
            m_result->push_back(childText(entry, "M_C"));
        }
    }
    finish();
}

bool PXTradeDataAnalysis::readXmlRep(const std::string& body, const char* codeElement,
                                     std::optional<XMLTreeElement>* rep) {
    *rep = xmlReply(body, "REP");
    if (!*rep) {
        return false;
    }
    const std::string code = childText(**rep, codeElement);
    if (TMBSUtil::trimWithString(code) != "0") {
        fail(code, childText(**rep, "DESC"));
        return false;
    }
    return true;
}

void PXTradeDataAnalysis::analysisPhoneCaptchaJY(const std::string& body) {
    m_result = PXTradeResult();
    std::optional<XMLTreeElement> rep;
    if (!readXmlRep(body, "RCOD", &rep)) {
        return;
    }
    m_result->push_back(childText(*rep, "SSID"));
    finish();
}

void PXTradeDataAnalysis::analysisShouJiYanZhengJY(const std::string& body) {
    m_result = PXTradeResult();
    std::optional<XMLTreeElement> rep;
    if (!readXmlRep(body, "RCOD", &rep)) {
        return;
    }
    const std::string open = "<TKNB>";
    const size_t start = body.rfind(open);
    std::string token = start == std::string::npos ? body : body.substr(start + open.size());
    const size_t end = token.find("</TKNB>");
    if (end != std::string::npos) {
        token.resize(end);
    }
    m_result->push_back(token);
    finish();
}

void PXTradeDataAnalysis::analysisPhoneNumberVerificationJY(const std::string& body) {
    m_result = PXTradeResult();
    std::optional<XMLTreeElement> rep;
    if (!readXmlRep(body, "RCD", &rep)) {
        return;
    }
    JYDict entry = JYDict::object();
    entry["SSID"] = childText(*rep, "SSID");
    entry["PN"] = childText(*rep, "PN");
    m_result->push_back(std::move(entry));
    finish();
}

void PXTradeDataAnalysis::analysisCreateAccountJY(const std::string& body) {
    m_result = PXTradeResult();
    std::optional<XMLTreeElement> rep;
    if (!readXmlRep(body, "RCD", &rep)) {
        return;
    }
    const auto info = rep->elementForName("INFO");
    JYDict entry = JYDict::object();
    for (const char* key : {"ACCN", "TPWD", "PPWD"}) {
        entry[key] = info ? childText(*info, key) : std::string();
    }
    m_result->push_back(std::move(entry));
    finish();
}

void PXTradeDataAnalysis::analysisResetPasswordJY(const std::string& body) {
    std::optional<XMLTreeElement> rep;
    if (readXmlRep(body, "RCD", &rep)) {
        finish();
    }
}
