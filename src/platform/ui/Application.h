#pragma once

// The one application object: its delegate, its windows and the key window, event dispatch
// through sendEvent (a subclass may extend it), the first responder and the keyboard, opening
// URLs, the idle-timer flag and termination. Made by main (or a test) before any window and
// lives until the end. Main thread only.

#include <functional>
#include <string>
#include <vector>

#include "platform/foundation/PropertyList.h"
#include "platform/foundation/WeakLink.h"
#include "platform/graphics/Geometry.h"

class Event;
class Responder;
class Window;
class Application;

// Receives the application's life-cycle calls; empty defaults.
class ApplicationDelegate {
public:
    virtual ~ApplicationDelegate() = default;
    virtual bool didFinishLaunching(Application&) { return true; }
    virtual void willResignActive(Application&) {}
    virtual void didBecomeActive(Application&) {}
    virtual void willTerminate(Application&) {}
};

class Application {
public:
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static Application* shared();

    ApplicationDelegate* delegate() const { return m_delegate; }
    // Not owned: the delegate lives as long as the application.
    void setDelegate(ApplicationDelegate* delegate) { m_delegate = delegate; }
    // Tells the delegate that launching is done; returns its answer.
    bool finishLaunching();

    // Every event passes here; the default hands touches to their window and keys to the first
    // responder, or to its input view when it has one of its own.
    virtual void sendEvent(Event& event);

    // Held while a screen is pushed, popped, presented or dismissed with animation: a touch
    // that begins while any is held reaches nothing, as on a phone. Dropping the hold ends it.
    class TransitionHold {
    public:
        TransitionHold();
        ~TransitionHold();
        TransitionHold(const TransitionHold&) = delete;
        TransitionHold& operator=(const TransitionHold&) = delete;
    };
    static bool isInTransition();

    Window* keyWindow() const { return m_keyWindow; }
    const std::vector<Window*>& windows() const { return m_windows; }

    Responder* firstResponder() const { return m_firstResponder.get(); }
    bool makeFirstResponder(Responder* responder);
    void clearFirstResponder();

    // Handed to the handler (a test, or the desktop shell); false when none is set.
    bool openURL(const std::string& url);
    void setOpenURLHandler(std::function<bool(const std::string&)> handler);
    bool isIdleTimerDisabled() const { return m_idleTimerDisabled; }
    void setIdleTimerDisabled(bool disabled) { m_idleTimerDisabled = disabled; }
    // Moving to and from the background, told to the delegate and posted.
    void resignActive();
    void becomeActive();
    // Tells the delegate, then ends the run loop (or calls the handler tests install).
    void terminate(int exitCode = 0);
    void setTerminateHandler(std::function<void(int)> handler);

    // Window bookkeeping, called by Window.
    void addWindow(Window* window);
    void removeWindow(Window* window);
    void setKeyWindow(Window* window);

    // The keyboard notifications carry the keyboard frame in window points ("x", "y",
    // "width", "height").
    static constexpr const char* kKeyboardWillShowNotification = "KeyboardWillShowNotification";
    static constexpr const char* kKeyboardWillHideNotification = "KeyboardWillHideNotification";
    static constexpr const char* kWillResignActiveNotification =
        "ApplicationWillResignActiveNotification";
    static constexpr const char* kDidBecomeActiveNotification =
        "ApplicationDidBecomeActiveNotification";
    static constexpr const char* kWillTerminateNotification =
        "ApplicationWillTerminateNotification";
    static Rect keyboardFrameFrom(const PropertyList& userInfo);

private:
    void updateKeyboard();
    static PropertyList keyboardInfo(const Rect& frame);

    ApplicationDelegate* m_delegate = nullptr;
    std::vector<Window*> m_windows;
    Window* m_keyWindow = nullptr;
    WeakLink<Responder> m_firstResponder;
    bool m_keyboardShown = false;
    bool m_idleTimerDisabled = false;
    std::function<bool(const std::string&)> m_openURLHandler;
    std::function<void(int)> m_terminateHandler;
};
