#include "shell/VKJYSheQuViewController.h"

VKJYSheQuViewController::VKJYSheQuViewController()
    : VKJYPageViewController("社区", "暂无社区内容") {}
