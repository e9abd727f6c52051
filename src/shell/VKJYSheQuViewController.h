#pragma once

// The community tab's page: the titled page of the variant with nothing more to show.
// Owned by its navigation stack. Main thread.

#include "shell/VKJYPageViewController.h"

class VKJYSheQuViewController : public VKJYPageViewController {
public:
    VKJYSheQuViewController();
};
