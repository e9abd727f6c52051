#pragma once

// The welcome screen: the variant's splash picture and a status line while the start-up
// sequence asks the directory server; when it fails on every URL, the alert "获取失败" offers
// "重试" (again from the first URL) and "退出" (ends the process). When the sequence is done it
// calls `finished`. The variants give the picture and colours. Owned by the root controller.
// Main thread.

#include <functional>
#include <memory>

#include "platform/ui/AlertView.h"
#include "platform/ui/ViewController.h"
#include "shell/VKJYBrandStyle.h"

class Label;
class VKJYStartupSequence;

class VKJYWelcomeViewController : public ViewController, public AlertViewDelegate {
public:
    static constexpr const char* kFailureTitle = "获取失败";
    static constexpr const char* kRetryTitle = "重试";
    static constexpr const char* kQuitTitle = "退出";
    static constexpr const char* kLoadingText = "正在连接服务器…";

    VKJYWelcomeViewController(VKJYBrandStyle style, std::function<void()> finished);
    ~VKJYWelcomeViewController() override;

    void loadView() override;
    void viewDidAppear(bool animated) override;
    void alertViewClickedButtonAtIndex(AlertView& alert, int buttonIndex) override;

    const VKJYBrandStyle& style() const { return m_style; }
    bool isWaitingForRetry() const { return m_alert != nullptr; }

private:
    void startSequence();
    void sequenceFailed();

    VKJYBrandStyle m_style;
    std::function<void()> m_finished;
    std::unique_ptr<VKJYStartupSequence> m_sequence;
    Label* m_status = nullptr;
    AlertView* m_alert = nullptr;
    bool m_started = false;
};
