#pragma once

#include "trade/core/PXTradeDataAnalysis.h"
#include "trade/core/PXTradeHost.h"
#include "trade/core/PXTradeModule.h"

// One trading module for the whole fuzzing run, on a host that answers every question with
// nothing, and a parser delegate that only checks the parser answers exactly once.
class FuzzTradeModule : public PXTradeDataAnalysisDelegate {
public:
    static PXTradeModule& module() {
        static PXTradeHost host;
        static PXTradeModule shared(host);
        return shared;
    }

    void dataAnalysisFinished(PXTradeDataAnalysis*) override { ++m_answers; }
    void dataAnalysisFailed(const std::string&, PXTradeDataAnalysis*) override { ++m_answers; }

    template <typename Parse>
    static void parse(Parse parse) {
        FuzzTradeModule delegate;
        PXTradeDataAnalysis parser(module());
        parser.setDelegate(&delegate);
        parse(parser);
        if (delegate.m_answers != 1) {
            __builtin_trap();
        }
    }

private:
    int m_answers = 0;
};
