#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/ui/AlertView.h"

class GlossAlertView;
class MyalertDialog;

// Told which of a MyalertView's buttons was tapped.
class MyalertViewDelegate {
public:
    virtual ~MyalertViewDelegate() = default;
    // The first button.
    virtual void doneButtonClick() {}
    // The second button.
    virtual void cancelButtonClick() {}
};

// Alert adapter of the trading side: builds a dialog, shows it at once and turns its buttons
// into doneButtonClick / cancelButtonClick. Made through create(); its shown dialog keeps it
// alive, and it lets go of its delegate once that dialog is gone, so a delegate that also holds
// the adapter leaks nothing. Main thread only.
class MyalertView : public AlertViewDelegate, public std::enable_shared_from_this<MyalertView> {
public:
    static std::shared_ptr<MyalertView> create();

    // Builds the dialog and shows it over the key window (nothing without one); a dialog this
    // adapter still shows is closed first. With `reports` NO the buttons only close it.
    void initMyAlertTitle(const std::string& title, const std::string& message, bool reports,
                          const std::string& firstButtonTitle,
                          const std::optional<std::string>& secondButtonTitle = std::nullopt);

    int tag() const { return m_tag; }
    void setTag(int tag);
    // Held strongly until the dialog closes.
    const std::shared_ptr<MyalertViewDelegate>& delegate() const { return m_delegate; }
    void setDelegate(std::shared_ptr<MyalertViewDelegate> delegate);
    // The dialog while it is shown.
    GlossAlertView* alertView() const { return m_alert; }

    void alertViewClickedButtonAtIndex(AlertView& alert, int buttonIndex) override;
    // Called by the dialog as it is destroyed.
    void dialogGone(const MyalertDialog* dialog);

private:
    MyalertView() = default;

    int m_tag = 0;
    bool m_reports = false;
    std::shared_ptr<MyalertViewDelegate> m_delegate;
    GlossAlertView* m_alert = nullptr;
};
