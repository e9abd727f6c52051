#include <QImage>
#include <QPainter>

#include "UiFixture.h"
#include "platform/foundation/DateFormat.h"
#include "platform/ui/ActivityIndicator.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/TabBar.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/WebView.h"

namespace {

const Color kPanel = Color::rgb(41, 41, 51);
const Color kGrey = Color::rgb(132, 132, 132);

Image swatch(const QColor& color) {
    QImage image(24, 24, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(color);
    p.setPen(Qt::NoPen);
    p.drawEllipse(2, 2, 20, 20);
    p.end();
    return Image::fromQImage(image);
}

class Quotes : public TableViewDataSource, public TableViewDelegate {
public:
    int numberOfSections(TableView&) override { return 2; }
    int numberOfRows(TableView&, int section) override { return section == 0 ? 2 : 3; }
    std::string titleForHeader(TableView&, int section) override {
        return section == 0 ? "自选商品" : "现货白银";
    }
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath ip) override {
        auto cell = table.dequeueReusableCell("Cell");
        if (!cell) {
            cell = std::make_shared<TableViewCell>(TableViewCell::Style::Value1, "Cell");
        }
        static const char* names[] = {"白银", "黄金", "铂金", "钯金", "铜"};
        static const char* prices[] = {"3852.00", "275.30", "301.15", "412.80", "48120"};
        int i = ip.section * 2 + ip.row;
        cell->setBackgroundColor(kPanel);
        cell->textLabel()->setText(names[i]);
        cell->textLabel()->setTextColor(Color::whiteColor());
        cell->detailTextLabel()->setText(prices[i]);
        cell->detailTextLabel()->setTextColor(i % 2 ? Color::rgb(57, 225, 24)
                                                    : Color::rgb(255, 33, 54));
        cell->setAccessoryType(i == 1 ? TableViewCell::AccessoryType::Checkmark
                                      : TableViewCell::AccessoryType::DisclosureIndicator);
        return cell;
    }
    std::optional<double> heightForRow(TableView&, IndexPath) override { return 36; }
};

}  // namespace

class Gallery : public UiTest {};

