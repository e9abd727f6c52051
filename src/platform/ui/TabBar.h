#pragma once

// The strip of tab items at the bottom of a tab bar controller: image over title, the
// selected item in its selected image and colour; a tap selects. Owned by the tab bar
// controller's view. Main thread only.

#include <functional>
#include <vector>

#include "platform/graphics/Image.h"
#include "platform/ui/TabBarItem.h"
#include "platform/ui/View.h"

class TabBar : public View {
public:
    explicit TabBar(const Rect& frame);

    void setItems(std::vector<TabBarItem> items);
    const std::vector<TabBarItem>& items() const { return m_items; }
    int selectedIndex() const { return m_selected; }
    void setSelectedIndex(int index);
    void setBackgroundImage(const Image& image);
    void setSelectionIndicatorImage(const Image& image);
    void setTitleColor(const Color& color);
    void setSelectedTitleColor(const Color& color);
    // Called with the index of a tapped item.
    void setTapHandler(std::function<void(int)> handler) { m_onTap = std::move(handler); }
    Rect itemFrame(int index) const;

    void draw(GraphicsContext& context, const Rect& rect) override;
    void touchesEnded(const TouchSet& touches, const Event& event) override;
    void touchesBegan(const TouchSet&, const Event&) override {}
    void touchesMoved(const TouchSet&, const Event&) override {}

    static constexpr double kHeight = 49;

private:
    std::vector<TabBarItem> m_items;
    int m_selected = 0;
    Image m_background;
    Image m_indicator;
    Color m_titleColor = Color::white(0.6);
    Color m_selectedTitleColor = Color::whiteColor();
    std::function<void(int)> m_onTap;
};
