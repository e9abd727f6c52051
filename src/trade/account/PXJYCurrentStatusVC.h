#pragma once

// "当前状态": the logged-in account, the environment's name, the market state of the last
// heartbeat reply and the server's clock, which takes its base from the first heartbeat time
// of each appearance and then ticks by itself every second. Refreshes on "Heartbeat" while
// shown; sends nothing. Pushed by the more menu; owned by its navigation stack. Main thread.

#include <memory>

#include "platform/foundation/Timer.h"
#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"

class Label;
class Timer;

class PXJYCurrentStatusVC : public ViewController, public VKJYNavigationBarViewDelegate {
public:
    ~PXJYCurrentStatusVC() override;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidDisappear(bool animated) override;

    void setValue();
    void ChuangJianTiemr();
    void ShiShiGenXinShiJian();
    Label* currentTime() const { return m_currentTime; }
    Timer* timer() const { return m_timer.get(); }

    void VKJYNavBackAction() override;

private:
    void showTime(double seconds);

    std::unique_ptr<Timer> m_timer;
    int m_localCounter = 0;
    bool m_DataType = true;
    double m_timeDate = 0;
    Label* m_userName = nullptr;
    Label* m_environment = nullptr;
    Label* m_currentStatus = nullptr;
    Label* m_currentTime = nullptr;
};
