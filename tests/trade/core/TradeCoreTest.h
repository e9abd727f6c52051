#pragma once
// Fixture of the trading-core tests: a fresh application home, a test host, a registered
// trading module whose three links point at a scripted loopback server, and run-loop helpers.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TradeScriptServer.h"
#include "TradeTestHost.h"
#include "quote/VKJYHangQingDataClass.h"
#include "support/TempHome.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeNetworkManger.h"

// Records every callback a request facade makes.
class RecordingTradeDelegate : public PXTradeNetworkMangerDelegate {
public:
    struct Call {
        std::string kind;  // "finished", "failed", "requestFailed"
        std::string typeNW;
        int code = 0;
        bool hasData = false;
        PXTradeResult data;
        std::string errorMessage;
    };
    std::vector<Call> calls;
    // Orders announced as going out, with the server's request count at that moment.
    std::vector<size_t> ordersSent;
    std::function<size_t()> requestCount;

    void orderSent(PXTradeNetworkManger*) override {
        ordersSent.push_back(requestCount ? requestCount() : 0);
    }
    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;
};

class TradeCoreTest : public ::testing::Test {
protected:
    TradeCoreTest();
    ~TradeCoreTest() override;

    PXTradeModule& module() { return *m_module; }
    // A facade with a fresh recording delegate.
    std::shared_ptr<PXTradeNetworkManger> newManager();
    bool runUntil(const std::function<bool()>& condition, double seconds = 5.0);
    bool runFor(double seconds, const std::function<bool()>& condition = {});
    // Runs until the recording delegate has n calls.
    bool waitForCalls(size_t n, double seconds = 5.0);
    void setDefault(const std::string& key, const std::string& value);
    // Puts a commodity with a live quote on the quote side, in market 1 panel 1 (platform "01",
    // environment "1"); a quote only when withQuote.
    void addQuote(const std::string& code, int id, double newPrice, double buyPrice,
                  double sellPrice, bool withQuote = true);
    // A commodity record in the store with that trade mode and trade unit.
    void addCommodity(const std::string& code, const std::string& mode = "1",
                      const std::string& unit = "10", const std::string& name = "");

    TempHome m_home;
    TradeScriptServer m_server;
    TradeTestHost m_host;
    std::unique_ptr<PXTradeModule> m_module;
    std::shared_ptr<RecordingTradeDelegate> m_delegate;
    std::shared_ptr<VKJYHangQingDataClass> m_quoteSide;
};
