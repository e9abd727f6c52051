#include "analytics/TallyStatPageView.h"

#include "analytics/TallyLog.h"
#include "analytics/TallyStatInternal.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/Timer.h"

namespace {

std::vector<TallyStatPageView::PageView> namesAndSeconds(
    const std::vector<TLANJournal::PageView>& views) {
    std::vector<TallyStatPageView::PageView> out;
    for (const TLANJournal::PageView& view : views) {
        out.emplace_back(view.name, view.seconds);
    }
    return out;
}

}  // namespace

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
    const TLANJournal::PageView view{TallyStatInternal::sharedInstance().sessionID(), pageName,
                                     seconds};
    TallyStatPageView& pages = sharedInstance();
    std::lock_guard<std::mutex> guard(pages.m_mutex);
    pages.adoptJournal();
    pages.m_waiting.push_back(view);
    TLANJournal::appendPageView(view);
}

void TallyStatPageView::resetToUnstarted() {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_waiting.clear();
    m_earlier.clear();
    m_adoptedJournal.reset();
    m_pageViewsHash.clear();
}

std::vector<TallyStatPageView::PageView> TallyStatPageView::pageViews() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return namesAndSeconds(m_waiting);
}

std::vector<TallyStatPageView::PageView> TallyStatPageView::takePageViews() {
    std::lock_guard<std::mutex> guard(m_mutex);
    return namesAndSeconds(std::exchange(m_waiting, {}));
}

std::vector<TallyStatPageView::PageView> TallyStatPageView::recoverJournaled(
    const std::string& endedSession) {
    std::lock_guard<std::mutex> guard(m_mutex);
    adoptJournal();
    std::vector<TLANJournal::PageView> ended;
    std::vector<TLANJournal::PageView> others;
    for (TLANJournal::PageView& view : m_earlier) {
        if (!endedSession.empty() && view.sessionId == endedSession) {
            ended.push_back(view);
        } else {
            others.push_back(std::move(view));
        }
    }
    m_earlier.clear();
    m_waiting.insert(m_waiting.begin(), others.begin(), others.end());
    return namesAndSeconds(ended);
}

bool TallyStatPageView::journalWaiting() {
    std::lock_guard<std::mutex> guard(m_mutex);
    adoptJournal();
    std::vector<TLANJournal::PageView> journal = m_earlier;
    journal.insert(journal.end(), m_waiting.begin(), m_waiting.end());
    return TLANJournal::writePageViews(journal);
}

void TallyStatPageView::adoptJournal() {
    const std::optional<std::string> file =
        TLANJournal::ownsFolder() ? std::optional(TLANJournal::pageViewFile()) : std::nullopt;
    if (file == m_adoptedJournal) {
        return;
    }
    m_adoptedJournal = file;
    m_earlier = TLANJournal::readPageViews();
}
