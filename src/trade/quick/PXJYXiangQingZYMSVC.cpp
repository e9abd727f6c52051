#include "trade/quick/PXJYXiangQingZYMSVC.h"

#include "platform/ui/Button.h"

void PXJYXiangQingZYMSVC::addButtons(View& root, double top) {
    Button* detail = addButton(root, Rect{15, top, 290, 43}, "查看明细");
    detail->addTarget(TouchUpInside, [this](Control&) { detialButtonAction(); });
    setDetailButton(detail);
}
