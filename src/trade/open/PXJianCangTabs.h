#pragma once
// The two tabs of the opening screens on their title bar: " 摘牌" and "条件摘牌", the chosen one
// on its pressed image. Buttons owned by the bar; main thread.

#include <functional>

class Button;
class View;

class PXJianCangTabs {
public:
    // Adds both tabs to the bar; each tap calls onTab with true for " 摘牌".
    PXJianCangTabs(View& bar, std::function<void(bool)> onTab);

    // Puts the first (true) or second tab on its pressed image.
    void show(bool first);
    Button* first() const { return m_first; }
    Button* second() const { return m_second; }

private:
    Button* m_first = nullptr;
    Button* m_second = nullptr;
};
