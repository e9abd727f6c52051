#include "shell/VKJYWelcomeViewController.h"

#include "platform/graphics/Font.h"
#include "platform/graphics/Image.h"
#include "platform/ui/Application.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYStartupSequence.h"
#include "widgets/GlossAlertView.h"

VKJYWelcomeViewController::VKJYWelcomeViewController(VKJYBrandStyle style,
                                                     std::function<void()> finished)
    : m_style(std::move(style)), m_finished(std::move(finished)) {}

VKJYWelcomeViewController::~VKJYWelcomeViewController() {
    if (m_alert) {
        m_alert->setDelegate(nullptr);
    }
}

void VKJYWelcomeViewController::loadView() {
    ViewController::loadView();
    View* root = view();
    const Rect bounds = root->bounds();
    root->setBackgroundColor(m_style.background);
    root->addSubview(std::make_unique<ImageView>(bounds, Image::named(m_style.image("welcome"))));

    auto name = std::make_unique<Label>(Rect(0, bounds.height * 0.36 + 80, bounds.width, 40),
                                        m_style.displayName);
    name->setFont(Font::boldSystem(28));
    name->setTextColor(Color::rgb(250, 226, 160));
    name->setTextAlignment(TextAlignment::Center);
    root->addSubview(std::move(name));

    auto status =
        std::make_unique<Label>(Rect(0, bounds.height - 90, bounds.width, 24), kLoadingText);
    status->setFont(Font::system(14));
    status->setTextColor(Color::rgb(204, 204, 204));
    status->setTextAlignment(TextAlignment::Center);
    m_status = root->addSubview(std::move(status));
}

void VKJYWelcomeViewController::viewDidAppear(bool) {
    if (m_started) {
        return;
    }
    m_started = true;
    startSequence();
}

void VKJYWelcomeViewController::startSequence() {
    auto* app = VKJYAppDelegate::shared();
    if (!app) {
        return;
    }
    m_status->setText(kLoadingText);
    if (!m_sequence) {
        m_sequence = std::make_unique<VKJYStartupSequence>(
            *app, [this] { m_finished(); }, [this](const std::string&) { sequenceFailed(); });
    }
    m_sequence->start();
}

void VKJYWelcomeViewController::sequenceFailed() {
    m_status->setText("");
    auto alert = std::make_unique<GlossAlertView>(kFailureTitle, "", this, kRetryTitle,
                                                  std::vector<std::string>{kQuitTitle});
    alert->setStyle(GlossAlertView::kStyleAllWhite);
    m_alert = AlertView::show(std::move(alert));
}

void VKJYWelcomeViewController::alertViewClickedButtonAtIndex(AlertView&, int buttonIndex) {
    m_alert = nullptr;
    if (buttonIndex == 0) {
        startSequence();
        return;
    }
    if (auto* application = Application::shared()) {
        application->terminate(0);
    }
}
