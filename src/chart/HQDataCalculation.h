#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "chart/HQCalculationResult.h"

struct KLineDataItem;
class VariableAboutDevice;

// Searches the value range of a window of K-line bars: prices and moving
// averages (data type 0, never below 0) or MACD (data type 1, always
// containing 0). Made by the K-line chart view per window; main thread only.
class HQDataCalculation {
public:
    static constexpr uint32_t kMainPriceChart = 0;
    static constexpr uint32_t kMACDChart = 1;

    HQDataCalculation(std::vector<std::shared_ptr<KLineDataItem>> bars,
                      std::shared_ptr<VariableAboutDevice> device, uint32_t dataType);

    // Searches and returns the same result object on every call. Another data
    // type or an empty window leaves the running range as it is (0..0 at first).
    std::shared_ptr<HQCalculationResult> getCalculationResult();
    void searchHighestAndLowest();
    // Folds one price into the main range, which never goes below 0.
    void setLowestValueAndHighestValue(double value);

    const std::vector<std::shared_ptr<KLineDataItem>>& dataArray() const { return m_dataArray; }
    void setDataArray(std::vector<std::shared_ptr<KLineDataItem>> bars) {
        m_dataArray = std::move(bars);
    }
    const std::shared_ptr<VariableAboutDevice>& device() const { return m_device; }
    void setDevice(std::shared_ptr<VariableAboutDevice> device) { m_device = std::move(device); }
    uint32_t DataType() const { return m_DataType; }
    void setDataType(uint32_t dataType) { m_DataType = dataType; }
    int offset() const { return m_offset; }
    void setOffset(int offset) { m_offset = offset; }
    const std::shared_ptr<HQCalculationResult>& CalculationResult() const {
        return m_CalculationResult;
    }
    void setCalculationResult(std::shared_ptr<HQCalculationResult> result) {
        m_CalculationResult = std::move(result);
    }
    double highest() const { return m_highest; }
    void setHighest(double value) { m_highest = value; }
    double lowest() const { return m_lowest; }
    void setLowest(double value) { m_lowest = value; }

private:
    void searchMainRange();
    void searchMACDRange();

    std::vector<std::shared_ptr<KLineDataItem>> m_dataArray;
    std::shared_ptr<VariableAboutDevice> m_device;
    uint32_t m_DataType = 0;
    int m_offset = 0;
    std::shared_ptr<HQCalculationResult> m_CalculationResult;
    double m_highest = 0;
    double m_lowest = 0;
};
