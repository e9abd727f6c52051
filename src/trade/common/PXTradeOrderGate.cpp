#include "trade/common/PXTradeOrderGate.h"

#include "shell/VKJYCommonViewUtil.h"

PXTradeOrderGate::~PXTradeOrderGate() {
    ended();
}

void PXTradeOrderGate::began() {
    m_outstanding = true;
    VKJYCommonViewUtil::showActivity();
}

void PXTradeOrderGate::ended() {
    if (m_outstanding) {
        VKJYCommonViewUtil::hideActivity();
    }
    m_outstanding = false;
}
