#pragma once

// The deal list panel: a 130-point card a deal on a load-more table, with its own bar whose back
// button slides it out. Pulling past the end asks the owner for the next page; a tap on a card
// asks it to show that deal. Sends no request. Owned by the deal query screen's view; main
// thread.

#include <string>
#include <vector>

#include "platform/ui/View.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/core/PXTradeTypes.h"
#include "widgets/LoadMoreTableView.h"

class PXJYChengJiaoListViewDelegate;
class VKJYNavigationBarView;

class PXJYChengJiaoListView : public View,
                              public TableViewDataSource,
                              public TableViewDelegate,
                              public LoadMoreTableViewDelegate,
                              public VKJYNavigationBarViewDelegate {
public:
    static constexpr double kCardHeight = 130;

    explicit PXJYChengJiaoListView(const Rect& frame);

    void setDelegate(PXJYChengJiaoListViewDelegate* delegate) { m_delegate = delegate; }
    // Eight card titles and the six record keys of the card values.
    void setBiaoTiArray(std::vector<std::string> titles) { m_biaoTiArray = std::move(titles); }
    void setKeyArray(std::vector<std::string> keys) { m_keyArray = std::move(keys); }
    std::vector<JYDict>& dataList() { return m_dataList; }
    LoadMoreTableView* listView() const { return m_listView; }
    VKJYNavigationBarView* navigationBarView() const { return m_navigationBarView; }

    void reloadDataView();
    void loadMoreEnd();
    // The eight values of a card, the last one the profit or loss.
    std::vector<std::string> cardValues(const JYDict& record) const;

    int numberOfRows(TableView& table, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath indexPath) override;
    std::optional<double> heightForRow(TableView& table, IndexPath indexPath) override;
    void didSelectRow(TableView& table, IndexPath indexPath) override;
    void loadMoreTableViewDidTriggerLoadMore(LoadMoreTableView& table) override;
    void VKJYNavBackAction() override;

private:
    std::unique_ptr<View> getCellJYView(int row) const;

    PXJYChengJiaoListViewDelegate* m_delegate = nullptr;
    std::vector<std::string> m_biaoTiArray;
    std::vector<std::string> m_keyArray;
    std::vector<JYDict> m_dataList;
    LoadMoreTableView* m_listView = nullptr;
    VKJYNavigationBarView* m_navigationBarView = nullptr;
};
