#include "analytics/TallyStatPageView.h"

#include "analytics/TallyLog.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/Timer.h"

TallyStatPageView& TallyStatPageView::sharedInstance() {
    static TallyStatPageView* instance = new TallyStatPageView();
    return *instance;
}

void TallyStatPageView::beginLogPageView(const std::string& pageName) {
    if (pageName.empty()) {
        return;
    }
    TallyStatPageView& pages = sharedInstance();
    std::lock_guard<std::mutex> guard(pages.m_mutex);
    pages.m_pageViewsHash[pageName] = Timer::now();
}

void TallyStatPageView::endLogPageView(const std::string& pageName) {
    TallyStatPageView& pages = sharedInstance();
    double started = 0;
    {
        std::lock_guard<std::mutex> guard(pages.m_mutex);
        auto found = pages.m_pageViewsHash.find(pageName);
        if (found == pages.m_pageViewsHash.end()) {
            return;
        }
        started = found->second;
    }
    const auto seconds = static_cast<int32_t>(Text::truncated(Timer::now() - started));
    logPageViewTimeWindow(pageName, seconds);
    std::lock_guard<std::mutex> guard(pages.m_mutex);
    pages.m_pageViewsHash.erase(pageName);
}

void TallyStatPageView::logPageView(const std::string& pageName, int32_t seconds) {
    logPageViewTimeWindow(pageName, seconds);
}

void TallyStatPageView::logPageViewTimeWindow(const std::string& pageName, int32_t seconds) {
    tallyLog("(logPageView) %@ %d ", pageName, seconds);
    if (Text::trimmed(pageName).empty() || seconds < 1) {
        return;
    }
    TallyStatPageView& pages = sharedInstance();
    std::lock_guard<std::mutex> guard(pages.m_mutex);
    pages.m_pageViews.emplace_back(pageName, seconds);
}

std::vector<TallyStatPageView::PageView> TallyStatPageView::pageViews() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_pageViews;
}

std::vector<TallyStatPageView::PageView> TallyStatPageView::takePageViews() {
    std::lock_guard<std::mutex> guard(m_mutex);
    return std::exchange(m_pageViews, {});
}
