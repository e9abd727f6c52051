#include "trade/account/PXJYGongGaoViewController.h"

#include "platform/graphics/Font.h"
#include "platform/ui/Button.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/WebView.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/common/PXTradeDatePanel.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeQueryDay.h"
#include "trade/common/PXTradeRefusalAlert.h"
#include "trade/common/PXTradeReplyRelay.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/TradeText.h"

namespace {
constexpr double kRowHeight = 50;
constexpr double kListRowHeight = 50;
const char* const kListTag = "PXAnnouncementList";
const Color kPlainTitle = Color::rgb(19, 21, 26);
const Color kPanelGrey = Color::rgb(49, 49, 51);
const Color kDetailText = Color::rgb(132, 132, 132);

std::string timeText(const JYDict& record, const char* key, const char* pattern) {
    return PXTradeQueryDay::replyTimeText(TradeText::textAt(record, key), pattern);
}

const JYDict* recordAt(const PXTradeResult* data, size_t index) {
    if (!data || data->size() <= index) {
        return nullptr;
    }
    return std::get_if<JYDict>(&(*data)[index]);
}

std::string userId() {
    return PXTradeModule::shared().defaultString("JYUserName");
}

std::string sessionId() {
    return PXTradeModule::shared().PXJYData().tradeSession()->JYsessionID;
}

// An untitled touch area over the left of a panel's bar, standing in for its back button.
void addPanelBack(View& panel, const std::string& title, VKJYNavigationBarViewDelegate* delegate,
                  std::function<void()> back) {
    auto* bar = PXTradeViewKit::addNavigationBar(panel, 0, title, delegate);
    bar->backButton()->setAlpha(0);
    auto button = std::make_unique<Button>(Rect(5, 0, 60, 44));
    button->addTarget(TouchUpInside, [back = std::move(back)](Control&) { back(); });
    bar->addSubview(std::move(button));
}
}  // namespace

void PXJYGongGaoViewController::viewDidLoad() {
    m_query.resetDays();
    buildForm();
    setDatePickerView();
    initAnnouncementListView();
    initAnnouncementDetailView();
}

void PXJYGongGaoViewController::viewWillAppear(bool) {
    EffectiveButtonAction();
    m_shownAccount.follow();
}

void PXJYGongGaoViewController::forgetAccount() {
    clearList();
    m_listTableView->setLoadMoreTableIsLoadingMore(false);
    detailViewbackAction();
    ListViewbackAction();
}

void PXJYGongGaoViewController::buildForm() {
    View& root = *view();
    root.setBackgroundColor(PXTradeViewKit::background());
    const Rect app = PXTradeViewKit::appViewRect();
    PXTradeViewKit::addNavigationBar(root, app.y, "公告", this);
    const double top = app.y + 50;
    PXTradeViewKit::addTitledRows(root, top, {"公告主题:", "公告类型:", "发布时间:", "失效时间:"});
    const Rect titleFrame(100, top + 5, 200, 40);
    root.addSubview(
        std::make_unique<ImageView>(titleFrame, PXTradeViewKit::stretchable("lashen_x.png")));
    auto field = std::make_unique<TextField>(titleFrame);
    field->setDelegate(this);
    field->setTextColor(PXTradeViewKit::fieldText());
    field->setFont(Font::named("Helvetica-Bold", 14));
    field->setPlaceholder("  不填写为查询所有公告");
    field->setPlaceholderColor(Color::grayColor());
    field->setClearButtonMode(ClearButtonMode::WhileEditing);
    m_titleTextField = root.addSubview(std::move(field));

    const double filterY = titleFrame.y + 52;
    m_effective = addFilterButton(100, filterY, "有效公告", true);
    m_invalid = addFilterButton(210, filterY, "过期公告", false);
    const double publishedY = addDateRow(filterY + 50, kPublishedFrom, kPublishedTo);
    const double expiredY = addDateRow(publishedY + 50, kExpiredFrom, kExpiredTo);

    auto cover = std::make_unique<Label>(Rect(0, expiredY, 320, 60));
    cover->setBackgroundColor(PXTradeViewKit::background());
    m_appearLabel = root.addSubview(std::move(cover));

    auto done = std::make_unique<Button>(Rect(15, expiredY + 60, 290, 43));
    done->setTitle("确  定");
    done->setTitleColor(Color::whiteColor());
    done->setBackgroundImage(PXTradeViewKit::stretchable("anniuhong.png"));
    done->addTarget(TouchUpInside, [this](Control&) { doneButtonAction(); });
    root.addSubview(std::move(done));
}

