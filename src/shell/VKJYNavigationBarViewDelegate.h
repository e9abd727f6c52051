#pragma once

// Receives the taps of a VKJYNavigationBarView's buttons; empty defaults, so a screen overrides
// only what it uses.

class VKJYNavigationBarViewDelegate {
public:
    virtual ~VKJYNavigationBarViewDelegate() = default;
    virtual void VKJYNavBackAction() {}
    virtual void VKJYNavMenuAction() {}
};