TEST_F(Gallery, shouldRenderEveryControlLegiblyIntoGalleryImage) {
    window->setBackgroundColor(Color::rgb(29, 29, 37));
    auto* bar = add(std::make_unique<NavigationBar>(Rect{0, 20, 320, 44}));
    bar->setTitle("行情报价");
    bar->setBackButtonShown(true);

    auto* caption =
        add(std::make_unique<Label>(Rect{10, 70, 300, 22}, "摘牌数: 请输入数量，最多一千手"));
    caption->setFont(Font::named("Helvetica-Bold", 16));
    caption->setTextColor(kGrey);
    auto* longText = add(std::make_unique<Label>(Rect{10, 92, 150, 20},
                                                 "当前摘牌所需订金为1234.56元，请确认资金充足"));
    longText->setFont(Font::system(13));
    longText->setTextColor(Color::whiteColor());

    auto* buy = add(Button::create(Button::Type::Custom, {10, 118, 95, 34}));
    buy->setTitle("买入");
    buy->setBackgroundColor(Color::rgb(255, 33, 54));
    buy->setCornerRadius(4);
    auto* sell = add(Button::create(Button::Type::Custom, {112, 118, 95, 34}));
    sell->setTitle("卖出");
    sell->setSelected(true);
    sell->setTitleColor(Color::yellowColor(), StateSelected);
    sell->setBackgroundColor(Color::rgb(26, 160, 21));
    sell->setCornerRadius(4);
    auto* off = add(Button::create(Button::Type::Custom, {214, 118, 96, 34}));
    off->setTitle("已停牌");
    off->setTitleColor(Color::white(0.5), StateDisabled);
    off->setEnabled(false);
    off->setBorderWidth(1);
    off->setBorderColor(kGrey);

    auto* quantity = add(std::make_unique<TextField>(Rect{10, 158, 145, 30}));
    quantity->setBackgroundColor(Color::blackColor());
    quantity->setTextColor(Color::white(0.8));
    quantity->setPlaceholder("请输入数量");
    quantity->setPlaceholderColor(kGrey);
    auto* password = add(std::make_unique<TextField>(Rect{165, 158, 145, 30}));
    password->setBackgroundColor(Color::blackColor());
    password->setTextColor(Color::whiteColor());
    password->setSecureTextEntry(true);
    password->setText("123456");

    auto* icon =
        add(std::make_unique<ImageView>(Rect{10, 194, 24, 24}, swatch(QColor(238, 101, 0))));
    (void)icon;
    auto* spinner = add(std::make_unique<ActivityIndicator>(ActivityIndicator::Style::WhiteLarge));
    spinner->setCenter({60, 206});
    spinner->startAnimating();
    auto* status = add(std::make_unique<Label>(Rect{84, 194, 226, 24}, "正在连接交易服务器…"));
    status->setTextColor(Color::whiteColor());
    status->setFont(Font::system(14));

    Quotes quotes;
    auto* table = add(std::make_unique<TableView>(Rect{0, 222, 320, 210}));
    table->setBackgroundColor(kPanel);
    table->setSeparatorColor(Color::rgb(52, 53, 61));
    table->setDataSource(&quotes);
    table->setDelegate(&quotes);
    table->layoutIfNeeded();
    table->selectRow({1, 0}, false, TableViewScrollPosition::None);

    auto* web = add(std::make_unique<WebView>(Rect{0, 434, 160, 85}));
    web->setBackgroundColor(Color::rgb(49, 49, 51));
    web->loadHTMLString(
        "<div style='font-size:14px;color:white'><b>公告</b><br>周五休市一天，"
        "<font color='#ff2136'>请注意持仓风险</font></div>");
    auto* picker = add(std::make_unique<DatePicker>(Rect{160, 434, 160, 85}));
    picker->setTimeZone(DateFormat::Zone::gmt());
    picker->setDate(*DateFormat("yyyy-MM-dd", DateFormat::Zone::gmt()).parse("2026-12-05"));

    auto* tabs = add(std::make_unique<TabBar>(Rect{0, 519, 320, 49}));
    tabs->setItems({{"行情", swatch(QColor(255, 255, 255)), {}, 0},
                    {"交易", swatch(QColor(160, 160, 160)), {}, 1},
                    {"社区", swatch(QColor(160, 160, 160)), {}, 2},
                    {"服务", swatch(QColor(160, 160, 160)), {}, 3}});

    QImage controls = screen.renderImage();

    ASSERT_TRUE(driver.tap(quantity));
    driver.typeText("100");
    AlertView::show(std::make_unique<AlertView>("提示", "确定要转让该持仓吗？", nullptr, "取消",
                                                std::vector<std::string>{"确定"}));
    QImage modal = screen.renderImage();

    QImage gallery(controls.width() * 2 + 10, controls.height(), QImage::Format_ARGB32);
    gallery.fill(Qt::gray);
    QPainter painter(&gallery);
    painter.drawImage(0, 0, controls);
    painter.drawImage(controls.width() + 10, 0, modal);
    painter.end();
    ASSERT_TRUE(gallery.save(VKJY_GALLERY_PATH));

    // Legible: the Chinese texts drew glyphs where their views are.
    auto inked = [&](const Rect& r) {
        int count = 0;
        for (int y = static_cast<int>(r.y); y < r.maxY(); ++y) {
            for (int x = static_cast<int>(r.x); x < r.maxX(); ++x) {
                count += controls.pixelColor(x, y).lightness() > 110 ? 1 : 0;
            }
        }
        return count;
    };
    EXPECT_GT(inked({10, 70, 150, 22}), 40);
    EXPECT_GT(inked({120, 20, 80, 44}), 40);
    EXPECT_EQ(quantity->text(), "100");
}
