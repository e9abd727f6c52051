#pragma once

// Base of every object that others point at without owning it: delegates, data sources, reply
// handlers. A WeakLink to it reads as null once it is destroyed, and whoever asked to hear of its
// end is told as it goes, so no link ever calls into a dead object. Protocols derive from it
// virtually, so an object implementing several of them has one life. A copy is a new object
// with a life of its own. Main thread only.

#include <functional>
#include <memory>

class LinkTarget {
public:
    LinkTarget();
    LinkTarget(const LinkTarget&);
    LinkTarget& operator=(const LinkTarget&) { return *this; }
    virtual ~LinkTarget();

    // Expires when this object is destroyed.
    std::weak_ptr<void> linkToken() const { return m_life; }
    // Runs `gone` while this object is destroyed (its links already expired), unless the
    // returned handle was dropped before.
    [[nodiscard]] std::shared_ptr<void> watchEnd(std::function<void()> gone) const;

private:
    struct Life;
    std::shared_ptr<Life> m_life;
};
