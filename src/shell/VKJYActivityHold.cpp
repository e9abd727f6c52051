#include "shell/VKJYActivityHold.h"

#include <memory>
#include <utility>

#include "platform/ui/AlertView.h"
#include "platform/ui/Application.h"
#include "platform/ui/Window.h"
#include "shell/VKJYActivityOverlayView.h"

namespace {
View* lowestAlert(Window& window) {
    for (View* view : window.subviews()) {
        if (dynamic_cast<AlertView*>(view)) {
            return view;
        }
    }
    return nullptr;
}

VKJYActivityOverlayView* overlayOn(Window& window) {
    for (View* view : window.subviews()) {
        if (auto* overlay = dynamic_cast<VKJYActivityOverlayView*>(view)) {
            return overlay;
        }
    }
    return nullptr;
}

VKJYActivityOverlayView* layOverlay(Window& window) {
    auto overlay = std::make_shared<VKJYActivityOverlayView>(window.bounds());
    VKJYActivityOverlayView* laid = overlay.get();
    if (View* alert = lowestAlert(window)) {
        window.insertSubviewBelow(std::move(overlay), alert);
    } else {
        window.addSubview(std::move(overlay));
    }
    return laid;
}
}  // namespace

VKJYActivityHold::~VKJYActivityHold() {
    release();
}

VKJYActivityHold::VKJYActivityHold(VKJYActivityHold&& other) noexcept
    : m_overlay(std::exchange(other.m_overlay, WeakLink<VKJYActivityOverlayView>())) {}

VKJYActivityHold& VKJYActivityHold::operator=(VKJYActivityHold&& other) noexcept {
    if (this != &other) {
        release();
        m_overlay = std::exchange(other.m_overlay, WeakLink<VKJYActivityOverlayView>());
    }
    return *this;
}

VKJYActivityHold VKJYActivityHold::raise() {
    VKJYActivityHold hold;
    Application* app = Application::shared();
    Window* window = app ? app->keyWindow() : nullptr;
    if (!window) {
        return hold;
    }
    VKJYActivityOverlayView* overlay = overlayOn(*window);
    if (!overlay) {
        overlay = layOverlay(*window);
    }
    overlay->addHold();
    hold.m_overlay = overlay;
    return hold;
}

void VKJYActivityHold::release() {
    VKJYActivityOverlayView* overlay = m_overlay.get();
    m_overlay.reset();
    if (overlay && overlay->dropHold()) {
        overlay->removeFromSuperview();
    }
}
