#include "platform/foundation/LinkTarget.h"

#include <cstdint>
#include <map>
#include <utility>

struct LinkTarget::Life {
    std::map<uint64_t, std::function<void()>> watchers;
    uint64_t nextId = 1;
};

LinkTarget::LinkTarget() : m_life(std::make_shared<Life>()) {}

LinkTarget::LinkTarget(const LinkTarget&) : LinkTarget() {}

LinkTarget::~LinkTarget() {
    std::map<uint64_t, std::function<void()>> watchers = std::move(m_life->watchers);
    m_life.reset();
    for (auto& [id, gone] : watchers) {
        gone();
    }
}

std::shared_ptr<void> LinkTarget::watchEnd(std::function<void()> gone) const {
    const uint64_t id = m_life->nextId++;
    m_life->watchers.emplace(id, std::move(gone));
    std::weak_ptr<Life> life = m_life;
    return std::shared_ptr<void>(nullptr, [life, id](void*) {
        if (auto alive = life.lock()) {
            alive->watchers.erase(id);
        }
    });
}