Button* PXJYGongGaoViewController::addFilterButton(double x, double y, const std::string& title,
                                                   bool effective) {
    auto button = std::make_unique<Button>(Rect(x, y, 90, 35));
    button->setTitle(title);
    button->addTarget(TouchUpInside, [this, effective](Control&) {
        effective ? EffectiveButtonAction() : InvalidButtonAction();
    });
    return view()->addSubview(std::move(button));
}

double PXJYGongGaoViewController::addDateRow(double y, Day from, Day to) {
    View& root = *view();
    root.addSubview(std::make_unique<ImageView>(Rect(100, y, 200, 40),
                                                PXTradeViewKit::stretchable("lashen_x.png")));
    root.addSubview(
        PXTradeViewKit::label(Rect(100, y, 15, 40), "从", 16, PXTradeViewKit::fieldText()));
    root.addSubview(
        PXTradeViewKit::label(Rect(198, y, 15, 40), "到", 16, PXTradeViewKit::fieldText()));
    for (Day which : {from, to}) {
        auto button = std::make_unique<Button>(Rect(which == from ? 115 : 220, y, 80, 40));
        button->titleLabel()->setFont(Font::named("Helvetica-Bold", 14));
        button->setTitleColor(PXTradeViewKit::fieldText());
        button->addTarget(TouchUpInside, [this, which](Control&) { openDatePanel(which); });
        m_dateButtons[which] = root.addSubview(std::move(button));
    }
    return y;
}

void PXJYGongGaoViewController::EffectiveButtonAction() {
    showFilter(true);
}

void PXJYGongGaoViewController::InvalidButtonAction() {
    showFilter(false);
}

void PXJYGongGaoViewController::showFilter(bool effective) {
    Button* on = effective ? m_effective : m_invalid;
    Button* off = effective ? m_invalid : m_effective;
    on->setBackgroundImage(PXTradeViewKit::stretchable("anniuhong.png"));
    on->setTitleColor(Color::whiteColor());
    off->setBackgroundImage(PXTradeViewKit::stretchable("anniu.png"));
    off->setTitleColor(kPlainTitle);
    m_query.setEffective(effective ? "1" : "2");
    m_appearLabel->setAlpha(effective ? 1 : 0);
    initDate();
}

void PXJYGongGaoViewController::initDate() {
    m_query.resetDays();
    for (Day which : {kPublishedFrom, kPublishedTo, kExpiredFrom, kExpiredTo}) {
        m_dateButtons[which]->setTitle(PXTradeQueryDay::dayText(day(which)));
    }
}

double& PXJYGongGaoViewController::day(Day which) {
    switch (which) {
        case kPublishedFrom:
            return m_query.startDate;
        case kPublishedTo:
            return m_query.endDate;
        case kExpiredFrom:
            return m_query.startDateInvalid;
        default:
            return m_query.endDateInvalid;
    }
}

void PXJYGongGaoViewController::setDatePickerView() {
    // No day after the one the screen was built on, in any of the four ranges.
    auto panel =
        std::make_unique<PXTradeDatePanel>(m_query.endDate, [this] { appearButtonAction(); });
    m_datePicker = panel->datePicker();
    m_datePicker->addTarget(ValueChanged, [this](Control&) { datePickerValueChanged(); });
    m_basisView = view()->addSubview(std::move(panel));
}

void PXJYGongGaoViewController::openDatePanel(Day which) {
    m_titleTextField->resignFirstResponder();
    m_editedDay = which;
    m_basisView->raise(day(which));
}

void PXJYGongGaoViewController::datePickerValueChanged() {
    day(m_editedDay) = m_datePicker->date();
    m_dateButtons[m_editedDay]->setTitle(PXTradeQueryDay::dayText(m_datePicker->date()));
}

void PXJYGongGaoViewController::appearButtonAction() {
    m_basisView->park();
}

void PXJYGongGaoViewController::doneButtonAction() {
    // The list this query fills is of the account logged in now: its next page goes.
    m_shownAccount.filling();
    clearList();
    if (auto refusal = m_query.check()) {
        PXTradeMessage::show(*refusal);
        return;
    }
    sendList(1);
}

// Before any check, so a refused query shows no rows of an earlier one.
void PXJYGongGaoViewController::clearList() {
    m_listInFlight = nullptr;
    m_query.setStartNum(1);
    m_listTableView->setContentOffset({0, 0});
    m_dataList.clear();
    m_listTableView->reloadData();
}

void PXJYGongGaoViewController::loadMore() {
    if (m_shownAccount.refusesTap()) {
        return;
    }
    sendList(m_query.startNum());
}

