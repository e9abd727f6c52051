#pragma once
// The panel "详细" of the commodity rules screen: the rules of one commodity as title/value
// rows, refilled for each commodity tapped. Parked one screen width to the right by its host,
// slid in by the host and out by its own back button. Owned by its host's view; main thread.

#include <string>
#include <vector>

#include "platform/ui/TableView.h"
#include "platform/ui/View.h"
#include "shell/VKJYNavigationBarViewDelegate.h"

class VKJYNavigationBarView;

class PXJYCommodityDetailView : public View,
                                public TableViewDataSource,
                                public TableViewDelegate,
                                public VKJYNavigationBarViewDelegate {
public:
    static constexpr double kRowHeight = 40;

    explicit PXJYCommodityDetailView(const Rect& frame);

    const std::string& commodityCode() const { return m_commodityCode; }
    void setCommodityCode(const std::string& code) { m_commodityCode = code; }
    // Rebuilds both columns for the commodity as the trading store holds it now.
    void setCellLabel();
    void reloadDataView();
    bool isShown() const;

    const std::vector<std::string>& AItitleArray() const { return m_titles; }
    const std::vector<std::string>& AIvalueArray() const { return m_values; }
    TableView* AItableView() const { return m_table; }
    VKJYNavigationBarView* navigationBarView() const { return m_navigationBarView; }

    void VKJYNavBackAction() override;
    int numberOfRows(TableView& table, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath indexPath) override;

private:
    std::string m_commodityCode;
    std::vector<std::string> m_titles;
    std::vector<std::string> m_values;
    TableView* m_table = nullptr;
    VKJYNavigationBarView* m_navigationBarView = nullptr;
};
