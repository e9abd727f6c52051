#include "shell/VKJYFuWuViewController.h"

#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYDirectoryServerModel.h"
#include "shell/VKJYDirectoryUrlHelper.h"

namespace {
constexpr const char* kSmsServiceType = "2";

std::string orDash(const std::string& text) {
    return text.empty() ? "--" : text;
}
}  // namespace

VKJYFuWuViewController::VKJYFuWuViewController() : VKJYPageViewController("服务", "") {}

void VKJYFuWuViewController::viewWillAppear(bool) {
    setRows(serviceRows());
}

std::vector<VKJYPageViewController::Row> VKJYFuWuViewController::serviceRows() const {
    auto* app = VKJYAppDelegate::shared();
    if (!app) {
        return {};
    }
    std::string sms;
    if (const auto& model = app->directoryServerModel()) {
        if (auto service = model->ywsys()->serviceModelForType(kSmsServiceType)) {
            sms = service->firstZuLLUrl();
        }
    }
    return {{"当前版本", orDash(app->appVersion())},
            {"目录服务", orDash(app->directoryUrlHelper().availableUrl())},
            {"用户管理", orDash(app->userManageUrl())},
            {"短信服务", orDash(sms)}};
}
