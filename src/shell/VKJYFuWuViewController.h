#pragma once

// The service tab's page: the application's version and the addresses the directory gave
// (directory server in use, user management, SMS service). The variants derive from it.
// Owned by its navigation stack. Main thread.

#include "shell/VKJYPageViewController.h"

class VKJYFuWuViewController : public VKJYPageViewController {
public:
    VKJYFuWuViewController();
    void viewWillAppear(bool animated) override;

private:
    std::vector<Row> serviceRows() const;
};
