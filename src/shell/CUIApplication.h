#pragma once

// The application class: after the normal dispatch of an event with touches, posts
// "VKJYScreenTimeOutNotification" when one of its touches began or ended, so the trading side
// can re-arm its idle logout. Made by main before the delegate. Main thread.

#include "platform/ui/Application.h"

class CUIApplication : public Application {
public:
    static constexpr const char* kScreenTimeOutNotification = "VKJYScreenTimeOutNotification";

    void sendEvent(Event& event) override;
};
