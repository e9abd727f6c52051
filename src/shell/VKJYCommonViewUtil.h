#pragma once

// The busy overlay and the toast over the whole application window. Class operations; main
// thread. The views belong to the key window.

#include <string>

class VKJYCommonViewUtil {
public:
    // Busy overlays over the key window; each is raised and lowered by its VKJYActivityHold.
    static int activityCount();
    // Shows the text at the bottom of the key window for that many seconds.
    static void showToast(const std::string& text, double duration);
};
