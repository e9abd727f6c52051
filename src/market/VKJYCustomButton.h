#pragma once

// A square tile of the watch grid: a watched commodity with its name, last price, change rate
// and direction arrow, or the "增减商品" tile; the same view with an image and a caption serves
// as a tool-bar button. A long press (1 s) puts a commodity tile into delete mode, shown by a
// delete mark at its corner; at most one tile is in delete mode (the shared quote state's
// delectedCommodityButton), and a finger resting on a tile holds back the market list's
// refresh. Owned by its superview; the delegate is not owned. Main thread.

#include <functional>
#include <memory>
#include <string>

#include "platform/ui/View.h"

class Button;
class ImageView;
class Label;
class VKJYCustomButtonDelegate;
struct YiKouJia;
struct commodityInfo;

class VKJYCustomButton : public View {
public:
    using Action = std::function<void(VKJYCustomButton&)>;

    static constexpr double kLongPressSeconds = 1.0;
    static constexpr double kLongPressMovement = 50;

    static std::unique_ptr<VKJYCustomButton> ChooseButtonframe(const Rect& frame);
    ~VKJYCustomButton() override;

    void setDelegate(VKJYCustomButtonDelegate* delegate) { m_delegate = delegate; }
    const std::shared_ptr<commodityInfo>& CommodityInfo() const { return m_commodity; }
    const std::shared_ptr<YiKouJia>& yikoujia() const { return m_yikoujia; }

    void setInfo(std::shared_ptr<commodityInfo> commodity);
    void setAddCommodity();
    void setYikoujia(std::shared_ptr<YiKouJia> quote);
    // An empty caption shows the image alone.
    void setImageStr(const std::string& imageName, const std::string& title);
    // What a tap outside delete mode does.
    void addTarget(Action action) { m_action = std::move(action); }

    Label* CommodityNameLabel() const { return m_nameLabel; }
    Label* CommodityPriceLabel() const { return m_priceLabel; }
    Label* CommodityAddPriceLabel() const { return m_changeLabel; }
    ImageView* arrowsImageView() const { return m_arrow; }
    Label* titleLabel() const { return m_titleLabel; }
    Button* DelectedButton() const { return m_deleteButton; }
    bool showsDeleteMark() const;
    void setShowsDeleteMark(bool shows);
    // Ends delete mode wherever it is on.
    static void endDeleteMode();

    void touchesBegan(const TouchSet& touches, const Event& event) override;
    void touchesEnded(const TouchSet& touches, const Event& event) override;
    void touchesCancelled(const TouchSet& touches, const Event& event) override;

private:
    explicit VKJYCustomButton(const Rect& frame);
    void addBackgrounds(const std::string& imageName, const Rect& frame);
    void setPressed(bool pressed);
    void longPressed();

    VKJYCustomButtonDelegate* m_delegate = nullptr;
    std::shared_ptr<commodityInfo> m_commodity;
    std::shared_ptr<YiKouJia> m_yikoujia;
    ImageView* m_normalImage = nullptr;
    ImageView* m_selectedImage = nullptr;
    Label* m_nameLabel = nullptr;
    Label* m_priceLabel = nullptr;
    ImageView* m_arrow = nullptr;
    Label* m_changeLabel = nullptr;
    ImageView* m_contentImage = nullptr;
    Label* m_titleLabel = nullptr;
    Button* m_deleteButton = nullptr;
    Action m_action;
};
