#pragma once

// The VKDZ variant's first-launch guide. Owned by the root controller. Main thread.

#include "shell/VKJYGuideViewController.h"

class VKDZGuideViewController : public VKJYGuideViewController {
public:
    using VKJYGuideViewController::VKJYGuideViewController;
};
