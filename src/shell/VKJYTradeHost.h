#pragma once

// The shell's side of the trading module: the directory look-ups, token B, the tab selector,
// alerts, toasts, the busy overlay and the day log, all through the application delegate.
// The market list registers where the held commodities go. Owned by the application delegate
// next to the trading module. Main thread.

#include <functional>
#include <vector>

#include "platform/foundation/WeakLink.h"
#include "trade/core/PXTradeHost.h"

class AlertView;
class VKJYAppDelegate;

class VKJYTradeHost : public PXTradeHost {
public:
    using CommodityListReceiver = std::function<void(
        const void* marketList, const std::vector<std::shared_ptr<commodityInfo>>& commodities)>;

    explicit VKJYTradeHost(VKJYAppDelegate& app);

    // Set by the market list; without one the held commodities go nowhere.
    static void setCommodityListReceiver(CommodityListReceiver receiver);

    std::vector<std::string> allJysCodeWithEnvAndLL() override;
    std::vector<std::string> allEnvCodeWithLL(const std::string& platform) override;
    std::optional<std::vector<PXTradeLine>> llArray(const std::string& platform,
                                                    const std::string& environment,
                                                    const std::string& ywType) override;
    std::string directoryAvailableUrl() override;
    std::string serviceFirstZuLLUrl(const std::string& type) override;
    std::string accountInfoFilePath() override;
    void saveTokenB(const std::string& token) override;
    bool hasSelectedTradeTab() override;
    void selectTradeTab() override;
    void selectHangQingTab() override;
    void popSelectedTabToRoot(bool tellWillAppear) override;
    void showAlert(const PXTradeAlert& alert, std::function<void(int)> onButton) override;
    void sessionEnded() override;
    void keepPastSession(int tag) override;
    void showToast(const std::string& text, double seconds) override;
    void writeDataToNSLogFile(const std::string& text, const std::string& file,
                              const std::string& directory) override;
    void setTradeCommodityList(const void* marketList,
                               const std::vector<std::shared_ptr<commodityInfo>>& list) override;

private:
    VKJYAppDelegate& m_app;
    std::vector<WeakLink<AlertView>> m_sessionAlerts;
};
