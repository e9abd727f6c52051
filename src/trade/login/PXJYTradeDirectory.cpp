#include "trade/login/PXJYTradeDirectory.h"

#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYDirectoryServerModel.h"
#include "shell/VKJYNormalAppKeyPropertyModel.h"

namespace {
constexpr int kNoCaptchaType = 2;
constexpr const char* kMemberRightsCategory = "3";
constexpr const char* kHiddenPlatform = "2";

std::shared_ptr<VKJYDirectoryServerJysModel> platformModel(const std::string& platform) {
    auto* app = VKJYAppDelegate::shared();
    const auto& model = app ? app->directoryServerModel() : nullptr;
    return model ? model->jysModelForCode(platform) : nullptr;
}

std::shared_ptr<VKJYDirectoryServerEnvModel> environmentModel(const std::string& platform,
                                                              const std::string& environment) {
    auto jys = platformModel(platform);
    return jys ? jys->envModelForCode(environment) : nullptr;
}
}  // namespace

std::vector<std::string> PXJYTradeDirectory::platformCodes() {
    auto* app = VKJYAppDelegate::shared();
    const auto& model = app ? app->directoryServerModel() : nullptr;
    return model ? model->ywsys()->allJysCodeWithEnvAndLL() : std::vector<std::string>();
}

std::vector<std::string> PXJYTradeDirectory::environmentCodes(const std::string& platform) {
    auto jys = platformModel(platform);
    return jys ? jys->allEnvCodeWithLL() : std::vector<std::string>();
}

std::string PXJYTradeDirectory::platformName(const std::string& platform) {
    auto jys = platformModel(platform);
    return jys ? jys->jysn : std::string();
}

std::string PXJYTradeDirectory::environmentName(const std::string& platform,
                                                const std::string& environment) {
    auto env = environmentModel(platform, environment);
    return env ? env->envN : std::string();
}

bool PXJYTradeDirectory::needsCaptcha(const std::string& platform, const std::string& environment) {
    auto env = environmentModel(platform, environment);
    return !env || env->typeValue() != kNoCaptchaType;
}

bool PXJYTradeDirectory::needsMemberRights(const std::string& platform,
                                           const std::string& environment) {
    auto env = environmentModel(platform, environment);
    return env && env->envCat == kMemberRightsCategory;
}

bool PXJYTradeDirectory::hidesPlatform() {
    auto* app = VKJYAppDelegate::shared();
    return app && app->normalAppPropertyModel().iOSPlatform() == kHiddenPlatform;
}
