#pragma once
// A host for the trading core in tests: a directory model of one platform "01" with
// environment "1" (or whatever a test sets), and records of every dialog, toast, tab change,
// log line and hand-over the core asks for.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "trade/core/PXTradeHost.h"

class TradeTestHost : public PXTradeHost {
public:
    struct ShownAlert {
        PXTradeAlert alert;
        std::function<void(int)> onButton;
        // Taken off the window by the end of its session.
        bool leftWithSession = false;
    };

    // platform -> environment -> business type -> lines
    std::map<std::string, std::map<std::string, std::map<std::string, std::vector<PXTradeLine>>>>
        directory;
    std::string directoryUrl;
    std::string smsServiceUrl;
    std::string accountsPath;
    bool tradeTabSelected = false;

    std::vector<ShownAlert> alerts;
    std::vector<std::pair<std::string, double>> toasts;
    std::vector<std::string> tabActions;
    std::vector<std::string> logLines;
    std::vector<std::string> savedTokens;
    std::vector<std::pair<const void*, std::vector<std::string>>> handedCommodities;

    void setLines(const std::string& platform, const std::string& environment,
                  const std::string& type, std::vector<PXTradeLine> lines) {
        directory[platform][environment][type] = std::move(lines);
    }

    std::vector<std::string> allJysCodeWithEnvAndLL() override;
    std::vector<std::string> allEnvCodeWithLL(const std::string& platform) override;
    std::optional<std::vector<PXTradeLine>> llArray(const std::string& platform,
                                                    const std::string& environment,
                                                    const std::string& type) override;
    std::string directoryAvailableUrl() override { return directoryUrl; }
    std::string serviceFirstZuLLUrl(const std::string& type) override {
        return type == "2" ? smsServiceUrl : std::string();
    }
    std::string accountInfoFilePath() override { return accountsPath; }
    void saveTokenB(const std::string& token) override { savedTokens.push_back(token); }
    bool hasSelectedTradeTab() override { return tradeTabSelected; }
    void selectTradeTab() override { tabActions.push_back("selectTradeTab"); }
    void selectHangQingTab() override { tabActions.push_back("selectHangQingTab"); }
    void popSelectedTabToRoot(bool tellWillAppear) override {
        tabActions.push_back(tellWillAppear ? "popToRootAndAppear" : "popToRoot");
    }
    void showAlert(const PXTradeAlert& alert, std::function<void(int)> onButton) override {
        alerts.push_back({alert, std::move(onButton)});
    }
    void sessionEnded() override {
        for (ShownAlert& shown : alerts) {
            shown.leftWithSession = shown.leftWithSession || shown.alert.endsWithSession;
        }
    }
    void showToast(const std::string& text, double seconds) override {
        toasts.emplace_back(text, seconds);
    }
    void writeDataToNSLogFile(const std::string& text, const std::string& file,
                              const std::string& directoryName) override {
        logLines.push_back(directoryName + "/" + file + ":" + text);
    }
    void setTradeCommodityList(const void* marketList,
                               const std::vector<std::shared_ptr<commodityInfo>>& list) override;
};
