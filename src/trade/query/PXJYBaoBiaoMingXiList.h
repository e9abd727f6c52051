#pragma once

// The result list of a report: a totals section ("  总计") read from the first record, where
// the server puts the report's totals, and a details section ("  明细") with one row per
// record, laid out per report kind. Pulling past the end asks the delegate for the next page;
// a tap on a detail row asks it to show that record. Built once by the report screen, parked
// to its right until the first page arrives; its own bar's back button parks it again. Sends
// no request. Owned by the report screen's view; main thread.

#include <string>
#include <vector>

#include "platform/ui/View.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/core/PXTradeTypes.h"
#include "widgets/LoadMoreTableView.h"

class PXJYBaoBiaoMingXiListDelegate;
class VKJYNavigationBarView;

class PXJYBaoBiaoMingXiList : public View,
                              public TableViewDataSource,
                              public TableViewDelegate,
                              public LoadMoreTableViewDelegate,
                              public VKJYNavigationBarViewDelegate {
public:
    // One place of a detail row: its title and the record key of its value (" " for none).
    struct Place {
        std::string title;
        std::string key;
    };

    explicit PXJYBaoBiaoMingXiList(const Rect& frame);

    void setDelegate(PXJYBaoBiaoMingXiListDelegate* delegate) { m_delegate = delegate; }
    VKJYNavigationBarView* navigationBarView() const { return m_navigationBarView; }
    LoadMoreTableView* BBtableView() const { return m_tableView; }
    const std::vector<JYDict>& dataList() const { return m_dataList; }
    void setDataList(std::vector<JYDict> records) { m_dataList = std::move(records); }
    int baoBiaotype() const { return m_baoBiaotype; }
    void setBaoBiaotype(int kind) { m_baoBiaotype = kind; }
    double cellHeight() const { return m_cellHeight; }

    // Takes the kind's totals, detail places and row height; another kind changes nothing.
    void setCellLabel();
    void reloadDataView();
    void loadMoreEnd();
    // The titles and values of the totals rows.
    std::vector<std::pair<std::string, std::string>> totals() const;
    // The texts of a detail row's places, in place order (title, value, title, value, ...).
    std::vector<std::string> placeTexts(int row) const;

    int numberOfSections(TableView&) override { return 2; }
    int numberOfRows(TableView& table, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath indexPath) override;
    std::optional<double> heightForRow(TableView& table, IndexPath indexPath) override;
    std::optional<double> heightForHeader(TableView&, int) override { return 44; }
    std::shared_ptr<View> viewForHeader(TableView& table, int section) override;
    void didSelectRow(TableView& table, IndexPath indexPath) override;
    void loadMoreTableViewDidTriggerLoadMore(LoadMoreTableView& table) override;
    void VKJYNavBackAction() override;

private:
    std::unique_ptr<View> getMXCellJYView(int row) const;
    std::string valueText(const JYDict& record, const std::string& key, bool lastLine) const;

    PXJYBaoBiaoMingXiListDelegate* m_delegate = nullptr;
    VKJYNavigationBarView* m_navigationBarView = nullptr;
    LoadMoreTableView* m_tableView = nullptr;
    std::vector<JYDict> m_dataList;
    int m_baoBiaotype = -1;
    double m_cellHeight = 80;
    std::vector<Place> m_totals;
    std::vector<Place> m_places;
};
