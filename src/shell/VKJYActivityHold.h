#pragma once

// One busy overlay over the key window, up while its hold lives. Only the holder takes it away,
// so one request's reply never uncovers another request still on its way. The overlay goes in
// under any alert on the window: a message raised before the request left stays readable and
// tappable. Move-only; main thread.

#include "platform/foundation/WeakLink.h"

class View;

class VKJYActivityHold {
public:
    VKJYActivityHold() = default;
    ~VKJYActivityHold();
    VKJYActivityHold(VKJYActivityHold&& other) noexcept;
    VKJYActivityHold& operator=(VKJYActivityHold&& other) noexcept;
    VKJYActivityHold(const VKJYActivityHold&) = delete;
    VKJYActivityHold& operator=(const VKJYActivityHold&) = delete;

    // Lays an overlay of its own over the key window (none without a key window).
    [[nodiscard]] static VKJYActivityHold raise();

    bool isRaised() const { return static_cast<bool>(m_overlay); }
    // Takes this hold's overlay away; other holds' overlays stay.
    void release();

private:
    WeakLink<View> m_overlay;
};
