#include "platform/ui/TabBar.h"

#include "platform/graphics/GraphicsContext.h"
#include "platform/ui/Touch.h"

TabBar::TabBar(const Rect& frame) : View(frame) {
    setBackgroundColor(Color::rgb(24, 24, 28));
}

void TabBar::setItems(std::vector<TabBarItem> items) {
    m_items = std::move(items);
    setNeedsDisplay();
}

void TabBar::setSelectedIndex(int index) {
    m_selected = index;
    setNeedsDisplay();
}

void TabBar::setBackgroundImage(const Image& image) {
    m_background = image;
    setNeedsDisplay();
}

void TabBar::setSelectionIndicatorImage(const Image& image) {
    m_indicator = image;
    setNeedsDisplay();
}

void TabBar::setTitleColor(const Color& color) {
    m_titleColor = color;
    setNeedsDisplay();
}

void TabBar::setSelectedTitleColor(const Color& color) {
    m_selectedTitleColor = color;
    setNeedsDisplay();
}

Rect TabBar::itemFrame(int index) const {
    Rect b = bounds();
    if (m_items.empty()) {
        return {};
    }
    double width = b.width / static_cast<double>(m_items.size());
    return {b.x + width * index, b.y, width, b.height};
}

void TabBar::draw(GraphicsContext& context, const Rect&) {
    context.drawImage(m_background, bounds());
    for (int i = 0; i < static_cast<int>(m_items.size()); ++i) {
        const TabBarItem& item = m_items[static_cast<std::size_t>(i)];
        Rect cell = itemFrame(i);
        bool selected = i == m_selected;
        if (selected) {
            context.drawImage(m_indicator, cell);
        }
        const Image& image =
            selected && !item.selectedImage.isEmpty() ? item.selectedImage : item.image;
        Size size = image.size();
        double top = item.title.empty() ? (cell.height - size.height) / 2 : 4;
        context.drawImage(image,
                          {cell.midX() - size.width / 2, cell.y + top, size.width, size.height});
        if (!item.title.empty()) {
            context.setFillColor(selected ? m_selectedTitleColor : m_titleColor);
            context.drawText(item.title, {cell.x, cell.maxY() - 16, cell.width, 14},
                             Font::system(10), LineBreakMode::TruncateTail, TextAlignment::Center);
        }
    }
}

void TabBar::touchesEnded(const TouchSet& touches, const Event&) {
    Point p = touches.front()->locationInView(this);
    for (int i = 0; i < static_cast<int>(m_items.size()); ++i) {
        if (itemFrame(i).contains(p)) {
            if (m_onTap) {
                m_onTap(i);
            }
            return;
        }
    }
}
