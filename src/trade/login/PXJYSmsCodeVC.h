#pragma once

// What the three SMS-code screens of the login screen share (opening an account, resetting the
// password, retrieving the account): the title bar with its back button, the keypad as input
// view of the number and code fields, the code button with its 60-second count-down, the slide
// in over the login screen and out below it, the messages, and one request out at a time (a
// second tap while one is out sends nothing and puts the busy overlay up until the reply of the
// request on its way). The busy overlay belongs to the requests that raised it: only their
// replies take it away. The count-down stops with the screen. A child of the login screen, made
// once with it; main thread.

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/AlertView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/common/PXTradeBusyOverlay.h"
#include "trade/core/PXTradeNetworkManger.h"
#include "widgets/PadKeyboardView.h"

class Button;
class Label;
class Timer;
class VKJYNavigationBarView;

class PXJYSmsCodeVC : public ViewController,
                      public VKJYNavigationBarViewDelegate,
                      public PadKeyboardViewDelegate,
                      public TextFieldDelegate,
                      public AlertViewDelegate,
                      public PXTradeNetworkMangerDelegate {
public:
    static constexpr int kCountdownSeconds = 60;
    // Alerts whose button slides the screen out.
    static constexpr int kDoneAlertTag = 1000;
    static constexpr int kRefusedAlertTag = 1001;

    ~PXJYSmsCodeVC() override;

    void loadView() override;

    // Slides the view in over its host's view, or out below it.
    void slideIn();
    void createUserViewBackButtonClick();
    bool isShown();

    Label* NavTitle() const { return m_navTitle; }
    Button* captchaButton() const { return m_captchaButton; }
    int timeoutNum() const { return m_timeoutNum; }
    // The count-down's timer while it runs.
    Timer* timer() const { return m_timer.get(); }
    bool isRequestOut() const { return !m_travelling.expired(); }
    void ShiShiGenXinShiJian();

    void VKJYNavBackAction() override { createUserViewBackButtonClick(); }
    void didNumericKeyPressed(Button& key) override;
    void didspecialKey() override;
    void didBackspaceKeyPressed() override;
    bool textFieldShouldBeginEditing(TextField& field) override;
    bool textFieldShouldReturn(TextField& field) override;
    void alertViewClickedButtonAtIndex(AlertView& alert, int buttonIndex) override;
    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;

protected:
    explicit PXJYSmsCodeVC(std::string title);

    // Lays out the screen's own rows under the bar.
    virtual void buildForm(View& root) = 0;
    // The fields that slide-out empties and editing ends in.
    virtual std::vector<TextField*> fields() const = 0;
    // Whether the keypad may add to the field (a length limit).
    virtual bool acceptsKey(const TextField&) const { return true; }

    // A caption, a keypad field on the light field image, at y; the field is returned.
    TextField* addKeypadRow(View& root, double y, const std::string& caption, double width,
                            int tag);
    Button* addCodeButton(View& root, double x, double y);
    Button* addWideButton(View& root, double y, const std::string& title);
    // The count-down from 60 with the button disabled.
    void startCountdown();
    // A new facade for a request, with the busy overlay up until its reply if busy; none while
    // another request is out.
    std::shared_ptr<PXTradeNetworkManger> newRequest(bool busy);
    // The reply of that request is in (a chained request on the same facade answers later).
    void requestEnded(const PXTradeNetworkManger& reply);
    void showMessage(const std::string& message, int tag = 0, const std::string& title = "提示");
    static std::string storedTokenB();
    void endEditing();

    std::shared_ptr<PadKeyboardView> m_keyboardView;
    TextField* m_editingField = nullptr;

private:
    void stopCountdown();

    std::string m_title;
    Label* m_navTitle = nullptr;
    VKJYNavigationBarView* m_bar = nullptr;
    Button* m_captchaButton = nullptr;
    std::unique_ptr<Timer> m_timer;
    int m_timeoutNum = 0;
    // The request on its way, if any.
    std::weak_ptr<const PXTradeNetworkManger> m_travelling;
    PXTradeBusyOverlay m_busy;
};
