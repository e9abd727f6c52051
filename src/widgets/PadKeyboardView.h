#pragma once

#include <string>
#include <vector>

#include "platform/foundation/WeakLink.h"
#include "platform/ui/View.h"

class Button;
class PadKeyboardBackspaceIcon;

// Receives the keypad's keys; the receiver edits its own text field.
class PadKeyboardViewDelegate : public virtual LinkTarget {
public:
    virtual ~PadKeyboardViewDelegate() = default;
    // The pressed digit key; the digit is its title label's text.
    virtual void didNumericKeyPressed(Button& /*key*/) {}
    // The "完成" key.
    virtual void didspecialKey() {}
    virtual void didBackspaceKeyPressed() {}
};

// The in-app numeric keypad, set as a text field's input view: keys "1" to "9", then "完成", "0"
// and backspace in a 3 x 4 grid; no decimal point. It changes no text itself. Owned by the
// screen that made it (and shared with the window while shown); main thread only.
class PadKeyboardView : public View {
public:
    explicit PadKeyboardView(const Rect& frame);

    // Not retained; the delegate's owner clears it.
    PadKeyboardViewDelegate* delegate() const { return m_delegate.get(); }
    void setDelegate(PadKeyboardViewDelegate* delegate) { m_delegate = delegate; }

    void layoutSubviews() override;
    // A computer keyboard's digits press the matching keys; everything else is dropped.
    void typeKeyText(const std::string& text) override;
    void typeKeyBackspace() override;

private:
    Button* addKey(const std::string& title, bool functionKey);
    void keyPressed(Button& key, int index);

    WeakLink<PadKeyboardViewDelegate> m_delegate;
    std::vector<Button*> m_keys;
    PadKeyboardBackspaceIcon* m_backspaceIcon = nullptr;
};
