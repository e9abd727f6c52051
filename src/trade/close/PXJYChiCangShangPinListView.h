#pragma once
// The held-commodity picker: one row per holding summary (commodity and side) with its
// floating profit or loss, held lots, average holding price and the live closing price; a tap
// tells the delegate which summary was chosen (the host slides the picker out). Owned by its
// host's view; the delegate is not owned. Main thread.

#include <vector>

#include "trade/close/PXChiCangPickerView.h"

class PXJYChiCangHuiZong;

class PXJYChiCangShangPinListViewDelegate {
public:
    virtual ~PXJYChiCangShangPinListViewDelegate() = default;
    virtual void PXChangeAnCommodity(const std::shared_ptr<PXJYChiCangHuiZong>& summary) = 0;
};

class PXJYChiCangShangPinListView : public PXChiCangPickerView {
public:
    static constexpr double kRowHeight = 105;

    explicit PXJYChiCangShangPinListView(const Rect& frame);

    void setDelegate(PXJYChiCangShangPinListViewDelegate* delegate) { m_delegate = delegate; }
    const std::vector<std::shared_ptr<PXJYChiCangHuiZong>>& allChiCangShangPinCommodity() const {
        return m_rows;
    }
    // Replaces the rows; drawn at the next reload.
    void setAllChiCangShangPinCommodity(std::vector<std::shared_ptr<PXJYChiCangHuiZong>> rows) {
        m_rows = std::move(rows);
    }
    void chicangShangPinListViewreloadView();

    int numberOfRows(TableView&, int section) override;
    std::string keyForRow(TableView&, IndexPath indexPath) override;
    void didSelectRow(TableView& table, IndexPath indexPath) override;

protected:
    std::shared_ptr<View> getCellJYView(int row) const override;
    void emptyRows() override { m_rows.clear(); }

private:
    PXJYChiCangShangPinListViewDelegate* m_delegate = nullptr;
    std::vector<std::shared_ptr<PXJYChiCangHuiZong>> m_rows;
};
