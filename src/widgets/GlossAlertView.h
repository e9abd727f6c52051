#pragma once

#include <string>
#include <vector>

#include "platform/ui/AlertView.h"

class GlossAlertBackground;

// The restyled alert of every screen: the platform alert's interface and button rule (cancel
// button index 0, the others from 1 in the order given; without a cancel title the others
// start at 0), in a glossy dark look or, with setStyle(1), the all-white gradient look. Shown
// with AlertView::show, after which the key window owns it. With no delegate a tap only closes
// it. Main thread only.
class GlossAlertView : public AlertView {
public:
    static constexpr int kStyleGloss = 0;
    static constexpr int kStyleAllWhite = 1;

    // An empty cancel title means no cancel button. The delegate is not retained.
    GlossAlertView(const std::string& title, const std::string& message,
                   AlertViewDelegate* delegate, const std::string& cancelButtonTitle,
                   const std::vector<std::string>& otherButtonTitles = {});

    int style() const { return m_style; }
    // Any style other than 1 gives the default gloss look.
    void setStyle(int style);

    void layoutSubviews() override;

private:
    void applyStyle();

    int m_style = kStyleGloss;
    GlossAlertBackground* m_background = nullptr;
};
