#include "widgets/LoadMoreTableView.h"

#include <algorithm>

#include "widgets/LoadMoreTableFooterView.h"

LoadMoreTableView::LoadMoreTableView(const Rect& frame) : TableView(frame) {
    setAlwaysBounceVertical(true);
    m_footer = addSubview(std::make_unique<LoadMoreTableFooterView>());
}

bool LoadMoreTableView::isLoadingMore() const {
    return m_footer->state() == LoadMoreTableFooterView::State::Loading;
}

double LoadMoreTableView::footerTop() const {
    return std::max(contentSize().height, bounds().height);
}

double LoadMoreTableView::pullDistance(double offsetY) const {
    return offsetY + bounds().height - footerTop();
}

void LoadMoreTableView::layoutSubviews() {
    TableView::layoutSubviews();
    m_footer->setFrame({0, footerTop(), bounds().width, LoadMoreTableFooterView::kHeight});
    bringSubviewToFront(m_footer);
}

void LoadMoreTableView::didScroll() {
    TableView::didScroll();
    if (isDragging()) {
        m_wasDragging = true;
        m_lastDragOffsetY = contentOffset().y;
        if (!isLoadingMore()) {
            m_footer->setState(pullDistance(m_lastDragOffsetY) > kTriggerDistance
                                   ? LoadMoreTableFooterView::State::Pulling
                                   : LoadMoreTableFooterView::State::Normal);
        }
        return;
    }
    if (!m_wasDragging) {
        return;
    }
    m_wasDragging = false;
    if (isLoadingMore() || pullDistance(m_lastDragOffsetY) <= kTriggerDistance) {
        if (!isLoadingMore()) {
            m_footer->setState(LoadMoreTableFooterView::State::Normal);
        }
        return;
    }
    startLoading();
    // The spring back has already settled at the old end; show the loading footer instead.
    setContentOffset({contentOffset().x, maximumContentOffset().y}, true);
    if (m_pullDelegate) {
        m_pullDelegate->loadMoreTableViewDidTriggerLoadMore(*this);
    }
}

void LoadMoreTableView::setLoadMoreTableIsLoadingMore(bool loading) {
    if (loading && !isLoadingMore()) {
        startLoading();
    } else if (!loading && isLoadingMore()) {
        finishLoading();
    }
}

void LoadMoreTableView::startLoading() {
    m_footer->setState(LoadMoreTableFooterView::State::Loading);
    EdgeInsets inset = contentInset();
    m_insetBeforeLoading = inset.bottom;
    inset.bottom = footerTop() - contentSize().height + LoadMoreTableFooterView::kHeight;
    setContentInset(inset);
}

void LoadMoreTableView::finishLoading() {
    m_footer->setState(LoadMoreTableFooterView::State::Normal);
    EdgeInsets inset = contentInset();
    inset.bottom = m_insetBeforeLoading;
    setContentInset(inset);
}
