#pragma once

// The busy overlay and the toast over the whole application window. Class operations; main
// thread. The views belong to the key window.

#include <string>

class VKJYCommonViewUtil {
public:
    // Holds on the key window's busy overlay: the requests it is up for (see VKJYActivityHold).
    static int activityCount();
    // Shows the text at the bottom of the key window for that many seconds.
    static void showToast(const std::string& text, double duration);
};
