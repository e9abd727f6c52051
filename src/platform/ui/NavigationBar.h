#pragma once

// The navigation controller's own bar: the top controller's title and, below the root, a back
// button. Owned by the navigation controller's view. Main thread only.

#include <functional>
#include <string>

#include "platform/ui/View.h"

class Button;
class Label;

class NavigationBar : public View {
public:
    explicit NavigationBar(const Rect& frame);

    void setTitle(const std::string& title);
    std::string title() const;
    void setBackButtonShown(bool shown);
    void setBackAction(std::function<void()> action);
    Button* backButton() const { return m_back; }

    void layoutSubviews() override;

    static constexpr double kHeight = 44;
    static constexpr const char* kBackTitle = "返回";

private:
    Label* m_title = nullptr;
    Button* m_back = nullptr;
};
