#pragma once

// A modal alert over the key window: title, message and buttons (the cancel button, when given,
// is index 0, the others follow in order). A tapped button tells the delegate its index, then
// the alert goes away. While shown, the key window owns it and nothing under it takes touches.
// The delegate is not owned: when it is destroyed the alert leaves the window untapped, so no
// button can reach it. Main thread only.

#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/WeakLink.h"
#include "platform/ui/View.h"

class AlertView;
class Button;
class Label;

class AlertViewDelegate : public virtual LinkTarget {
public:
    virtual ~AlertViewDelegate() = default;
    virtual void alertViewClickedButtonAtIndex(AlertView&, int /*buttonIndex*/) {}
    virtual void willPresentAlertView(AlertView&) {}
    virtual void alertViewWillDismiss(AlertView&, int /*buttonIndex*/) {}
    virtual void alertViewDidDismiss(AlertView&, int /*buttonIndex*/) {}
};

class AlertView : public View {
public:
    AlertView(const std::string& title, const std::string& message, AlertViewDelegate* delegate,
              const std::string& cancelButtonTitle,
              const std::vector<std::string>& otherButtonTitles = {});

    // Shows the alert over the key window, which owns it from then on. Without a key window
    // nothing is shown, the alert is destroyed and the result is null.
    template <typename T>
    static T* show(std::unique_ptr<T> alert) {
        T* raw = alert.get();
        return present(std::shared_ptr<AlertView>(std::move(alert))) ? raw : nullptr;
    }
    // Closes it as if the button had been tapped, without telling clickedButtonAtIndex.
    void dismiss(int buttonIndex);
    bool isVisible() const { return m_visible; }

    const std::string& title() const { return m_title; }
    void setTitle(const std::string& title);
    const std::string& message() const { return m_message; }
    void setMessage(const std::string& message);
    // Not owned; null once it is destroyed.
    AlertViewDelegate* delegate() const { return m_delegate.get(); }
    void setDelegate(AlertViewDelegate* delegate);
    int addButton(const std::string& title);
    int numberOfButtons() const { return static_cast<int>(m_buttons.size()); }
    std::string buttonTitleAtIndex(int index) const;
    Button* buttonAtIndex(int index) const;
    int cancelButtonIndex() const { return m_cancelIndex; }

    void layoutSubviews() override;

protected:
    View* box() const { return m_box; }
    Label* titleLabel() const { return m_titleLabel; }
    Label* messageLabel() const { return m_messageLabel; }

private:
    static bool present(std::shared_ptr<AlertView> alert);
    void buttonTapped(int index);
    void delegateGone();

    std::string m_title;
    std::string m_message;
    WeakLink<AlertViewDelegate> m_delegate;
    std::shared_ptr<void> m_delegateWatch;
    View* m_box = nullptr;
    Label* m_titleLabel = nullptr;
    Label* m_messageLabel = nullptr;
    std::vector<Button*> m_buttons;
    int m_cancelIndex = -1;
    bool m_visible = false;
};
