#pragma once

#include <memory>
#include <variant>
#include <vector>

#include "chart/ChartDrawingRecords.h"
#include "chart/HQCalculationResult.h"
#include "chart/HQPoint.h"

struct KLineDataItem;
struct MACDKDJGroupItem;
class VariableAboutDevice;

using FenShiRows = std::vector<std::shared_ptr<FenShiDataItem>>;
using KLineBars = std::vector<std::shared_ptr<KLineDataItem>>;
using ConversionData = std::variant<FenShiRows, KLineBars>;
// std::monostate stands for "no result".
using ConversionOutput = std::variant<
    std::monostate, std::vector<std::shared_ptr<FenShiDrawDataItem>>,
    std::vector<std::shared_ptr<KLineDrawDataItem>>, std::vector<std::shared_ptr<MACDDrawDataItem>>,
    std::vector<std::shared_ptr<KDJDrawDataItem>>, std::vector<std::shared_ptr<HQPoint>>>;

// Base of the converters that turn quote records into plot points for one
// chart view, from the value range and the layout object. Made fresh by the
// chart view for each rebuild; main thread only.
class HQDataConversion {
public:
    virtual ~HQDataConversion() = default;

    // Returns one output record per input entry, in input order; the base
    // class has no result. Data of the wrong kind for a converter has none.
    virtual ConversionOutput dataConversionToCoordinateType(
        int type, const ConversionData& data, const std::shared_ptr<HQCalculationResult>& range,
        const VariableAboutDevice& device);

    int type() const { return m_type; }
    void setType(int type) { m_type = type; }
    const std::shared_ptr<HQCalculationResult>& valueRange() const { return m_valueRange; }
    void setValueRange(std::shared_ptr<HQCalculationResult> range) {
        m_valueRange = std::move(range);
    }
    const ConversionOutput& coordinateArray() const { return m_coordinateArray; }
    void setCoordinateArray(ConversionOutput output) { m_coordinateArray = std::move(output); }
    int offset() const { return m_offset; }
    void setOffset(int offset) { m_offset = offset; }

protected:
    // y of value in an area from bottom up over height: the range's highest
    // lands on the top, its lowest on the bottom, an empty range in the middle.
    static float valueY(double value, const HQCalculationResult& range, double bottom,
                        double height);
    // Indicator series start where the first bar has indicators.
    static bool firstBarHasIndicators(const KLineBars& bars);
    // A bar's indicators; a bar without any reads as zeros.
    static const MACDKDJGroupItem& indicatorsOf(const std::shared_ptr<KLineDataItem>& bar);

private:
    int m_type = 0;
    std::shared_ptr<HQCalculationResult> m_valueRange;
    ConversionOutput m_coordinateArray;
    int m_offset = 0;
};
