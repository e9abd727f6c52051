#pragma once
// The full-screen listing book "挂牌列表": every listing of the host's last query, scrollable;
// choosing one hands it to the host and closes the book, as does the back button. Added over
// the host's view, which owns it; the delegate (the host) is not owned. Main thread.

#include <vector>

#include "platform/ui/TableView.h"
#include "platform/ui/View.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/core/PXTradeTypes.h"

class PXJYGuaPaiMoreListDelegate {
public:
    virtual ~PXJYGuaPaiMoreListDelegate() = default;
    virtual void selectedMoreGuaPaiList(const JYDict& /*listing*/) {}
};

class PXJYGuaPaiMoreList : public View,
                           public TableViewDataSource,
                           public TableViewDelegate,
                           public VKJYNavigationBarViewDelegate {
public:
    static constexpr double kRowHeight = 30;

    explicit PXJYGuaPaiMoreList(const Rect& frame);

    void setDataArray(std::vector<JYDict> rows) { m_dataArray = std::move(rows); }
    const std::vector<JYDict>& dataArray() const { return m_dataArray; }
    void reloadTableView();
    TableView* listView() const { return m_listView; }
    PXJYGuaPaiMoreListDelegate* delegate() const { return m_delegate; }
    void setDelegate(PXJYGuaPaiMoreListDelegate* delegate) { m_delegate = delegate; }

    void VKJYNavBackAction() override;
    int numberOfRows(TableView&, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath indexPath) override;
    std::string keyForRow(TableView&, IndexPath indexPath) override;
    void didSelectRow(TableView& table, IndexPath indexPath) override;

private:
    std::vector<JYDict> m_dataArray;
    TableView* m_listView = nullptr;
    PXJYGuaPaiMoreListDelegate* m_delegate = nullptr;
};
