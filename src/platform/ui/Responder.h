#pragma once

// Base of everything that takes touches and key input (views, controllers). Touch handlers
// pass the touches on to the next responder unless overridden; key input goes to the first
// responder of the key window. Main thread only.

#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/LinkTarget.h"

class Event;
class Touch;
class View;

using TouchSet = std::vector<Touch*>;

class Responder : public virtual LinkTarget {
public:
    Responder();
    virtual ~Responder();
    Responder(const Responder&) = delete;
    Responder& operator=(const Responder&) = delete;

    virtual Responder* nextResponder() const { return nullptr; }

    virtual void touchesBegan(const TouchSet& touches, const Event& event);
    virtual void touchesMoved(const TouchSet& touches, const Event& event);
    virtual void touchesEnded(const TouchSet& touches, const Event& event);
    virtual void touchesCancelled(const TouchSet& touches, const Event& event);

    // Keyboard input of the first responder.
    virtual bool canBecomeFirstResponder() const { return false; }
    virtual bool becomeFirstResponder();
    virtual bool resignFirstResponder();
    bool isFirstResponder() const;
    virtual void insertText(const std::string& text);
    virtual void deleteBackward() {}
    virtual void pressReturn() {}
    // The view shown in place of the system keyboard while this is first responder; null for
    // the system keyboard. An empty view means no keyboard at all.
    virtual std::shared_ptr<View> inputView() const { return {}; }
    virtual bool wantsKeyboard() const { return false; }
};
