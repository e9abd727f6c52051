#include "trade/close/PXJYMingXiListView.h"

PXJYMingXiListView::PXJYMingXiListView(const Rect& frame) : PXJYRecordListView(frame, 10) {}
