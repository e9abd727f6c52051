#pragma once

// The trade home: one section per saved account (exchange and environment band where they
// change, the account row with its switch button); under the logged-in account its figures
// (equity, floating profit and loss, risk rate), the column titles (a tap flips between the
// two column sets) and its holdings with the watched commodities it may trade; a tapped
// holdings row opens into its order buttons. Rebuilt from the store on reloadTableView. Owned
// by the trade root's view; the delegate is the root (not owned). Main thread.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/TableView.h"
#include "trade/core/PXTradeTypes.h"
#include "trade/login/PXJYSavedAccounts.h"
#include "trade/login/PXTradeHomeRowCell.h"

class PXTradeHomeViewDelegate;

class PXTradeHomeView : public View, public TableViewDataSource, public TableViewDelegate {
public:
    static constexpr double kFiguresHeight = 95;
    static constexpr double kTitlesHeight = 25;
    static constexpr double kRowHeight = 45;
    static constexpr double kOpenedRowHeight = 90;

    explicit PXTradeHomeView(const Rect& frame);

    PXTradeHomeViewDelegate* delegate() const { return m_delegate; }
    void setDelegate(PXTradeHomeViewDelegate* delegate) { m_delegate = delegate; }

    void reloadTableView();
    void setCommodityAllKeys();
    void headerButtonClick(int section);
    // The order buttons of the opened row (0 to 7).
    void orderButtonClick(int index);
    void PXJYSimpleLoginSuccess();

    TableView* chiCangListView() const { return m_chiCangListView; }
    const std::vector<PXJYSavedAccount>& allAccountArray() const { return m_allAccountArray; }
    const PXTradeSummaryList& commodityAllKeys() const { return m_commodityAllKeys; }
    bool commodityInfoChange() const { return m_commodityInfoChange; }
    // Where the open row is drawn now: under the logged-in account, at its holding's row.
    std::optional<IndexPath> selectedCellIndexPath() const;
    // The section of the logged-in account, if it is saved.
    std::optional<int> loggedInSection() const;

    int numberOfSections(TableView& table) override;
    int numberOfRows(TableView& table, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath indexPath) override;
    std::string keyForRow(TableView& table, IndexPath indexPath) override;
    std::optional<double> heightForRow(TableView& table, IndexPath indexPath) override;
    std::optional<double> heightForHeader(TableView& table, int section) override;
    std::shared_ptr<View> viewForHeader(TableView& table, int section) override;
    void didSelectRow(TableView& table, IndexPath indexPath) override;

private:
    std::shared_ptr<TableViewCell> figuresCell(TableView& table);
    std::shared_ptr<TableViewCell> titlesCell(TableView& table);
    std::shared_ptr<TableViewCell> holdingCell(TableView& table, IndexPath indexPath);
    // The open row's buttons, by its commodity's mode; the last two off on a placeholder.
    std::vector<PXTradeHomeRowCell::OrderButton> orderButtons(size_t row) const;
    static bool isOrderBook(const PXJYChiCangHuiZong& summary);
    // An order button by its place in the open row, read as the open row's commodity says.
    void orderButtonAt(int position);
    // The open row's holding as listed now, or null.
    std::shared_ptr<PXJYChiCangHuiZong> openSummary() const;
    bool isOpen(const PXJYChiCangHuiZong& summary) const;
    void forgetOpenRowIfGone();

    // The open row is its holding's (commodity and side) under the account it was opened in,
    // not a place in the list: it follows its holding when rows or sections move and goes with it.
    struct OpenRow {
        std::string account;
        std::string commodityCode;
        std::string buySellSign;
    };

    PXTradeHomeViewDelegate* m_delegate = nullptr;
    std::string m_currentAccountLogin;
    std::vector<PXJYSavedAccount> m_allAccountArray;
    PXTradeSummaryList m_commodityAllKeys;
    size_t m_realSummaries = 0;
    bool m_commodityInfoChange = true;
    std::optional<OpenRow> m_openRow;
    TableView* m_chiCangListView = nullptr;
};
