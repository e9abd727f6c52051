#pragma once

// The guide shown on first launch: the variant's pages side by side, scrolled a page at a time,
// with "立即体验" on the last one. Closing it sets the user default "hasShowGuidePage", posts
// "guide" and calls `closed`. Owned by the root controller. Main thread.

#include <functional>

#include "platform/ui/ScrollView.h"
#include "platform/ui/ViewController.h"
#include "shell/VKJYBrandStyle.h"

class VKJYGuideViewController : public ViewController, public ScrollViewDelegate {
public:
    static constexpr int kPageCount = 3;
    static constexpr const char* kHasShowGuidePageKey = "hasShowGuidePage";
    static constexpr const char* kGuideNotification = "guide";
    static constexpr const char* kStartTitle = "立即体验";

    VKJYGuideViewController(VKJYBrandStyle style, std::function<void()> closed);

    void loadView() override;
    void scrollViewDidEndDragging(ScrollView& scrollView, bool willDecelerate) override;
    void closeGuide();
    int currentPage() const;

private:
    VKJYBrandStyle m_style;
    std::function<void()> m_closed;
    ScrollView* m_pages = nullptr;
    bool m_closing = false;
};
