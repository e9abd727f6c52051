#pragma once

// A view whose bounds origin is the content offset: content size and inset, dragging with a
// rubber band past the edges and a spring back, wheel scrolling, scroll indicators while
// dragging, and a delegate told of scrolling and dragging. Owned by its superview.
// Main thread only.

#include "platform/foundation/WeakLink.h"
#include "platform/ui/View.h"

class PanGestureRecognizer;
class ScrollView;

class ScrollViewDelegate : public virtual LinkTarget {
public:
    virtual ~ScrollViewDelegate() = default;
    virtual void scrollViewDidScroll(ScrollView&) {}
    virtual void scrollViewWillBeginDragging(ScrollView&) {}
    virtual void scrollViewDidEndDragging(ScrollView&, bool /*willDecelerate*/) {}
    virtual void scrollViewDidEndDecelerating(ScrollView&) {}
};

class ScrollView : public View {
public:
    ScrollView();
    explicit ScrollView(const Rect& frame);
    ~ScrollView() override;

    Size contentSize() const { return m_contentSize; }
    void setContentSize(Size size);
    Point contentOffset() const { return bounds().origin(); }
    void setContentOffset(Point offset, bool animated = false);
    const EdgeInsets& contentInset() const { return m_inset; }
    void setContentInset(const EdgeInsets& inset);
    bool isScrollEnabled() const { return m_scrollEnabled; }
    void setScrollEnabled(bool enabled);
    bool bounces() const { return m_bounces; }
    void setBounces(bool bounces) { m_bounces = bounces; }
    bool alwaysBounceVertical() const { return m_alwaysBounceVertical; }
    void setAlwaysBounceVertical(bool always) { m_alwaysBounceVertical = always; }
    bool showsVerticalScrollIndicator() const { return m_showsVertical; }
    void setShowsVerticalScrollIndicator(bool shows) { m_showsVertical = shows; }
    bool showsHorizontalScrollIndicator() const { return m_showsHorizontal; }
    void setShowsHorizontalScrollIndicator(bool shows) { m_showsHorizontal = shows; }
    bool isDragging() const { return m_dragging; }
    // Not owned.
    ScrollViewDelegate* delegate() const { return m_delegate.get(); }
    void setDelegate(ScrollViewDelegate* delegate) { m_delegate = delegate; }
    PanGestureRecognizer* panGestureRecognizer() const { return m_pan; }

    // Offsets the content stays within when at rest.
    Point minimumContentOffset() const;
    Point maximumContentOffset() const;
    // Scrolls by a wheel step, staying within the limits.
    void scrollBy(double dx, double dy);
    void scrollRectToVisible(const Rect& rect, bool animated);

    void layoutSubviews() override;
    void draw(GraphicsContext& context, const Rect& rect) override;

protected:
    virtual void didScroll();

private:
    void handlePan();
    // Moves toward `target` (a drag or a wheel step), banded or cut off at the limits.
    void moveTo(Point target, bool banded);
    bool canScrollHorizontally() const;
    bool canScrollVertically() const;
    Point clamped(Point offset) const;

    Size m_contentSize;
    EdgeInsets m_inset;
    bool m_scrollEnabled = true;
    bool m_bounces = true;
    bool m_alwaysBounceVertical = false;
    bool m_showsVertical = true;
    bool m_showsHorizontal = true;
    bool m_dragging = false;
    Point m_dragStartOffset;
    WeakLink<ScrollViewDelegate> m_delegate;
    PanGestureRecognizer* m_pan = nullptr;
};
