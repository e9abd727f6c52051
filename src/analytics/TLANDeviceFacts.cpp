#include "analytics/TLANDeviceFacts.h"

#include <mutex>

#include "analytics/TLANLinuxDeviceFacts.h"

namespace {

std::mutex& factsLock() {
    static std::mutex lock;
    return lock;
}

std::shared_ptr<const TLANDeviceFacts>& installed() {
    static std::shared_ptr<const TLANDeviceFacts> facts = std::make_shared<TLANLinuxDeviceFacts>();
    return facts;
}

}  // namespace

std::shared_ptr<const TLANDeviceFacts> TLANDeviceFacts::current() {
    std::lock_guard<std::mutex> guard(factsLock());
    return installed();
}

void TLANDeviceFacts::install(std::shared_ptr<const TLANDeviceFacts> facts) {
    std::lock_guard<std::mutex> guard(factsLock());
    installed() = facts ? std::move(facts) : std::make_shared<TLANLinuxDeviceFacts>();
}
