#include "platform/foundation/NotificationCenter.h"

#include <algorithm>

NotificationCenter& NotificationCenter::defaultCenter() {
    static NotificationCenter center;
    return center;
}

NotificationCenter::ObserverToken NotificationCenter::addObserver(const void* owner,
                                                                  const std::string& name,
                                                                  const void* object,
                                                                  Callback callback) {
    auto observer =
        std::make_shared<Observer>(Observer{++m_lastId, owner, name, object, std::move(callback)});
    m_observers.push_back(observer);
    return ObserverToken{observer->id};
}

void NotificationCenter::removeObserver(ObserverToken token) {
    remove([&](const Observer& observer) { return observer.id == token.id; });
}

void NotificationCenter::removeObserver(const void* owner) {
    remove([&](const Observer& observer) { return observer.owner == owner; });
}

void NotificationCenter::remove(const std::function<bool(const Observer&)>& matches) {
    std::erase_if(m_observers, [&](const std::shared_ptr<Observer>& observer) {
        if (!matches(*observer)) {
            return false;
        }
        // A post in progress may still hold it: the mark keeps that post from calling it.
        observer->removed = true;
        return true;
    });
}

void NotificationCenter::post(const std::string& name, const void* object,
                              const PropertyList& userInfo) {
    std::vector<std::shared_ptr<Observer>> matching;
    for (const auto& observer : m_observers) {
        if (observer->name == name && (!observer->object || observer->object == object)) {
            matching.push_back(observer);
        }
    }
    for (const auto& observer : matching) {
        if (!observer->removed && observer->callback) {
            observer->callback(name, object, userInfo);
        }
    }
}
