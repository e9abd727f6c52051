#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

// Times named pages between beginLogPageView and endLogPageView and keeps the finished page
// views (name, whole seconds) for the next terminate record. One shared instance for the
// process; any thread (guarded by its lock).
class TallyStatPageView {
public:
    using PageView = std::pair<std::string, int32_t>;

    static TallyStatPageView& sharedInstance();

    static void beginLogPageView(const std::string& pageName);
    static void endLogPageView(const std::string& pageName);
    static void logPageView(const std::string& pageName, int32_t seconds);
    // Pages shown for less than a second, or with a blank name, are dropped.
    static void logPageViewTimeWindow(const std::string& pageName, int32_t seconds);

    std::vector<PageView> pageViews() const;
    // The finished page views, leaving the list empty.
    std::vector<PageView> takePageViews();

private:
    TallyStatPageView() = default;

    mutable std::mutex m_mutex;
    std::vector<PageView> m_pageViews;
    std::map<std::string, double> m_pageViewsHash;  // page name to start, seconds since 1970
};
