#include "trade/common/PXTradeFormLift.h"

#include "platform/foundation/NotificationCenter.h"
#include "platform/ui/Application.h"
#include "platform/ui/View.h"

namespace {
constexpr double kLiftSeconds = 0.2;
}

PXTradeFormLift::PXTradeFormLift(View& form, std::function<void()> moved)
    : m_form(form), m_moved(std::move(moved)) {
    auto& center = NotificationCenter::defaultCenter();
    center.addObserver(
        this, Application::kKeyboardWillShowNotification, nullptr,
        [this](const std::string&, const void*, const PropertyList&) { keyboardWillShow(); });
    center.addObserver(
        this, Application::kKeyboardWillHideNotification, nullptr,
        [this](const std::string&, const void*, const PropertyList&) { keyboardWillHide(); });
}

PXTradeFormLift::~PXTradeFormLift() {
    NotificationCenter::defaultCenter().removeObserver(this);
}

void PXTradeFormLift::keyboardWillShow() {
    if (m_raised) {
        return;
    }
    m_raised = true;
    m_moved();
    move(-kLift);
}

void PXTradeFormLift::keyboardWillHide() {
    if (!m_raised) {
        return;
    }
    m_raised = false;
    m_moved();
    move(kLift);
}

void PXTradeFormLift::move(double dy) {
    View::animate(kLiftSeconds, [this, dy] {
        Rect moved = m_form.frame();
        moved.y += dy;
        m_form.setFrame(moved);
    });
}
