#pragma once

#include "platform/ui/View.h"

// The face of a GlossAlertView's box: a vertical gradient with a gloss over its upper half in
// the default look, or the all-white gradient of style 1. Owned by the alert's box; takes no
// touches. Main thread only.
class GlossAlertBackground : public View {
public:
    GlossAlertBackground();

    void setAllWhite(bool allWhite);
    void draw(GraphicsContext& context, const Rect& rect) override;

private:
    bool m_allWhite = false;
};
