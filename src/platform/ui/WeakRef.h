#pragma once

// A non-owning pointer to a view, controller or gesture recognizer that reads as null once the
// object is destroyed. Used wherever the event path or a timer keeps a view it does not own. Main
// thread only.

#include <memory>

template <typename T>
class WeakRef {
public:
    WeakRef() = default;
    WeakRef(T* object) : m_object(object) {
        if (object) {
            m_alive = object->aliveToken();
        }
    }

    T* get() const { return m_alive.expired() ? nullptr : m_object; }
    explicit operator bool() const { return get() != nullptr; }
    T* operator->() const { return get(); }
    void reset() { *this = WeakRef(); }

private:
    T* m_object = nullptr;
    std::weak_ptr<void> m_alive;
};
