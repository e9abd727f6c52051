#include "platform/ui/Application.h"

#include <algorithm>

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Event.h"
#include "platform/ui/Window.h"

namespace {
Application*& instance() {
    static Application* app = nullptr;
    return app;
}

int& transitionsHeld() {
    static int held = 0;
    return held;
}
}  // namespace

Application::Application() {
    instance() = this;
}

Application::~Application() {
    if (instance() == this) {
        instance() = nullptr;
    }
}

Application* Application::shared() {
    return instance();
}

Application::TransitionHold::TransitionHold() {
    ++transitionsHeld();
}

Application::TransitionHold::~TransitionHold() {
    --transitionsHeld();
}

bool Application::isInTransition() {
    return transitionsHeld() > 0;
}

bool Application::finishLaunching() {
    return m_delegate ? m_delegate->didFinishLaunching(*this) : true;
}

void Application::sendEvent(Event& event) {
    if (event.type() == Event::Type::Touches) {
        if (Window* window = event.window()) {
            window->sendEvent(event);
        }
        return;
    }
    Responder* responder = firstResponder();
    if (!responder) {
        return;
    }
    // A responder with an input view of its own takes text and backspace from a computer
    // keyboard only through that view, so the view's keys and their limits hold either way.
    const std::shared_ptr<View> inputView = responder->inputView();
    switch (event.key()) {
        case Key::Backspace:
            if (inputView) {
                inputView->typeKeyBackspace();
            } else {
                responder->deleteBackward();
            }
            break;
        case Key::Return:
            responder->pressReturn();
            break;
        case Key::Escape:
            break;
        case Key::None:
            if (event.text().empty()) {
                break;
            }
            if (inputView) {
                inputView->typeKeyText(event.text());
            } else {
                responder->insertText(event.text());
            }
            break;
    }
}

bool Application::makeFirstResponder(Responder* responder) {
    Responder* current = m_firstResponder.get();
    if (current == responder) {
        return true;
    }
    if (current && !current->resignFirstResponder()) {
        return false;
    }
    m_firstResponder = responder;
    updateKeyboard();
    return true;
}

void Application::clearFirstResponder() {
    if (!m_firstResponder.get()) {
        return;
    }
    m_firstResponder.reset();
    updateKeyboard();
}

void Application::updateKeyboard() {
    Responder* responder = m_firstResponder.get();
    Window* window = m_keyWindow;
    if (!window) {
        return;
    }
    if (responder && responder->wantsKeyboard()) {
        window->showKeyboard(responder->inputView());
        m_keyboardShown = true;
        NotificationCenter::defaultCenter().post(kKeyboardWillShowNotification, nullptr,
                                                 keyboardInfo(window->keyboardFrame()));
        return;
    }
    if (m_keyboardShown) {
        Rect frame = window->keyboardFrame();
        window->hideKeyboard();
        m_keyboardShown = false;
        NotificationCenter::defaultCenter().post(kKeyboardWillHideNotification, nullptr,
                                                 keyboardInfo(frame));
    }
}

PropertyList Application::keyboardInfo(const Rect& frame) {
    return PropertyList(PropertyList::Dictionary{
        {"x", frame.x}, {"y", frame.y}, {"width", frame.width}, {"height", frame.height}});
}

bool Application::openURL(const std::string& url) {
    return m_openURLHandler ? m_openURLHandler(url) : false;
}

void Application::setOpenURLHandler(std::function<bool(const std::string&)> handler) {
    m_openURLHandler = std::move(handler);
}

void Application::resignActive() {
    if (m_delegate) {
        m_delegate->willResignActive(*this);
    }
    NotificationCenter::defaultCenter().post(kWillResignActiveNotification, this);
}

void Application::becomeActive() {
    if (m_delegate) {
        m_delegate->didBecomeActive(*this);
    }
    NotificationCenter::defaultCenter().post(kDidBecomeActiveNotification, this);
}

void Application::terminate(int exitCode) {
    if (m_delegate) {
        m_delegate->willTerminate(*this);
    }
    NotificationCenter::defaultCenter().post(kWillTerminateNotification, this);
    if (m_terminateHandler) {
        m_terminateHandler(exitCode);
        return;
    }
    RunLoop::quit(exitCode);
}

void Application::setTerminateHandler(std::function<void(int)> handler) {
    m_terminateHandler = std::move(handler);
}

void Application::addWindow(Window* window) {
    m_windows.push_back(window);
}

void Application::removeWindow(Window* window) {
    m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), window), m_windows.end());
    if (m_keyWindow == window) {
        m_keyWindow = m_windows.empty() ? nullptr : m_windows.back();
    }
}

void Application::setKeyWindow(Window* window) {
    m_keyWindow = window;
}

Rect Application::keyboardFrameFrom(const PropertyList& userInfo) {
    return {userInfo["x"].toDouble(), userInfo["y"].toDouble(), userInfo["width"].toDouble(),
            userInfo["height"].toDouble()};
}
