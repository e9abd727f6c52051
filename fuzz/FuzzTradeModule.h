#pragma once

#include "FuzzInput.h"
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

    using Parse = void (PXTradeDataAnalysis::*)(const std::string&);
    // Byte 0 picks the reply parser, the rest is the body.
    template <std::size_t N>
    static void parseSelected(const Parse (&parsers)[N], const FuzzInput& input) {
        const Parse chosen = parsers[input.selector() % N];
        const std::string body = input.restText();
        parse([&](PXTradeDataAnalysis& parser) { (parser.*chosen)(body); });
    }

private:
    int m_answers = 0;
};
