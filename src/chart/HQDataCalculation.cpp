#include "chart/HQDataCalculation.h"

#include <algorithm>

#include "quote/QuoteRecords.h"

namespace {

double nonNegative(double value) {
    return std::max(value, 0.0);
}

const MACDKDJGroupItem& indicators(const KLineDataItem& bar) {
    static const MACDKDJGroupItem none;
    return bar.MACDKDJ ? *bar.MACDKDJ : none;
}

}  // namespace

HQDataCalculation::HQDataCalculation(std::vector<std::shared_ptr<KLineDataItem>> bars,
                                     std::shared_ptr<VariableAboutDevice> device, uint32_t dataType)
    : m_dataArray(std::move(bars)),
      m_device(std::move(device)),
      m_DataType(dataType),
      m_CalculationResult(std::make_shared<HQCalculationResult>()) {}

std::shared_ptr<HQCalculationResult> HQDataCalculation::getCalculationResult() {
    searchHighestAndLowest();
    if (!m_CalculationResult) {
        m_CalculationResult = std::make_shared<HQCalculationResult>();
    }
    m_CalculationResult->lowest = m_lowest;
    m_CalculationResult->highest = m_highest;
    return m_CalculationResult;
}

void HQDataCalculation::searchHighestAndLowest() {
    const bool hasBars = !m_dataArray.empty() && m_dataArray.front();
    if (!hasBars) {
        return;
    }
    if (m_DataType == kMainPriceChart) {
        searchMainRange();
    } else if (m_DataType == kMACDChart) {
        searchMACDRange();
    }
}

void HQDataCalculation::setLowestValueAndHighestValue(double value) {
    if (m_lowest > value) {
        m_lowest = value;
    }
    if (m_lowest <= 0) {
        m_lowest = 0;
    }
    if (m_highest < value) {
        m_highest = value;
    }
}

void HQDataCalculation::searchMainRange() {
    m_lowest = m_dataArray.front()->lowest;
    m_highest = m_dataArray.front()->highest;
    for (const auto& bar : m_dataArray) {
        if (!bar) {
            continue;
        }
        const double low = nonNegative(bar->lowest);
        setLowestValueAndHighestValue(low);
        setLowestValueAndHighestValue(nonNegative(bar->highest));
        const PMAGroupItem* averages = bar->PMAGroup.get();
        for (const auto* average : {averages ? averages->PMA5Data.get() : nullptr,
                                    averages ? averages->PMA10Data.get() : nullptr,
                                    averages ? averages->PMA20Data.get() : nullptr,
                                    averages ? averages->PMA30Data.get() : nullptr}) {
            setLowestValueAndHighestValue(average ? average->value : low);
        }
    }
}

void HQDataCalculation::searchMACDRange() {
    m_lowest = m_highest = indicators(*m_dataArray.front()).dif;
    for (const auto& bar : m_dataArray) {
        if (!bar) {
            continue;
        }
        const MACDKDJGroupItem& values = indicators(*bar);
        for (double value : {values.dif, values.dea, values.macd}) {
            m_lowest = std::min(m_lowest, value);
            m_highest = std::max(m_highest, value);
        }
        m_highest = std::max(m_highest, 0.0);
        m_lowest = std::min(m_lowest, 0.0);
    }
}
