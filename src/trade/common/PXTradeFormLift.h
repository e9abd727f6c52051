#pragma once
// Lifts an order form by a fixed height while a keyboard is up, so its fields stay above the
// keyboard: once on the first will-show, back down once on will-hide, however many notices come
// between. The form's own reaction (its picker buttons, off while raised) goes in the callback,
// which runs once the lift has changed. Owned by the form it moves; main thread.

#include <functional>

class View;

class PXTradeFormLift {
public:
    static constexpr double kLift = 165;

    PXTradeFormLift(View& form, std::function<void()> moved);
    ~PXTradeFormLift();
    PXTradeFormLift(const PXTradeFormLift&) = delete;
    PXTradeFormLift& operator=(const PXTradeFormLift&) = delete;

    bool isRaised() const { return m_raised; }

private:
    void keyboardWillShow();
    void keyboardWillHide();
    void move(double dy);

    View& m_form;
    std::function<void()> m_moved;
    bool m_raised = false;
};
