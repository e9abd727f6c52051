#include "trade/quick/PXQuickScreenKit.h"

#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "trade/login/PXJYSwitchingAccountView.h"

void PXQuickScreenKit::lockAccount(PXJYSwitchingAccountView* switcher) {
    if (!switcher) {
        return;
    }
    switcher->accountButton()->setEnabled(false);
    switcher->xiaSanJiaoImageView()->setAlpha(0);
}
