#pragma once

// The VKDZ variant's service page. Owned by its navigation stack. Main thread.

#include "shell/VKJYFuWuViewController.h"

class VKDZFuWuViewController : public VKJYFuWuViewController {};
