#include "widgets/MyalertView.h"

#include "platform/ui/Application.h"
#include "widgets/GlossAlertView.h"
#include "widgets/MyalertDialog.h"

namespace {

constexpr int kFirstButton = 0;
constexpr int kSecondButton = 1;

}  // namespace

std::shared_ptr<MyalertView> MyalertView::create() {
    return std::shared_ptr<MyalertView>(new MyalertView());
}

void MyalertView::setTag(int tag) {
    m_tag = tag;
    if (m_alert != nullptr) {
        m_alert->setTag(tag);
    }
}

void MyalertView::setDelegate(std::shared_ptr<MyalertViewDelegate> delegate) {
    m_delegate = std::move(delegate);
}

void MyalertView::initMyAlertTitle(const std::string& title, const std::string& message,
                                   bool reports, const std::string& firstButtonTitle,
                                   const std::optional<std::string>& secondButtonTitle) {
    if (m_alert != nullptr) {
        m_alert->setDelegate(nullptr);
        m_alert->dismiss(m_alert->cancelButtonIndex());
        m_alert = nullptr;
    }
    Application* application = Application::shared();
    if (application == nullptr || application->keyWindow() == nullptr) {
        return;
    }
    m_reports = reports;
    std::vector<std::string> buttons{firstButtonTitle};
    if (secondButtonTitle) {
        buttons.push_back(*secondButtonTitle);
    }
    auto dialog = std::make_unique<MyalertDialog>(shared_from_this(), title, message, buttons);
    dialog->setTag(m_tag);
    m_alert = AlertView::show(std::move(dialog));
}

void MyalertView::alertViewClickedButtonAtIndex(AlertView&, int buttonIndex) {
    if (!m_reports || !m_delegate) {
        return;
    }
    const std::shared_ptr<MyalertViewDelegate> delegate = m_delegate;
    if (buttonIndex == kFirstButton) {
        delegate->doneButtonClick();
    } else if (buttonIndex == kSecondButton) {
        delegate->cancelButtonClick();
    }
}

void MyalertView::dialogGone(const MyalertDialog* dialog) {
    if (m_alert != dialog) {
        return;
    }
    m_alert = nullptr;
    m_delegate.reset();
}
