#pragma once

// The VKDZ variant's welcome screen. Owned by the root controller. Main thread.

#include "shell/VKJYWelcomeViewController.h"

class VKDZWelcomeViewController : public VKJYWelcomeViewController {
public:
    using VKJYWelcomeViewController::VKJYWelcomeViewController;
};
