#pragma once

// "切换链路": the trading lines of the current exchange and environment, the time each took in
// the last manual line test, and a mark on the line in use; tapping a row makes its line the
// trading line at once (in memory only). The line tester is made with the view and reused.
// Pushed by the more menu; owned by its navigation stack. Main thread only.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"
#include "shell/VKJYActivityHold.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/core/PXJYCeSuVC.h"
#include "trade/core/PXTradeHost.h"

class PXJYChangeLinkVC : public ViewController,
                         public VKJYNavigationBarViewDelegate,
                         public TableViewDataSource,
                         public TableViewDelegate,
                         public PXJYCeSuVCDelegate {
public:
    ~PXJYChangeLinkVC() override;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    void ceSuButtonAction();
    const std::vector<PXTradeLine>& tradeLinkArray() const { return m_tradeLinkArray; }
    TableView* tableView() const { return m_tableView; }

    void VKJYNavBackAction() override;
    void PXCeSuFinished(const std::map<std::string, std::string>* timesDic) override;
    int numberOfRows(TableView& table, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath indexPath) override;
    void didSelectRow(TableView& table, IndexPath indexPath) override;

private:
    std::unique_ptr<View> setCellView(const PXTradeLine& line) const;

    TableView* m_tableView = nullptr;
    std::vector<PXTradeLine> m_tradeLinkArray;
    std::optional<std::map<std::string, std::string>> m_linkTimeDic;
    std::shared_ptr<PXJYCeSuVC> m_ceSuVC;
    // Up while a speed test runs.
    VKJYActivityHold m_testing;
};
