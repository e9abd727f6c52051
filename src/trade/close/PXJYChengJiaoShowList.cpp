#include "trade/close/PXJYChengJiaoShowList.h"

PXJYChengJiaoShowList::PXJYChengJiaoShowList(const Rect& frame) : PXJYRecordListView(frame, 5) {}
