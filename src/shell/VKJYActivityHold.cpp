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
}  // namespace

VKJYActivityHold::~VKJYActivityHold() {
    release();
}

VKJYActivityHold::VKJYActivityHold(VKJYActivityHold&& other) noexcept
    : m_overlay(std::exchange(other.m_overlay, WeakLink<View>())) {}

VKJYActivityHold& VKJYActivityHold::operator=(VKJYActivityHold&& other) noexcept {
    if (this != &other) {
        release();
        m_overlay = std::exchange(other.m_overlay, WeakLink<View>());
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
    auto overlay = std::make_shared<VKJYActivityOverlayView>(window->bounds());
    hold.m_overlay = overlay.get();
    if (View* alert = lowestAlert(*window)) {
        window->insertSubviewBelow(std::move(overlay), alert);
    } else {
        window->addSubview(std::move(overlay));
    }
    return hold;
}

void VKJYActivityHold::release() {
    if (View* overlay = m_overlay.get()) {
        overlay->removeFromSuperview();
    }
    m_overlay.reset();
}
