#include <gtest/gtest.h>

#include "ChartTestSupport.h"

using namespace charttest;

namespace {

struct AreaCase {
    const char* name;
    uint32_t kind;
    uint32_t state;
    bool fourInch;
    Rect root;
    Rect drawView;
    Rect main;
    Point mainOrigin;
    float firstLine;
    int lineCount;
    float lineInterval;
    int solidLine;
};

const AreaCase kAreaCases[] = {
    {"FenShiNormal35",
     kFenShi,
     kNormal,
     false,
     {0, 0, 320, 257},
     {0, 33, 320, 224},
     {38, 15, 280, 209},
     {38, 198},
     15,
     8,
     17.375f,
     5},
    {"FenShiNormal4",
     kFenShi,
     kNormal,
     true,
     {0, 0, 320, 345},
     {0, 33, 320, 312},
     {38, 15, 280, 297},
     {38, 284},
     15,
     8,
     25.625f,
     5},
    {"FenShiWide35",
     kFenShi,
     kWide,
     false,
     {0, 0, 480, 320},
     {0, 77, 480, 243},
     {58, 0, 422, 272},
     {58, 216},
     0,
     8,
     18.875f,
     5},
    {"FenShiWide4",
     kFenShi,
     kWide,
     true,
     {0, 0, 568, 320},
     {0, 77, 568, 243},
     {58, 0, 510, 272},
     {58, 216},
     0,
     8,
     18.875f,
     5},
    {"KLineNormal35",
     kKLine,
     kNormal,
     false,
     {0, 0, 320, 257},
     {320, 33, 320, 224},
     {34, 15, 286, 128},
     {34, 143},
     15,
     6,
     21.33f,
     0},
    {"KLineNormal4",
     kKLine,
     kNormal,
     true,
     {0, 0, 320, 345},
     {320, 33, 320, 312},
     {34, 15, 286, 198},
     {34, 213},
     15,
     6,
     33,
     0},
    {"KLineWide35",
     kKLine,
     kWide,
     false,
     {0, 0, 480, 320},
     {0, 77, 480, 243},
     {60, 25, 420, 146},
     {58, 171},
     25,
     6,
     24.33f,
     0},
    {"KLineWide4",
     kKLine,
     kWide,
     true,
     {0, 0, 568, 320},
     {0, 77, 568, 243},
     {60, 25, 508, 146},
     {58, 171},
     25,
     6,
     24.33f,
     0},
};

void PrintTo(const AreaCase& c, std::ostream* os) {
    *os << c.name;
}

class LayoutAreas : public testing::TestWithParam<AreaCase> {};

Rect rectOf(const DrawRect& r) {
    return Rect(r.x, r.y, r.width, r.height);
}

}  // namespace

TEST_P(LayoutAreas, shouldGiveEachCaseItsFramesAndGridFromTheTables) {
    const AreaCase& c = GetParam();
    const auto device = layout(c.kind, c.state, c.fourInch);
    EXPECT_EQ(device->rootViewFrame(), c.root);
    EXPECT_EQ(device->drawViewFrame(), c.drawView);
    EXPECT_EQ(*device->backgroundColor(), Color::rgb(17, 17, 17));
    ASSERT_TRUE(device->drawRectOfMain());
    EXPECT_EQ(rectOf(*device->drawRectOfMain()), c.main);
    const auto& grid = *device->coordinateSystemInfoOfMain();
    EXPECT_EQ(grid.originalPoint, c.mainOrigin);
    EXPECT_FLOAT_EQ(grid.firstDottedLineY, c.firstLine);
    EXPECT_EQ(grid.dottedLineNumber, c.lineCount);
    EXPECT_FLOAT_EQ(grid.dottedLineInterval, c.lineInterval);
    EXPECT_EQ(grid.activeLintCount, c.solidLine);
}

