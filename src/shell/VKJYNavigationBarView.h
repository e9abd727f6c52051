#pragma once

// The shared title bar of the screens (320 x 44 at the top of the application rectangle): a
// back button with its arrow at the left, a centred title label, a menu button with its
// picture at the right. Screens hide what they do not use with alpha 0 and may add their own
// subviews. Owned by its superview; the delegate is not owned (the screen that holds the bar
// outlives it). Main thread.

#include "platform/ui/View.h"

class Button;
class ImageView;
class Label;
class VKJYNavigationBarViewDelegate;

class VKJYNavigationBarView : public View {
public:
    static constexpr double kHeight = 44;

    explicit VKJYNavigationBarView(const Rect& frame);

    VKJYNavigationBarViewDelegate* delegate() const { return m_delegate; }
    void setDelegate(VKJYNavigationBarViewDelegate* delegate) { m_delegate = delegate; }

    Label* title() const { return m_title; }
    Button* backButton() const { return m_backButton; }
    ImageView* backImageview() const { return m_backImageview; }
    Button* menuButton() const { return m_menuButton; }
    ImageView* menuImageview() const { return m_menuImageview; }

private:
    VKJYNavigationBarViewDelegate* m_delegate = nullptr;
    Label* m_title = nullptr;
    Button* m_backButton = nullptr;
    ImageView* m_backImageview = nullptr;
    Button* m_menuButton = nullptr;
    ImageView* m_menuImageview = nullptr;
};
