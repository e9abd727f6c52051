#include "shell/VKDZ/VKDZTabBarController.h"

#include "shell/VKDZ/VKDZFuWuViewController.h"

std::unique_ptr<ViewController> VKDZTabBarController::createFuWuViewController() {
    return std::make_unique<VKDZFuWuViewController>();
}
