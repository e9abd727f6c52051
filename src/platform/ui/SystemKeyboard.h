#pragma once

// The on-screen keyboard shown for a text field without an input view of its own: digits,
// letters, space, delete and return, typed into the first responder. Owned by the window.
// Main thread only.

#include "platform/ui/View.h"

class SystemKeyboard : public View {
public:
    explicit SystemKeyboard(const Rect& frame);

    void layoutSubviews() override;

    static constexpr const char* kDeleteTitle = "删除";
    static constexpr const char* kReturnTitle = "完成";
    static constexpr const char* kSpaceTitle = "空格";
};
