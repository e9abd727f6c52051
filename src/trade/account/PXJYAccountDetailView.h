#pragma once

// The "详细" panel of the account screen: fifteen rows of the logged-in account's funds and
// risk from the store. Its owner makes it once off screen, slides it in, refreshes it
// (setCellLabel, then reloadDataView) after each account reply and price refresh, and is told
// when the user closes it. Owned by its superview; the delegate is not owned. Main thread.

#include <vector>

#include "platform/ui/TableView.h"
#include "platform/ui/View.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/account/PXJYAccountDetailRows.h"

class PXJYAccountDetailViewDelegate {
public:
    virtual ~PXJYAccountDetailViewDelegate() = default;
    virtual void PXJYAccountDetailViewBackAction() {}
};

class PXJYAccountDetailView : public View,
                              public VKJYNavigationBarViewDelegate,
                              public TableViewDataSource,
                              public TableViewDelegate {
public:
    explicit PXJYAccountDetailView(const Rect& frame);

    void setCellLabel();
    void reloadDataView();
    const std::vector<PXJYAccountDetailRows::Row>& rows() const { return m_rows; }
    TableView* tableView() const { return m_AItableView; }
    void setDelegate(PXJYAccountDetailViewDelegate* delegate) { m_delegate = delegate; }

    void VKJYNavBackAction() override;
    int numberOfRows(TableView& table, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath indexPath) override;

private:
    TableView* m_AItableView = nullptr;
    std::vector<PXJYAccountDetailRows::Row> m_rows;
    PXJYAccountDetailViewDelegate* m_delegate = nullptr;
};
