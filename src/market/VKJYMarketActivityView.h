#pragma once

// The market list's busy view: a grey cover over the list (it swallows touches, tag 1316) with
// a large spinning wheel in a box. Owned by the screen's view. Main thread.

#include "platform/ui/ImageView.h"

class VKJYMarketActivityView : public ImageView {
public:
    static constexpr int kTag = 1316;

    explicit VKJYMarketActivityView(const Rect& frame);
    // Removes every busy view directly inside `view`.
    static void removeFrom(View& view);
};
