#include "analytics/TLANSettings.h"

#include <mutex>

namespace {

std::mutex& settingsLock() {
    static std::mutex lock;
    return lock;
}

std::shared_ptr<const TLANSettings>& installed() {
    static std::shared_ptr<const TLANSettings> settings = std::make_shared<TLANSettings>();
    return settings;
}

}  // namespace

void TLANSettings::install(std::shared_ptr<const TLANSettings> settings) {
    std::lock_guard<std::mutex> guard(settingsLock());
    installed() = settings ? std::move(settings) : std::make_shared<TLANSettings>();
}

std::shared_ptr<const TLANSettings> TLANSettings::current() {
    std::lock_guard<std::mutex> guard(settingsLock());
    return installed();
}
