#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/PropertyList.h"

// Broadcasts named notifications to the observers registered for them, synchronously and in
// registration order. An observer names its owner (usually `this`) so that everything it
// registered can be removed at once, and may restrict itself to one sending object. Owners
// remove their observers before they go; the center holds no reference to them.
// Main thread only.
class NotificationCenter {
public:
    using Callback = std::function<void(const std::string& name, const void* object,
                                        const PropertyList& userInfo)>;
    struct ObserverToken {
        std::uint64_t id = 0;
    };

    static NotificationCenter& defaultCenter();

    // object nullptr: notifications from any sender.
    ObserverToken addObserver(const void* owner, const std::string& name, const void* object,
                              Callback callback);
    void removeObserver(ObserverToken token);
    // Every observer that owner registered.
    void removeObserver(const void* owner);

    // Calls every matching observer registered before the post began. One removed while the
    // post runs is not called after its removal.
    void post(const std::string& name, const void* object = nullptr,
              const PropertyList& userInfo = {});

private:
    struct Observer {
        std::uint64_t id;
        const void* owner;
        std::string name;
        const void* object;
        Callback callback;
        bool removed = false;
    };

    void remove(const std::function<bool(const Observer&)>& matches);

    std::uint64_t m_lastId = 0;
    std::vector<std::shared_ptr<Observer>> m_observers;
};
