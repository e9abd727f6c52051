#include "platform/ui/ScrollView.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/WeakLink.h"
#include "platform/graphics/GraphicsContext.h"
#include "platform/ui/PanGestureRecognizer.h"

namespace {
constexpr double kSpringBackDuration = 0.3;
constexpr double kIndicatorWidth = 3;

double rubberBand(double offset, double low, double high) {
    if (offset < low) {
        return low - (low - offset) / 2;
    }
    if (offset > high) {
        return high + (offset - high) / 2;
    }
    return offset;
}
}  // namespace

ScrollView::ScrollView() : ScrollView(Rect{}) {}

ScrollView::ScrollView(const Rect& frame) : View(frame) {
    setClipsToBounds(true);
    auto pan = std::make_unique<PanGestureRecognizer>([this](GestureRecognizer&) { handlePan(); });
    pan->setShouldBegin([this](GestureRecognizer& g) {
        if (!m_scrollEnabled) {
            return false;
        }
        Point t = static_cast<PanGestureRecognizer&>(g).translationInView(nullptr);
        bool horizontal = std::fabs(t.x) > std::fabs(t.y);
        return horizontal ? canScrollHorizontally() : canScrollVertically();
    });
    m_pan = static_cast<PanGestureRecognizer*>(addGestureRecognizer(std::move(pan)));
}

ScrollView::~ScrollView() = default;

void ScrollView::setContentSize(Size size) {
    m_contentSize = size;
    setNeedsLayout();
}

void ScrollView::setContentInset(const EdgeInsets& inset) {
    m_inset = inset;
    setNeedsLayout();
}

void ScrollView::setScrollEnabled(bool enabled) {
    m_scrollEnabled = enabled;
    m_pan->setEnabled(enabled);
}

bool ScrollView::canScrollHorizontally() const {
    return m_contentSize.width + m_inset.left + m_inset.right > bounds().width;
}

bool ScrollView::canScrollVertically() const {
    return m_alwaysBounceVertical ||
           m_contentSize.height + m_inset.top + m_inset.bottom > bounds().height;
}

Point ScrollView::minimumContentOffset() const {
    return {-m_inset.left, -m_inset.top};
}

Point ScrollView::maximumContentOffset() const {
    Point low = minimumContentOffset();
    return {std::max(low.x, m_contentSize.width + m_inset.right - bounds().width),
            std::max(low.y, m_contentSize.height + m_inset.bottom - bounds().height)};
}

Point ScrollView::clamped(Point offset) const {
    Point low = minimumContentOffset();
    Point high = maximumContentOffset();
    return {std::clamp(offset.x, low.x, high.x), std::clamp(offset.y, low.y, high.y)};
}

void ScrollView::setContentOffset(Point offset, bool animated) {
    Rect b = bounds();
    if (b.x == offset.x && b.y == offset.y) {
        return;
    }
    if (animated) {
        View::animate(kSpringBackDuration, [this, offset]() {
            Rect nb = bounds();
            setBounds({offset.x, offset.y, nb.width, nb.height});
        });
    } else {
        setBounds({offset.x, offset.y, b.width, b.height});
    }
    setNeedsLayout();
    didScroll();
}

void ScrollView::didScroll() {
    if (m_delegate) {
        m_delegate->scrollViewDidScroll(*this);
    }
}

void ScrollView::scrollBy(double dx, double dy) {
    if (!m_scrollEnabled) {
        return;
    }
    Point now = contentOffset();
    moveTo({now.x + dx, now.y + dy}, false);
}

