#include "trade/close/PXJYHuiZongXiangQingListView.h"

PXJYHuiZongXiangQingListView::PXJYHuiZongXiangQingListView(const Rect& frame)
    : PXJYRecordListView(frame, 6) {}
