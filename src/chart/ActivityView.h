#pragma once

#include "platform/ui/View.h"

class ActivityIndicator;
class Label;

// The chart's loading indicator: a dark rounded box with a spinner and
// "正在加载...", hidden until started. Owned by the chart manager's view
// tree; main thread only.
class ActivityView : public View {
public:
    explicit ActivityView(const Rect& frame);

    bool isAnimating() const { return m_isAnimating; }
    void startAnimating();
    void stopAnimating();
    ActivityIndicator* IndicatorView() const { return m_indicator; }
    Label* label() const { return m_label; }

private:
    bool m_isAnimating = false;
    ActivityIndicator* m_indicator = nullptr;
    Label* m_label = nullptr;
};
