#pragma once
// The holding-number picker: one row per holding ticket with its floating profit or loss,
// commodity, lots, side, live closing price and opening time; a tap tells the delegate which
// number was chosen (the host slides the picker out). A number no longer held shows "--" in
// place of what it had. Owned by its host's view; the delegate is not owned. Main thread.

#include <string>
#include <vector>

#include "trade/close/PXChiCangPickerView.h"

class PXJYChiCangDanHaoListViewDelegate {
public:
    virtual ~PXJYChiCangDanHaoListViewDelegate() = default;
    virtual void PXChangeAnDanHao(const std::string& number) = 0;
};

class PXJYChiCangDanHaoListView : public PXChiCangPickerView {
public:
    static constexpr double kRowHeight = 130;

    explicit PXJYChiCangDanHaoListView(const Rect& frame);

    void setDelegate(PXJYChiCangDanHaoListViewDelegate* delegate) { m_delegate = delegate; }
    const std::vector<std::string>& allChiCangDanHaoID() const { return m_numbers; }
    void setAllChiCangDanHaoID(std::vector<std::string> numbers) { m_numbers = std::move(numbers); }
    void chicangDanHaoListViewreloadView();

    int numberOfRows(TableView&, int section) override;
    std::string keyForRow(TableView&, IndexPath indexPath) override;
    void didSelectRow(TableView& table, IndexPath indexPath) override;

    // "yyyy-MM-dd HH:mm:ss" in the device's zone of milliseconds since 1970; "--" when the
    // text holds no time.
    static std::string openingTimeText(const std::string& milliseconds);

protected:
    std::shared_ptr<View> getCellJYView(int row) const override;
    void emptyRows() override { m_numbers.clear(); }

private:
    PXJYChiCangDanHaoListViewDelegate* m_delegate = nullptr;
    std::vector<std::string> m_numbers;
};
