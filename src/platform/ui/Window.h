#pragma once

// The top of a view tree on the screen: holds the root controller, tracks the touches on it and
// dispatches them to gesture recognizers and views, and hosts the keyboard (the system one or a
// field's input view) at its bottom edge. Owned by whoever made it (the application delegate);
// registers itself with the Application. Main thread only.

#include <map>
#include <memory>
#include <vector>

#include "platform/ui/Event.h"
#include "platform/ui/Touch.h"
#include "platform/ui/View.h"

class GestureRecognizer;
class ViewController;

struct TouchInput {
    int id = 0;
    TouchPhase phase = TouchPhase::Began;
    Point location;
};

class Window : public View {
public:
    explicit Window(const Rect& frame);
    ~Window() override;

    ViewController* rootViewController() const { return m_root.get(); }
    void setRootViewController(std::unique_ptr<ViewController> controller);
    void makeKeyAndVisible();
    bool isKeyWindow() const;

    // Builds a touch event from raw input and hands it to Application::sendEvent.
    void handleTouches(const std::vector<TouchInput>& inputs, double timestamp);
    // Dispatch proper, called by Application::sendEvent.
    void sendEvent(Event& event);
    int activeTouchCount() const { return static_cast<int>(m_touches.size()); }
    // The finger of that id while it is down; null otherwise.
    const Touch* touchInFlight(int id) const;

    // The recognizer has begun or recognized: the others watching its touches fail and the
    // views lose those touches.
    void recognizerClaimedTouches(GestureRecognizer* recognizer);

    // Keyboard hosting, driven by the application's first responder.
    void showKeyboard(std::shared_ptr<View> inputView);
    void hideKeyboard();
    View* keyboardView() const;
    Rect keyboardFrame() const;

    // The controller shown on top: presented ones first, then the top of a navigation stack or
    // the selected tab.
    ViewController* topViewController() const;

protected:
    void didAddSubview(View* view) override;

private:
    void dispatchPhase(const TouchSet& touches, TouchPhase phase, const Event& event);
    void collectRecognizers(Touch* touch);
    int tapCountFor(Point location, double timestamp) const;
    void endSequenceIfIdle();

    std::shared_ptr<ViewController> m_root;
    std::map<int, std::unique_ptr<Touch>> m_touches;
    std::vector<WeakLink<GestureRecognizer>> m_sequenceRecognizers;
    double m_lastTapTime = -1;
    Point m_lastTapLocation;
    int m_lastTapCount = 0;
    View* m_keyboardHost = nullptr;
    std::shared_ptr<View> m_systemKeyboard;
};
