#pragma once

// The drop-down list of the customer's banks on the transfer form and the balance query: the
// bank records the funds home stored in the trading store, read afresh at every reload, one row
// per bank showing its name. Hidden (alpha 0) until shown; a tapped row hides the list and is
// handed to the owner. Owned by its superview; main thread.

#include <functional>

#include "platform/ui/TableView.h"
#include "trade/core/PXTradeTypes.h"

class PXJYBankListView : public TableView, private TableViewDataSource, private TableViewDelegate {
public:
    using ChooseAction = std::function<void(const JYDict& bank)>;

    PXJYBankListView(const Rect& frame, ChooseAction onChoose);

    // Reloads the banks and shows the list.
    void show();
    void hide() { setAlpha(0); }
    bool isShown() const { return alpha() > 0; }

private:
    int numberOfRows(TableView&, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath indexPath) override;
    std::optional<double> heightForRow(TableView&, IndexPath) override { return 45; }
    void didSelectRow(TableView&, IndexPath indexPath) override;

    ChooseAction m_onChoose;
};
