#include "trade/close/PXJYHuiZongListView.h"

PXJYHuiZongListView::PXJYHuiZongListView(const Rect& frame) : PXJYRecordListView(frame, 6) {}
