#pragma once

// One help page over the whole window (above the tab bar): black at 0.8, a picture of the
// gesture with its caption. One tap on it runs `tapped` (which usually removes it). Owned by
// the window it is added to. Main thread.

#include <functional>
#include <string>

#include "platform/ui/View.h"

class VKJYMarketHelpOverlay : public View {
public:
    VKJYMarketHelpOverlay(const Rect& frame, const std::string& imageName,
                          const std::string& caption, std::function<void()> tapped);

    const std::string& imageName() const { return m_imageName; }
    void touchesEnded(const TouchSet& touches, const Event& event) override;

private:
    std::string m_imageName;
    std::function<void()> m_tapped;
};
