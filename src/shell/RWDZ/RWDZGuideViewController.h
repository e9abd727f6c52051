#pragma once

// The RWDZ variant's first-launch guide. Owned by the root controller. Main thread.

#include "shell/VKJYGuideViewController.h"

class RWDZGuideViewController : public VKJYGuideViewController {
public:
    using VKJYGuideViewController::VKJYGuideViewController;
};
