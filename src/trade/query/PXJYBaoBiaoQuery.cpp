#include "trade/query/PXJYBaoBiaoQuery.h"

#include "trade/common/PXTradeQueryDay.h"

namespace {
const char* const kReplyKinds[PXJYBaoBiaoQuery::kKindCount] = {
    "PXBaoBiaoChaXunPC", "PXbaoBiaoChaXunCJ", "PXbaoBiaoChaXunCC", "PXbaoBiaoChaXunLS",
    "PXbaoBiaoChaXunZK"};
}  // namespace

const std::vector<std::string>& PXJYBaoBiaoQuery::titles() {
    static const std::vector<std::string> kTitles = {"转让明细", "成交明细", "持牌明细", "资金流水",
                                                     "资金状况"};
    return kTitles;
}

std::string PXJYBaoBiaoQuery::title(int kind) {
    return kind >= 0 && kind < kKindCount ? titles()[static_cast<size_t>(kind)] : std::string();
}

int PXJYBaoBiaoQuery::kindOfReply(const std::string& typeNW) {
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (typeNW == kReplyKinds[kind]) {
            return kind;
        }
    }
    return kNoKind;
}

void PXJYBaoBiaoQuery::clear() {
    m_shown = Page{};
    m_inFlight.reset();
    m_records.clear();
}

PXJYBaoBiaoQuery::Page PXJYBaoBiaoQuery::begin(int kind, const std::string& startDay,
                                               const std::string& endDay) {
    m_inFlight = Page{kind, startDay, endDay, 1};
    return *m_inFlight;
}

std::optional<PXJYBaoBiaoQuery::Page> PXJYBaoBiaoQuery::more() {
    if (m_records.empty()) {
        return std::nullopt;
    }
    m_inFlight = m_shown;
    return m_inFlight;
}

JYDict PXJYBaoBiaoQuery::request(JYDict base, const Page& page) {
    base["s_time"] = PXTradeQueryDay::requestTime(page.startDay);
    base["e_time"] = PXTradeQueryDay::requestTime(page.endDay);
    base["start_num"] = std::to_string(page.startNum);
    return base;
}

bool PXJYBaoBiaoQuery::accept(std::vector<JYDict> page) {
    const std::optional<Page> answered = std::move(m_inFlight);
    m_inFlight.reset();
    if (!answered || page.empty()) {
        return false;
    }
    m_shown = *answered;
    m_shown.startNum += static_cast<int>(page.size());
    for (JYDict& record : page) {
        m_records.push_back(std::move(record));
    }
    return true;
}
