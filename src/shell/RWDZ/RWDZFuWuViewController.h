#pragma once

// The RWDZ variant's service page. Owned by its navigation stack. Main thread.

#include "shell/VKJYFuWuViewController.h"

class RWDZFuWuViewController : public VKJYFuWuViewController {};