void PXJYGongGaoViewController::sendList(int startNum) {
    const JYDict query =
        m_query.listRequest(userId(), sessionId(), m_titleTextField->text(), startNum);
    auto manager = PXTradeReplyRelay::newManager(*this, *this);
    m_listInFlight = manager.get();
    m_busy.began(manager.get());
    manager->getAnnouncementList(query);
}

void PXJYGongGaoViewController::initAnnouncementListView() {
    const Rect app = PXTradeViewKit::appViewRect();
    auto panel = std::make_unique<View>(Rect(app.width, app.y, app.width, app.height));
    panel->setBackgroundColor(PXTradeViewKit::background());
    m_listView = view()->addSubview(std::move(panel));
    addPanelBack(*m_listView, "公告列表", this, [this] { ListViewbackAction(); });
    auto table = std::make_unique<LoadMoreTableView>(Rect(0, 44, 320, app.height - 44));
    table->setDelegate(this);
    table->setDataSource(this);
    table->setPullDelegate(this);
    PXTradeViewKit::styleTable(*table);
    m_listTableView = m_listView->addSubview(std::move(table));
}

void PXJYGongGaoViewController::addListView() {
    PXTradeViewKit::slide(*m_listView, 0);
}

void PXJYGongGaoViewController::ListViewbackAction() {
    PXTradeViewKit::slide(*m_listView, m_listView->frame().width);
}

void PXJYGongGaoViewController::addDetailView() {
    PXTradeViewKit::slide(*m_detailView, 0);
}

void PXJYGongGaoViewController::detailViewbackAction() {
    PXTradeViewKit::slide(*m_detailView, m_detailView->frame().width);
}

int PXJYGongGaoViewController::numberOfRows(TableView&, int) {
    return static_cast<int>(m_dataList.size());
}

std::optional<double> PXJYGongGaoViewController::heightForRow(TableView&, IndexPath) {
    return kListRowHeight;
}

std::shared_ptr<TableViewCell> PXJYGongGaoViewController::cellForRow(TableView& table,
                                                                     IndexPath indexPath) {
    auto cell = PXTradeViewKit::blankCell(table);
    cell->contentView()->addSubview(getCellJYView(indexPath.row));
    return cell;
}

std::unique_ptr<View> PXJYGongGaoViewController::getCellJYView(int row) const {
    const JYDict& record = m_dataList.at(static_cast<size_t>(row));
    auto content = std::make_unique<View>(Rect(0, 0, 320, kListRowHeight));
    content->addSubview(PXTradeViewKit::label(Rect(15, 0, 290, 20),
                                              timeText(record, "SEND_TIME", "yyyy-MM-dd HH:mm:ss"),
                                              12, PXTradeViewKit::valueGrey()));
    content->addSubview(PXTradeViewKit::label(Rect(15, 20, 270, 30),
                                              TradeText::textAt(record, "TITLE"), 14,
                                              PXTradeViewKit::valueGrey()));
    content->addSubview(
        std::make_unique<ImageView>(Rect(290, 15, 14, 21.2), Image::named("Arrow.png")));
    return content;
}

void PXJYGongGaoViewController::didSelectRow(TableView&, IndexPath indexPath) {
    const JYDict record = m_dataList.at(static_cast<size_t>(indexPath.row));
    getAnnouncementDetail(record);
    setDetailViewValue(record);
}

void PXJYGongGaoViewController::getAnnouncementDetail(const JYDict& record) {
    auto manager = PXTradeReplyRelay::newManager(*this, *this);
    m_busy.began(manager.get());
    manager->getAnnouncementDetail(m_query.detailRequest(record, userId(), sessionId()));
}

void PXJYGongGaoViewController::loadMoreTableViewDidTriggerLoadMore(LoadMoreTableView&) {
    loadMore();
}

