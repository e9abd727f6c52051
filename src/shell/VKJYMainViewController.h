#pragma once

// The window's root controller: shows the variant's welcome screen, then the tab bar when the
// user default "hasShowGuidePage" is set, or the guide first otherwise. Holds one child screen
// at a time. Owned by the window. Main thread.

#include "platform/ui/ViewController.h"

class VKJYMainViewController : public ViewController {
public:
    void viewDidLoad() override;

    // Called by the welcome screen when the start-up sequence is done.
    void welcomeFinished();
    void showGuide();
    void showTabBar();
    ViewController* currentScreen() const { return m_current; }
    // The screen shown decides the status bar (the quote screen hides it in the wide screen).
    ViewController* visibleChildForStatusBar() const override;

private:
    void replaceScreen(std::unique_ptr<ViewController> screen);

    ViewController* m_current = nullptr;
};
