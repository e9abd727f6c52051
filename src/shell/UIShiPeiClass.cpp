#include "shell/UIShiPeiClass.h"

#include "platform/foundation/SystemInfo.h"

UIShiPeiClass::UIShiPeiClass()
    : m_fourInch(SystemInfo::screenMode() == SystemInfo::kFourInchScreen),
      m_appViewRect(0, 20, 320, m_fourInch ? 548 : 460) {}