INSTANTIATE_TEST_SUITE_P(AllEightCases, LayoutAreas, testing::ValuesIn(kAreaCases),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {

struct IndicatorCase {
    const char* name;
    uint32_t state;
    bool fourInch;
    Rect indicator;
    Point origin;
    float firstLine;
    float lineInterval;
    int solidLine;
    float gradeOneFirstX;
    float gradeOnePointCount;
};

const IndicatorCase kIndicatorCases[] = {
    {"Normal35", kNormal, false, {34, 158, 286, 32}, {34, 190}, 158, 16, 0, 36, 47},
    {"Normal4", kNormal, true, {34, 228, 286, 50}, {34, 278}, 228, 25, 0, 36, 47},
    {"Wide35", kWide, false, {60, 171, 420, 46}, {58, 217}, 171, 23, -1, 59, 70},
    {"Wide4", kWide, true, {60, 171, 508, 46}, {58, 217}, 171, 23, -1, 61, 84},
};

void PrintTo(const IndicatorCase& c, std::ostream* os) {
    *os << c.name;
}

class KLineIndicatorArea : public testing::TestWithParam<IndicatorCase> {};

}  // namespace

TEST_P(KLineIndicatorArea, shouldGiveTheIndicatorAreaAndGradeOneColumns) {
    const IndicatorCase& c = GetParam();
    const auto device = layout(kKLine, c.state, c.fourInch);
    EXPECT_EQ(rectOf(*device->drawRectOfSecondaryOne()), c.indicator);
    const auto& grid = *device->coordinateSystemInfoOfSecondaryOne();
    EXPECT_EQ(grid.originalPoint, c.origin);
    EXPECT_FLOAT_EQ(grid.firstDottedLineY, c.firstLine);
    EXPECT_EQ(grid.dottedLineNumber, 2);
    EXPECT_FLOAT_EQ(grid.dottedLineInterval, c.lineInterval);
    EXPECT_EQ(grid.activeLintCount, c.solidLine);
    for (const auto& columns : {device->drawInfoOfMain(), device->drawInfoOfSecondaryOne()}) {
        EXPECT_FLOAT_EQ(columns->ColumnInterval, 6);
        EXPECT_FLOAT_EQ(columns->firstPointX, c.gradeOneFirstX);
        EXPECT_FLOAT_EQ(columns->pointCount, c.gradeOnePointCount);
    }
}

INSTANTIATE_TEST_SUITE_P(FourKLineCases, KLineIndicatorArea, testing::ValuesIn(kIndicatorCases),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {

struct GradeCase {
    uint32_t state;
    bool fourInch;
    uint32_t grade;
    float columnInterval;
    float pointCount;
    float firstPointX;
};

std::string gradeName(const GradeCase& c) {
    return std::string(c.state == kNormal ? "Normal" : "Wide") + (c.fourInch ? "4" : "35") +
           "Grade" + std::to_string(c.grade);
}

void PrintTo(const GradeCase& c, std::ostream* os) {
    *os << gradeName(c);
}

class ZoomGrades : public testing::TestWithParam<GradeCase> {};

std::shared_ptr<commodityInfo> commodity(int16_t id, int16_t market, int16_t disk) {
    auto c = std::make_shared<commodityInfo>();
    c->CommodityID = id;
    c->MarketID = market;
    c->DiskID = disk;
    return c;
}

std::shared_ptr<commodityStatusItem> statusWithGrades(std::shared_ptr<commodityInfo> c,
                                                      std::initializer_list<uint32_t> grades) {
    auto item = std::make_shared<commodityStatusItem>();
    item->commodity = std::move(c);
    for (uint32_t grade : grades) {
        auto period = std::make_shared<PeriodStatusInfo>();
        period->grade = grade;
        item->periodButtonArray.push_back(period);
    }
    return item;
}

}  // namespace

TEST_P(ZoomGrades, shouldTakeColumnsOfTheSelectedPeriodsGrade) {
    const GradeCase& c = GetParam();
    DeviceFacts facts(c.fourInch);
    auto device = layout(kKLine, c.state, c.fourInch);
    const auto gold = commodity(3, 1, 2);
    device->setCurrentCommodity(gold);
    device->setCommodityStatusInfoArray({statusWithGrades(gold, {1, c.grade})});
    device->statusSaveClass()->toolBarSelectedButtonCount = 1;
    device->setScreenState(c.state, kKLine);
    EXPECT_FLOAT_EQ(device->drawInfoOfMain()->ColumnInterval, c.columnInterval);
    EXPECT_FLOAT_EQ(device->drawInfoOfMain()->pointCount, c.pointCount);
    EXPECT_FLOAT_EQ(device->drawInfoOfMain()->firstPointX, c.firstPointX);
}

// Every grade of the three lists (the normal list serves both screens).
const GradeCase kGradeCases[] = {
    {kNormal, false, 0, 4, 71, 34},
    {kNormal, false, 1, 6, 47, 36},
    {kNormal, false, 2, 8, 35, 38},
    {kNormal, false, 3, 10, 28, 38},
    {kNormal, false, 4, 12, 23, 38},
    {kNormal, false, 5, 14, 20, 38},
    {kNormal, false, 6, 16, 17, 40},
    {kNormal, true, 0, 4, 71, 34},
    {kNormal, true, 3, 10, 28, 38},
    {kNormal, true, 6, 16, 17, 40},
    {kWide, false, 0, 4, 104, 63},
    {kWide, false, 1, 6, 70, 59},
    {kWide, false, 2, 8, 52, 63},
    {kWide, false, 3, 10, 42, 59},
    {kWide, false, 4, 12, 35, 59},
    {kWide, false, 5, 14, 30, 59},
    {kWide, false, 6, 16, 26, 63},
    {kWide, true, 0, 4, 126, 61},
    {kWide, true, 1, 6, 84, 61},
    {kWide, true, 2, 8, 63, 61},
    {kWide, true, 3, 10, 50, 65},
    {kWide, true, 4, 12, 42, 61},
    {kWide, true, 5, 14, 36, 61},
    {kWide, true, 6, 16, 31, 66},
    // Past the tables: the coarsest grade rather than a read beyond them.
    {kWide, true, 9, 16, 31, 66},
};

INSTANTIATE_TEST_SUITE_P(GradeTables, ZoomGrades, testing::ValuesIn(kGradeCases),
                         [](const auto& info) { return gradeName(info.param); });

TEST_P(ZoomGrades, shouldGiveTheIndicatorAreaTheSameColumnsAsTheMainArea) {
    const GradeCase& c = GetParam();
    DeviceFacts facts(c.fourInch);
    auto device = layout(kKLine, c.state, c.fourInch);
    const auto gold = commodity(3, 1, 2);
    device->setCurrentCommodity(gold);
    device->setCommodityStatusInfoArray({statusWithGrades(gold, {c.grade})});
    device->setScreenState(c.state, kKLine);
    const auto& columns = *device->drawInfoOfSecondaryOne();
    EXPECT_FLOAT_EQ(columns.ColumnInterval, c.columnInterval);
    EXPECT_FLOAT_EQ(columns.pointCount, c.pointCount);
    EXPECT_FLOAT_EQ(columns.firstPointX, c.firstPointX);
    EXPECT_NE(device->drawInfoOfSecondaryOne(), device->drawInfoOfMain());
}

namespace {

struct SidePanelCase {
    const char* name;
    uint32_t state;
    bool fourInch;
    Rect main;
    Point origin;
    Rect drawView;
};

const SidePanelCase kSidePanelCases[] = {
    {"Normal35", kNormal, false, {0, 15, 200, 165}, {0, 198}, {0, 33, 320, 224}},
    {"Normal4", kNormal, true, {0, 15, 200, 231}, {0, 284}, {0, 33, 320, 312}},
    {"Wide35", kWide, false, {0, 0, 352, 222}, {0, 216}, {0, 77, 480, 243}},
    {"Wide4", kWide, true, {0, 0, 440, 222}, {0, 216}, {0, 77, 568, 243}},
};

void PrintTo(const SidePanelCase& c, std::ostream* os) {
    *os << c.name;
}

class SidePanelTimeSharing : public testing::TestWithParam<SidePanelCase> {};

}  // namespace

TEST_P(SidePanelTimeSharing, shouldTakeTheChartAreaFromTheSidePanelVariant) {
    const SidePanelCase& c = GetParam();
    const auto device = layout(kFenShi, c.state, c.fourInch, 4);
    EXPECT_EQ(rectOf(*device->drawRectOfMain()), c.main);
    EXPECT_EQ(device->coordinateSystemInfoOfMain()->originalPoint, c.origin);
    EXPECT_EQ(device->drawViewFrame(), c.drawView);
}

INSTANTIATE_TEST_SUITE_P(FourTimeSharingCases, SidePanelTimeSharing,
                         testing::ValuesIn(kSidePanelCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(VariableAboutDevice, shouldChooseTheFourInchTablesOnlyForA640By1136Screen) {
    const auto withMode = [](SystemInfo::ScreenMode mode) {
        DeviceFacts facts(true);
        SystemInfo::setScreenMode(mode);
        VariableAboutDevice device(kNormal, kFenShi, 0, std::make_shared<HQFSDrawPram>(0));
        return device.rootViewFrame().height;
    };
    EXPECT_EQ(withMode({640, 1136}), 345);
    EXPECT_EQ(withMode({640, 960}), 257);
    EXPECT_EQ(withMode({750, 1334}), 257);
    EXPECT_EQ(withMode({0, 0}), 257);
}

TEST(VariableAboutDevice, shouldStartWithTimeSharingSelectedAndMACDShown) {
    const auto device = layout(kFenShi, kNormal, true);
    const StatusSaveClass& status = *device->statusSaveClass();
    EXPECT_TRUE(status.FenShiButtonSelected);
    EXPECT_FALSE(status.KLineButtonSelected);
    EXPECT_EQ(status.toolBarSelectedButtonCount, 0);
    EXPECT_FALSE(status.iphoneZhiBiaoButtonSelected);
    EXPECT_TRUE(status.iphoneKLineZhiBiaoMACDButtonSelected);
    EXPECT_FALSE(status.iphoneKLineZhiBiaoKDJButtonSelected);
    EXPECT_TRUE(status.ipadTopQuShiButtonSelected);
    EXPECT_TRUE(status.ipadKlineSecondaryOneMACDButtonSelected);
    EXPECT_FALSE(status.ipadKlineSecondaryOneKDJButtonSelected);
}

TEST(VariableAboutDevice, shouldSwapTheTwoPagesWhenKLineIsSelectedOnTheNormalScreen) {
    DeviceFacts facts(true);
    auto device = layout(kFenShi, kNormal, true);
    EXPECT_EQ(device->drawViewFrame().x, 0);
    device->setScreenState(kNormal, kKLine);
    EXPECT_EQ(device->drawViewFrame().x, 320);
    device->statusSaveClass()->FenShiButtonSelected = false;
    device->statusSaveClass()->KLineButtonSelected = true;
    device->setScreenState(kNormal, kFenShi);
    EXPECT_EQ(device->drawViewFrame().x, -320);
    device->setScreenState(kNormal, kKLine);
    EXPECT_EQ(device->drawViewFrame().x, 0);
}

TEST(VariableAboutDevice, shouldKeepTimeSharingRightLabelsButDropItsTimeAxisAfterAKLineRun) {
    DeviceFacts facts(false);
    auto device = layout(kFenShi, kNormal, false);
    const auto rightLabels = device->VerticalAxisMainRightInfoArray();
    ASSERT_EQ(rightLabels.size(), 9u);
    device->setScreenState(kNormal, kKLine);
    EXPECT_EQ(device->VerticalAxisMainRightInfoArray(), rightLabels);
    EXPECT_TRUE(device->TimeCoordinateDrawInfoArray().empty());
    EXPECT_EQ(device->currentShowDataLayerInfo()->MainCurrentDataItemArray.size(), 4u);
}

TEST(VariableAboutDevice, shouldBuildNoHeaderAndNoPageSwitchForWideTimeSharing) {
    const auto device = layout(kFenShi, kWide, true);
    EXPECT_FALSE(device->currentShowDataLayerInfo());
    EXPECT_FALSE(device->pageControl());
    EXPECT_FALSE(device->drawInfoOfMain());
    ASSERT_TRUE(device->bottomRectInfo());
    EXPECT_EQ(device->bottomRectInfo()->frame, Rect(0, 44, 568, 33));
}

TEST(VariableAboutDevice, shouldBuildNoTablesForADeviceOtherThanThePhone) {
    DeviceFacts facts(true);
    VariableAboutDevice device(kNormal, kFenShi, 1, std::make_shared<HQFSDrawPram>(0));
    EXPECT_FALSE(device.drawRectOfMain());
    EXPECT_FALSE(device.bottomRectInfo());
    EXPECT_FALSE(device.currentShowDataLayerInfo());
    EXPECT_EQ(device.rootViewFrame(), Rect());
}

TEST(VariableAboutDevice, shouldPlaceThePageSwitchAtTheBottomOfTheRootView) {
    for (const bool fourInch : {true, false}) {
        const auto device = layout(kKLine, kNormal, fourInch);
        const auto& page = *device->pageControl();
        EXPECT_EQ(page.frame, Rect(0, fourInch ? 332 : 244, 320, 13));
        EXPECT_EQ(page.fenshiButton->frame, Rect(150, 3, 6, 6));
        EXPECT_TRUE(page.fenshiButton->selectState);
        EXPECT_EQ(page.KLineButton->frame, Rect(164, 3, 6, 6));
        EXPECT_FALSE(page.KLineButton->selectState);
    }
}

TEST(VariableAboutDevice, shouldTellCommoditiesApartByMarketAndDiskAsWellAsIdentifier) {
    auto device = layout(kFenShi, kNormal, true);
    const auto sameIdOtherDisk = statusWithGrades(commodity(7, 1, 2), {});
    const auto sameIdOtherMarket = statusWithGrades(commodity(7, 2, 1), {});
    const auto wanted = statusWithGrades(commodity(7, 1, 1), {});
    device->setCommodityStatusInfoArray({sameIdOtherDisk, sameIdOtherMarket, wanted});
    device->setCurrentCommodity(commodity(7, 1, 1));
    EXPECT_EQ(device->searchCommodotyStatusItem(), wanted);
    device->setCurrentCommodity(commodity(8, 1, 1));
    EXPECT_FALSE(device->searchCommodotyStatusItem());
}

TEST(VariableAboutDevice, shouldTellTheSameNumbersOnTwoQuoteServersApart) {
    auto device = layout(kFenShi, kNormal, true);
    auto onServerZero = commodity(7, 1, 1);
    auto onServerOne = commodity(7, 1, 1);
    onServerOne->panindex = 1;
    const auto first = statusWithGrades(onServerZero, {});
    const auto second = statusWithGrades(onServerOne, {});
    device->setCommodityStatusInfoArray({first, second});
    auto current = commodity(7, 1, 1);
    current->panindex = 1;
    device->setCurrentCommodity(current);
    EXPECT_EQ(device->searchCommodotyStatusItem(), second);
    current->panindex = 2;
    EXPECT_FALSE(device->searchCommodotyStatusItem());
}

TEST(VariableAboutDevice, shouldGiveAFreshGradeOnePeriodWhenNoPeriodIsSelectable) {
    auto device = layout(kKLine, kNormal, true);
    EXPECT_EQ(device->getCurrentPeriodStatusInfo()->grade, 1u);
    const auto gold = commodity(3, 1, 2);
    const auto item = statusWithGrades(gold, {4, 5});
    device->setCurrentCommodity(gold);
    device->setCommodityStatusInfoArray({item});
    device->statusSaveClass()->toolBarSelectedButtonCount = 1;
    EXPECT_EQ(device->getCurrentPeriodStatusInfo(), item->periodButtonArray[1]);
    device->statusSaveClass()->toolBarSelectedButtonCount = 2;
    const auto outside = device->getCurrentPeriodStatusInfo();
    EXPECT_EQ(outside->grade, 1u);
    EXPECT_NE(outside, item->periodButtonArray[0]);
    EXPECT_NE(outside, item->periodButtonArray[1]);
}
