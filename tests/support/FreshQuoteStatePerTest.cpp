#include "support/FreshQuoteStatePerTest.h"

#include "quote/VKJYHangQingDataClass.h"

void FreshQuoteStatePerTest::OnTestStart(const testing::TestInfo&) {
    VKJYHangQingDataClass::setCurrent(nullptr);
}
