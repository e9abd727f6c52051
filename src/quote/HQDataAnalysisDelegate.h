#pragma once

// The listener of a many-day time-sharing file parse (HQDataAnalysis::analysisManyDayFenShiZipData):
// told before the parse returns, on the parsing thread. Empty default bodies.

#include <string>

class HQDataAnalysis;

class HQDataAnalysisDelegate {
public:
    virtual ~HQDataAnalysisDelegate() = default;

    virtual void dataAnalysisFinished(HQDataAnalysis* /*parser*/) {}
    virtual void dataAnalysisFailed(const std::string& /*message*/, HQDataAnalysis* /*parser*/) {}
};
