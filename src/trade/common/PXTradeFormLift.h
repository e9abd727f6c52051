#pragma once
// Lifts an order form by a fixed height while a keyboard is up, so its fields stay above the
// keyboard: once on the first will-show, back down once on will-hide, however many notices come
// between. The form's own reactions (disabling its picker buttons while raised) go in the two
// callbacks. Owned by the form it moves; main thread.

#include <functional>

class View;

class PXTradeFormLift {
public:
    static constexpr double kLift = 165;

    PXTradeFormLift(View& form, std::function<void()> raised, std::function<void()> lowered);
    ~PXTradeFormLift();
    PXTradeFormLift(const PXTradeFormLift&) = delete;
    PXTradeFormLift& operator=(const PXTradeFormLift&) = delete;

    bool isRaised() const { return m_raised; }

private:
    void keyboardWillShow();
    void keyboardWillHide();
    void move(double dy);

    View& m_form;
    std::function<void()> m_onRaised;
    std::function<void()> m_onLowered;
    bool m_raised = false;
};