// Point by point, as under a finger, and the delegate hears of each step before the limits hold
// the content back: it may move them with the content (a top inset that follows the offset), so a
// limit the content passes on the way is never stepped over. The walk ends one step past the
// limits as they then stand, and only what lies past them is held back.
void ScrollView::moveTo(Point target, bool banded) {
    WeakLink<ScrollView> self(this);
    const Point from = contentOffset();
    const double dx = target.x - from.x;
    const double dy = target.y - from.y;
    const double length = std::max(std::fabs(dx), std::fabs(dy));
    for (double walked = 0; walked < length;) {
        walked = std::min(length, walked + 1);
        const Point step{from.x + dx * walked / length, from.y + dy * walked / length};
        setContentOffset(step);
        if (!self) {
            return;
        }
        if (clamped(step) != step) {
            break;
        }
    }
    Point low = minimumContentOffset();
    Point high = maximumContentOffset();
    setContentOffset(
        banded ? Point{rubberBand(target.x, low.x, high.x), rubberBand(target.y, low.y, high.y)}
               : clamped(target));
}

void ScrollView::scrollRectToVisible(const Rect& rect, bool animated) {
    Rect b = bounds();
    Point target = contentOffset();
    if (rect.maxY() > b.maxY()) {
        target.y = rect.maxY() - b.height;
    }
    if (rect.y < target.y) {
        target.y = rect.y;
    }
    if (rect.maxX() > b.maxX()) {
        target.x = rect.maxX() - b.width;
    }
    if (rect.x < target.x) {
        target.x = rect.x;
    }
    setContentOffset(clamped(target), animated);
}

void ScrollView::handlePan() {
    WeakLink<ScrollView> self(this);
    auto state = m_pan->state();
    if (state == GestureRecognizer::State::Began) {
        m_dragging = true;
        m_dragStartOffset = contentOffset();
        if (m_delegate) {
            m_delegate->scrollViewWillBeginDragging(*this);
        }
        setNeedsDisplay();
        return;
    }
    if (state == GestureRecognizer::State::Changed) {
        Point t = m_pan->translationInView(nullptr);
        moveTo({m_dragStartOffset.x - (canScrollHorizontally() ? t.x : 0),
                m_dragStartOffset.y - (canScrollVertically() ? t.y : 0)},
               m_bounces);
        return;
    }
    if (state != GestureRecognizer::State::Ended && state != GestureRecognizer::State::Cancelled) {
        return;
    }
    m_dragging = false;
    Point rest = clamped(contentOffset());
    bool springs = rest.x != contentOffset().x || rest.y != contentOffset().y;
    if (m_delegate) {
        m_delegate->scrollViewDidEndDragging(*this, springs);
    }
    if (!self) {
        return;
    }
    // The delegate may have changed the inset (a load-more footer does), so clamp again.
    rest = clamped(contentOffset());
    if (rest.x != contentOffset().x || rest.y != contentOffset().y) {
        setContentOffset(rest, true);
    }
    if (springs && m_delegate) {
        m_delegate->scrollViewDidEndDecelerating(*this);
    }
    setNeedsDisplay();
}

void ScrollView::layoutSubviews() {}

void ScrollView::draw(GraphicsContext& context, const Rect&) {
    if (!m_dragging) {
        return;
    }
    // Indicators show while the content moves under the finger.
    Rect b = bounds();
    context.setFillColor(Color::white(0, 0.35));
    if (m_showsVertical && m_contentSize.height > b.height) {
        double length = std::max(20.0, b.height * b.height / m_contentSize.height);
        double travel = b.height - length;
        double share = std::clamp(b.y / std::max(1.0, m_contentSize.height - b.height), 0.0, 1.0);
        context.fillRect(
            {b.maxX() - kIndicatorWidth - 2, b.y + travel * share, kIndicatorWidth, length});
    }
    if (m_showsHorizontal && m_contentSize.width > b.width) {
        double length = std::max(20.0, b.width * b.width / m_contentSize.width);
        double travel = b.width - length;
        double share = std::clamp(b.x / std::max(1.0, m_contentSize.width - b.width), 0.0, 1.0);
        context.fillRect(
            {b.x + travel * share, b.maxY() - kIndicatorWidth - 2, length, kIndicatorWidth});
    }
}
