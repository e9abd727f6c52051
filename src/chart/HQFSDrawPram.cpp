#include "chart/HQFSDrawPram.h"

#include "chart/ChartLayoutTables.h"
#include "chart/ChartStyle.h"

using namespace chartlayout;

HQFSDrawPram::HQFSDrawPram(uint32_t fsDrawType) {
    const bool sidePanel = fsDrawType == 2 || fsDrawType == 4 || fsDrawType == 5;
    const FenShiVariant& v = sidePanel ? kFenShiSidePanel : kFenShiFullWidth;
    drawRectNormalIP4 = toRect(v.drawRectNormalIP4);
    drawRectNormalIP5 = toRect(v.drawRectNormalIP5);
    drawRectWideIP4 = toRect(v.drawRectWideIP4);
    drawRectWideIP5 = toRect(v.drawRectWideIP5);
    originalPointNormalIP4 = toPoint(v.originalPointNormalIP4);
    originalPointNormalIP5 = toPoint(v.originalPointNormalIP5);
    originalPointWideIP4 = toPoint(v.originalPointWideIP4);
    originalPointWideIP5 = toPoint(v.originalPointWideIP5);
    dottedLineIntervalNormalIP4 = toRect(kFenShiDrawViewNormalIP4);
    dottedLineIntervalNormalIP5 = toRect(kFenShiDrawViewNormalIP5);
    dottedLineIntervalWideIP4 = toRect(kFenShiDrawViewWideIP4);
    dottedLineIntervalWideIP5 = toRect(kFenShiDrawViewWideIP5);
    TimeTitleWidthNormal = v.timeTitleWidthNormal;
    TimeTitleWidthWide = kTimeTitleWidthWide;
    TimeTitleFont = chartstyle::arial(v.timeTitleFontSize);
    TimeTitleLast = v.timeTitleLast;
    TimeTitleSize = Size{v.timeTitleSize.width, v.timeTitleSize.height};
}