void PXJYGongGaoViewController::initAnnouncementDetailView() {
    const Rect app = PXTradeViewKit::appViewRect();
    auto panel = std::make_unique<View>(Rect(app.width, app.y, app.width, app.height));
    panel->setBackgroundColor(PXTradeViewKit::background());
    m_detailView = view()->addSubview(std::move(panel));
    addPanelBack(*m_detailView, "公告详情", this, [this] { detailViewbackAction(); });
    const double top = 44 + 5;
    for (int i = 1; i <= 3; ++i) {
        auto line = std::make_unique<View>(Rect(0, top + 45 * i, 320, 1));
        line->setBackgroundColor(Color::blackColor());
        m_detailView->addSubview(std::move(line));
    }
    Label* labels[4];
    for (int i = 0; i < 4; ++i) {
        labels[i] = m_detailView->addSubview(
            PXTradeViewKit::label(Rect(15, top + 45 * i, 290, 45), "", 16, kDetailText));
    }
    m_releaseMechanism = labels[0];
    m_published = labels[1];
    m_failureTime = labels[2];
    m_title = labels[3];
    m_title->setNumberOfLines(0);
    m_title->setLineBreakMode(LineBreakMode::WordWrap);
    auto content =
        PXTradeViewKit::label(Rect(0, top + 180, 320, 45), "   公告内容:", 16, kDetailText);
    content->setBackgroundColor(kPanelGrey);
    m_content = m_detailView->addSubview(std::move(content));
    auto web = std::make_unique<WebView>();
    web->setBackgroundColor(kPanelGrey);
    m_webView = m_detailView->addSubview(std::move(web));
}

void PXJYGongGaoViewController::setDetailViewValue(const JYDict& record) {
    m_releaseMechanism->setText("发布机构:  " + TradeText::textAt(record, "PUBLISH"));
    m_published->setText("发布时间:  " + timeText(record, "SEND_TIME", "yyyy-MM-dd HH:mm:ss"));
    m_failureTime->setText("失效时间:  " + timeText(record, "EXPIRY_TIME", "yyyy-MM-dd"));
    m_title->setText("公告主题:  " + TradeText::textAt(record, "TITLE"));
    const Size needed = TextLayout::measure(m_title->text(), m_title->font(), Size{290, 1000},
                                            LineBreakMode::WordWrap);
    const double titleTop = m_failureTime->frame().y + 45;
    m_title->setFrame(Rect(15, titleTop, 290, needed.height + 10));
    Rect content = m_content->frame();
    content.y = titleTop + needed.height + 10;
    m_content->setFrame(content);
    const double webTop = content.y + content.height;
    m_webView->setFrame(Rect(0, webTop, 320, m_detailView->frame().height - webTop - 5));
}

void PXJYGongGaoViewController::VKJYNavBackAction() {
    navigationController()->popViewController(true);
}

bool PXJYGongGaoViewController::textFieldShouldBeginEditing(TextField&) {
    appearButtonAction();
    return true;
}

bool PXJYGongGaoViewController::textFieldShouldReturn(TextField& field) {
    field.resignFirstResponder();
    return true;
}

void PXJYGongGaoViewController::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                                     const PXTradeResult* data) {
    m_busy.ended(manager);
    const bool list = manager->typeNW() == kListTag;
    if (list && !takeListReply(*manager)) {
        return;
    }
    if (!PXTradeShownAccount::takes(*manager)) {
        return;
    }
    if (list) {
        listArrived(data);
    } else {
        contentArrived(data);
    }
}

bool PXJYGongGaoViewController::takeListReply(const PXTradeNetworkManger& manager) {
    if (&manager != m_listInFlight) {
        return false;
    }
    m_listInFlight = nullptr;
    m_listTableView->setLoadMoreTableIsLoadingMore(false);
    return true;
}

void PXJYGongGaoViewController::listArrived(const PXTradeResult* data) {
    const size_t count = data ? data->size() : 0;
    if (count == 0) {
        PXTradeMessage::show("记录未找到");
        return;
    }
    for (size_t i = 0; i < count; ++i) {
        if (const JYDict* record = recordAt(data, i)) {
            m_dataList.push_back(*record);
        }
    }
    m_query.setStartNum(m_query.startNum() + static_cast<int>(count));
    m_listTableView->reloadData();
    addListView();
}

void PXJYGongGaoViewController::contentArrived(const PXTradeResult* data) {
    const JYDict* record = recordAt(data, 0);
    const std::string content = record ? TradeText::textAt(*record, "CONTENT") : std::string();
    // No base address: the server's markup reaches neither the application's files nor the
    // network.
    m_webView->loadHTMLString("<div style='font-size:14px;color:white'>" + content + "</div>");
    addDetailView();
}

void PXJYGongGaoViewController::requestFailed(PXTradeNetworkManger* manager, int) {
    m_busy.ended(manager);
    if (manager->typeNW() != kListTag || takeListReply(*manager)) {
        PXTradeRefusalAlert::showNetworkFailed(*manager);
    }
}

void PXJYGongGaoViewController::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    m_busy.ended(manager);
    if (manager->typeNW() != kListTag || takeListReply(*manager)) {
        PXTradeRefusalAlert::show(*manager);
    }
}
