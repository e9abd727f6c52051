#pragma once

// The busy overlay and the toast over the whole application window. Class operations; main
// thread. The views belong to the key window.

#include <string>

class VKJYCommonViewUtil {
public:
    // Lays one more busy overlay over the key window; each call adds one.
    static void showActivity();
    // Removes every busy overlay; nothing happens when none is shown.
    static void hideActivity();
    static int activityCount();
    // Shows the text at the bottom of the key window for that many seconds.
    static void showToast(const std::string& text, double duration);
};
