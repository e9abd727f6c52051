#pragma once

#include "platform/foundation/WeakLink.h"
#include "platform/ui/TableView.h"

class LoadMoreTableFooterView;
class LoadMoreTableView;

// Told when the user has pulled the list past its end to load the next page.
class LoadMoreTableViewDelegate : public virtual LinkTarget {
public:
    virtual ~LoadMoreTableViewDelegate() = default;
    // Sent once per pull, after the footer has entered its loading state.
    virtual void loadMoreTableViewDidTriggerLoadMore(LoadMoreTableView&) {}
    // Never sent: this table has no pull-down header.
    virtual void loadMoreTableViewDidTriggerRefresh(LoadMoreTableView&) {}
};

// A plain table with a load-more footer below its last row. Pulling the list up by more than
// the trigger distance past its end and letting go puts the footer into its loading state and
// tells the pull delegate; until setLoadMoreTableIsLoadingMore(false) ends that state, further
// pulls send nothing. Delegate, data source and pull delegate are not owned. Owned by its
// superview. Main thread only.
class LoadMoreTableView : public TableView {
public:
    static constexpr double kTriggerDistance = 65;

    explicit LoadMoreTableView(const Rect& frame);

    LoadMoreTableViewDelegate* pullDelegate() const { return m_pullDelegate.get(); }
    void setPullDelegate(LoadMoreTableViewDelegate* delegate) { m_pullDelegate = delegate; }

    // true while idle starts the loading state; false while loading ends it; else nothing.
    void setLoadMoreTableIsLoadingMore(bool loading);
    bool isLoadingMore() const;
    LoadMoreTableFooterView* footerView() const { return m_footer; }

    void layoutSubviews() override;

protected:
    // The scroll view reports the end of a drag only to its delegate, which is the caller's;
    // the end shows here as the first scroll after dragging stopped (the spring back).
    void didScroll() override;

private:
    double footerTop() const;
    double pullDistance(double offsetY) const;
    void startLoading();
    void finishLoading();

    WeakLink<LoadMoreTableViewDelegate> m_pullDelegate;
    LoadMoreTableFooterView* m_footer = nullptr;
    bool m_wasDragging = false;
    double m_lastDragOffsetY = 0;
    double m_insetBeforeLoading = 0;
};
