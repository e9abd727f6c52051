#pragma once

// One row of the watch-list editor (reuse identifier "commodityCell"): code, name and a tick,
// white with a full tick when the commodity is watched, grey with an empty one otherwise.
// Shared between the editor's table and the editor. Main thread.

#include <memory>

#include "platform/ui/TableViewCell.h"

class ImageView;
class Label;
struct commodityInfo;

class VKJYEditChooseCommodityCell : public TableViewCell {
public:
    static constexpr const char* kReuseIdentifier = "commodityCell";

    VKJYEditChooseCommodityCell();

    const std::shared_ptr<commodityInfo>& CommodityInfo() const { return m_commodity; }
    void setCommodityInfo(std::shared_ptr<commodityInfo> commodity);
    void setBeChoose(bool chosen);
    bool isChosen() const { return m_chosen; }

    Label* commodityIDLabel() const { return m_idLabel; }
    Label* commodityNameLabel() const { return m_nameLabel; }
    ImageView* chooseImageView() const { return m_chooseImageView; }

private:
    std::shared_ptr<commodityInfo> m_commodity;
    Label* m_idLabel = nullptr;
    Label* m_nameLabel = nullptr;
    ImageView* m_chooseImageView = nullptr;
    bool m_chosen = false;
};
