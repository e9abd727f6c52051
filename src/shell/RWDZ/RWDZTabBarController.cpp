#include "shell/RWDZ/RWDZTabBarController.h"

#include "shell/RWDZ/RWDZFuWuViewController.h"

std::unique_ptr<ViewController> RWDZTabBarController::createFuWuViewController() {
    return std::make_unique<RWDZFuWuViewController>();
}
