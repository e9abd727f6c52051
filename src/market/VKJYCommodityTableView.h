#pragma once

// The quote screen's commodity pop-over: the commodities of the panel the screen was opened
// with (the section that lists that commodity), one name per row. Opened
// under an anchor point, hidden after a pick. Owned by the quote screen's view; the delegate
// (the quote screen) is not owned. Main thread.

#include <memory>
#include <vector>

#include "platform/ui/TableView.h"
#include "platform/ui/View.h"

class ImageView;
class VKJYCommodityTableViewDelegate;
struct MarketItem;
struct commodityInfo;

class VKJYCommodityTableView : public View, public TableViewDataSource, public TableViewDelegate {
public:
    static constexpr double kWidth = 183;
    static constexpr double kHeight = 220;
    static constexpr double kRowHeight = 44;

    VKJYCommodityTableView(std::vector<std::shared_ptr<MarketItem>> commodityInfoArray,
                           std::shared_ptr<commodityInfo> currentCommodityInfo);

    VKJYCommodityTableViewDelegate* delegate() const { return m_delegate; }
    void setDelegate(VKJYCommodityTableViewDelegate* delegate) { m_delegate = delegate; }
    TableView* ComTableView() const { return m_table; }
    ImageView* backgroundImageView() const { return m_backgroundImageView; }
    Point arrowsPoint() const { return m_arrowsPoint; }
    // Top edge at the point's y, centred on its x; shows the pop-over.
    void setArrowsPoint(Point point);

    int numberOfRows(TableView&, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView&, IndexPath indexPath) override;
    std::optional<double> heightForRow(TableView&, IndexPath) override { return kRowHeight; }
    void didSelectRow(TableView&, IndexPath indexPath) override;

private:
    const std::vector<std::shared_ptr<commodityInfo>>* rows() const;

    std::vector<std::shared_ptr<MarketItem>> m_commodityInfoArray;
    std::shared_ptr<commodityInfo> m_currentCommodityInfo;
    int m_section = -1;
    VKJYCommodityTableViewDelegate* m_delegate = nullptr;
    TableView* m_table = nullptr;
    ImageView* m_backgroundImageView = nullptr;
    Point m_arrowsPoint;
};
