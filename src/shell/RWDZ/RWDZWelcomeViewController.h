#pragma once

// The RWDZ variant's welcome screen. Owned by the root controller. Main thread.

#include "shell/VKJYWelcomeViewController.h"

class RWDZWelcomeViewController : public VKJYWelcomeViewController {
public:
    using VKJYWelcomeViewController::VKJYWelcomeViewController;
};
