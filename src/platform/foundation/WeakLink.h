#pragma once

// A non-owning pointer to a LinkTarget (a delegate, data source, reply handler, view, controller
// or gesture recognizer) that reads as null once its target is destroyed. Every link the view
// layer does not own is one of these. Main thread only.

#include <memory>

#include "platform/foundation/LinkTarget.h"

template <typename T>
class WeakLink {
public:
    WeakLink() = default;
    WeakLink(T* target) : m_target(target) {
        if (target) {
            m_alive = static_cast<const LinkTarget*>(target)->linkToken();
        }
    }

    T* get() const { return m_alive.expired() ? nullptr : m_target; }
    explicit operator bool() const { return get() != nullptr; }
    T* operator->() const { return get(); }
    void reset() { *this = WeakLink(); }

private:
    T* m_target = nullptr;
    std::weak_ptr<void> m_alive;
};
