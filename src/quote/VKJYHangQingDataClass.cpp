#include "quote/VKJYHangQingDataClass.h"

#include "platform/foundation/DateFormat.h"
#include "quote/HQJYEntity.h"

namespace {
std::shared_ptr<VKJYHangQingDataClass>& currentDataClass() {
    static std::shared_ptr<VKJYHangQingDataClass> dataClass;
    return dataClass;
}
}  // namespace

VKJYHangQingDataClass::VKJYHangQingDataClass() = default;

std::shared_ptr<VKJYHangQingDataClass> VKJYHangQingDataClass::current() {
    return currentDataClass();
}

void VKJYHangQingDataClass::setCurrent(std::shared_ptr<VKJYHangQingDataClass> dataClass) {
    currentDataClass() = std::move(dataClass);
}

void VKJYHangQingDataClass::setHQChooseCommodityIDArray(std::vector<std::string> keys) {
    m_chooseCommodityIDs = std::move(keys);
}

void VKJYHangQingDataClass::countReply(const std::string& type) {
    if (type == "panJYTime") {
        ++m_timeCount;
    } else if (type == "jyspaninfo") {
        ++m_jyspanInfoCount;
    } else if (type == "shiChangXinXix") {
        ++m_marketInfoCount;
    }
}

std::string VKJYHangQingDataClass::startTime() const {
    return startText(m_tradingStart);
}

std::string VKJYHangQingDataClass::startTimeOf(const commodityInfo& commodity) const {
    const auto own = panelTradingStart(commodity);
    return startText(own ? own : m_tradingStart);
}

std::string VKJYHangQingDataClass::startText(std::optional<int64_t> startMs) const {
    if (!startMs || !m_exchangeUtcOffsetMinutes) {
        return {};
    }
    const auto zone = DateFormat::Zone::fixed(*m_exchangeUtcOffsetMinutes * 60);
    return DateFormat("HH:mm", zone).format(static_cast<double>(*startMs / 1000));
}

void VKJYHangQingDataClass::setPanelTradingTime(const PanJYTime& time) {
    m_panelTradingStarts[{time.panindex, time.MarketID, time.DiskID}] = time.JYStart;
}

std::optional<int64_t> VKJYHangQingDataClass::panelTradingStart(
    const commodityInfo& commodity) const {
    const auto found =
        m_panelTradingStarts.find({commodity.panindex, commodity.MarketID, commodity.DiskID});
    if (found == m_panelTradingStarts.end()) {
        return std::nullopt;
    }
    return found->second;
}

void VKJYHangQingDataClass::selectTradingStartOf(const commodityInfo& commodity) {
    m_tradingStart = panelTradingStart(commodity);
}

std::vector<std::string> VKJYHangQingDataClass::linesForServer(int serverIndex) const {
    if (!m_lineResolver) {
        return {};
    }
    return m_lineResolver(serverIndex);
}

uint32_t VKJYHangQingDataClass::sessionForServer(int serverIndex) const {
    auto found = m_servers.find(serverIndex);
    return found == m_servers.end() ? 0 : found->second.session;
}

void VKJYHangQingDataClass::setSessionForServer(int serverIndex, uint32_t session) {
    m_servers[serverIndex].session = session;
}

size_t VKJYHangQingDataClass::workingLineForServer(int serverIndex) const {
    auto found = m_servers.find(serverIndex);
    return found == m_servers.end() ? 0 : found->second.workingLine;
}

void VKJYHangQingDataClass::setWorkingLineForServer(int serverIndex, size_t line) {
    m_servers[serverIndex].workingLine = line;
}
