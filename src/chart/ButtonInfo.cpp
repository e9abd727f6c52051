#include "chart/ChartLayoutRecords.h"

void ButtonInfo::setButtonInfo(const ButtonInfo* other) {
    const ButtonInfo empty;
    const ButtonInfo& source = other ? *other : empty;
    frame = source.frame;
    title = source.title;
    normalImag = source.normalImag;
    selectedImag = source.selectedImag;
    titleNormalColor = source.titleNormalColor;
    titleSelectedColor = source.titleSelectedColor;
    font = source.font;
    selectState = source.selectState;
    tag = source.tag;
}
