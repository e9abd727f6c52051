#pragma once

// A hold on the busy overlay over the key window: the overlay is up while any hold on it lives,
// and only a holder lets go of its own hold, so one request's reply never uncovers another
// request still on its way. A new overlay goes in under any alert on the window: a message
// raised before the request left stays readable and tappable. Move-only; main thread.

#include "platform/foundation/WeakLink.h"

class VKJYActivityOverlayView;

class VKJYActivityHold {
public:
    VKJYActivityHold() = default;
    ~VKJYActivityHold();
    VKJYActivityHold(VKJYActivityHold&& other) noexcept;
    VKJYActivityHold& operator=(VKJYActivityHold&& other) noexcept;
    VKJYActivityHold(const VKJYActivityHold&) = delete;
    VKJYActivityHold& operator=(const VKJYActivityHold&) = delete;

    // Holds the key window's overlay, laying one over it when none is up (nothing without a key
    // window).
    [[nodiscard]] static VKJYActivityHold raise();

    bool isRaised() const { return static_cast<bool>(m_overlay); }
    // Lets go of this hold; the overlay goes with the last one.
    void release();

private:
    WeakLink<VKJYActivityOverlayView> m_overlay;
};
