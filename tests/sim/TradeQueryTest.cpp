#include "sim/TradeSimFixture.h"

namespace {
constexpr int kDeals = 25;

Fields reportPage(const std::string& start, const std::string& from = "",
                  const std::string& to = "") {
    return {{"ST", from},     {"ET", to},      {"STARTNUM", start},
            {"RECCNT", "20"}, {"SORTFLD", ""}, {"ISDESC", ""}};
}

std::string ttl(const Reply& reply) {
    return reply.rep()["TTLREC"];
}
}  // namespace

class TradeQueryTest : public TradeSimTest {
protected:
    void SetUp() override {
        TradeSimTest::SetUp();
        m_bob = std::make_unique<TradeClient>(loggedIn(kBob));
        for (int i = 0; i < kDeals; ++i) {
            Fields order = {
                {"BUY_SELL", "1"}, {"COMMODITY_ID", "AG"}, {"QTY", "1"}, {"SETTLE_BASIS", "1"}};
            ASSERT_EQ(m_bob->session("/trade", "order_s", order).retcode(), 0);
        }
    }
    std::unique_ptr<TradeClient> m_bob;
};

TEST_F(TradeQueryTest, shouldPageDealsInTheServersPageSize) {
    Reply first = m_bob->session("/trade", "tradequery", {{"STARTNUM", "1"}, {"RECCNT", ""}});
    EXPECT_EQ(ttl(first), "25");
    ASSERT_EQ(first.records().size(), 10u);
    Reply third = m_bob->session("/trade", "tradequery", {{"STARTNUM", "21"}, {"RECCNT", ""}});
    ASSERT_EQ(third.records().size(), 5u);
    Reply second = m_bob->session("/trade", "tradequery", {{"STARTNUM", "11"}, {"RECCNT", ""}});
    ASSERT_EQ(second.records().size(), 10u);
    EXPECT_GT(std::stoll(first.records()[9]["TR_N"].get<std::string>()),
              std::stoll(second.records()[0]["TR_N"].get<std::string>()));
    Reply past = m_bob->session("/trade", "tradequery", {{"STARTNUM", "26"}});
    EXPECT_TRUE(past.records().empty());
    const std::string last = first.records()[2]["TR_N"];
    Reply after = m_bob->session("/trade", "tradequery", {{"LAST_TRADE_ID", last}});
    EXPECT_EQ(ttl(after), "2");
    Reply sells = m_bob->session("/trade", "tradequery", {{"STARTNUM", "1"}, {"BUY_SELL", "2"}});
    EXPECT_EQ(ttl(sells), "0");
}

TEST_F(TradeQueryTest, shouldPageReportsAndCarryTotalsOverEveryRow) {
    Reply first = m_bob->session("/notice", "report_customerorders_query", reportPage("1"));
    ASSERT_EQ(first.retcode(), 0) << first.body;
    EXPECT_EQ(ttl(first), "25");
    EXPECT_EQ(first.records().size(), 20u);
    EXPECT_EQ(first.rep()["QUANTITY_SUM"], "25");
    Reply second = m_bob->session("/notice", "report_customerorders_query", reportPage("21"));
    EXPECT_EQ(second.records().size(), 5u);
    EXPECT_EQ(second.rep()["QUANTITY_SUM"], "25");

    Reply flows = m_bob->session("/notice", "report_customerfundsflow_query", reportPage("1"));
    EXPECT_EQ(ttl(flows), "26");  // the opening deposit and one fee a deal
    Reply holds = m_bob->session("/notice", "report_customerhold_query", reportPage("1"));
    EXPECT_EQ(holds.rep()["HOLDQTY_SUM"], "25");
    Reply closed = m_bob->session("/notice", "report_customercloseposition_query", reportPage("1"));
    EXPECT_EQ(ttl(closed), "0");
    Reply statement = m_bob->session("/notice", "report_customerfundsstat_query", reportPage("1"));
    EXPECT_EQ(ttl(statement), "2");  // the deposit's day and today
    // Past days keep no margin, so only today has a risk rate: equity over margin.
    EXPECT_EQ(statement.records()[0]["STATUS"], "F");
    EXPECT_EQ(statement.records()[0]["RISK_RATE"], "");
    EXPECT_EQ(statement.records()[1]["STATUS"], "N");
    const double equity = std::stod(statement.records()[1]["CAPITAL"].get<std::string>()) +
                          std::stod(statement.records()[1]["HOLD_PL"].get<std::string>());
    const double margin = std::stod(statement.records()[1]["MARGIN"].get<std::string>());
    EXPECT_NEAR(std::stod(statement.records()[1]["RISK_RATE"].get<std::string>()),
                equity / margin, 0.0001);
}

TEST_F(TradeQueryTest, shouldSelectReportRowsByWholeDays) {
    const int64_t now = m_exchange->market().nowMs();
    const std::string today = std::to_string(now);
    const std::string yesterday = std::to_string(now - 86400000);
    Reply todays =
        m_bob->session("/notice", "report_customerfundsflow_query", reportPage("1", today, today));
    EXPECT_EQ(ttl(todays), "25");
    Reply before = m_bob->session("/notice", "report_customerfundsflow_query",
                                  reportPage("1", "0", yesterday));
    EXPECT_EQ(ttl(before), "1");
}

TEST_F(TradeQueryTest, shouldAnswerReportsOnlyOnTheNoticeLink) {
    EXPECT_NE(m_bob->session("/trade", "report_customerorders_query", reportPage("1")).retcode(),
              0);
    EXPECT_NE(m_bob->session("/notice", "tradequery", {}).retcode(), 0);
}

TEST_F(TradeQueryTest, shouldFilterAndPageAnnouncementsAndServeTheirContent) {
    Fields valid = {{"EFFECTIVE", "1"}, {"TYPE", ""},       {"ST", "0"},   {"ET", ""},
                    {"EXPIRE_ST", "0"}, {"EXPIRE_ET", "0"}, {"TITLE", ""}, {"STARTNUM", "1"}};
    Reply first = m_bob->session("/notice", "notice_list_query", valid);
    EXPECT_EQ(ttl(first), "22");
    ASSERT_EQ(first.records().size(), 20u);
    valid[7] = {"STARTNUM", "21"};
    EXPECT_EQ(m_bob->session("/notice", "notice_list_query", valid).records().size(), 2u);
    valid[0] = {"EFFECTIVE", "2"};
    valid[7] = {"STARTNUM", "1"};
    EXPECT_EQ(ttl(m_bob->session("/notice", "notice_list_query", valid)), "3");
    valid[0] = {"EFFECTIVE", "1"};
    valid[6] = {"TITLE", "第25号"};
    Reply titled = m_bob->session("/notice", "notice_list_query", valid);
    ASSERT_EQ(titled.records().size(), 1u);

    const int64_t id = server().ledger().publishNotice("新公告", "<p>新内容</p>");
    Reply beat = m_bob->heartbeat({{"curlogon", "0"}, {"broadcast", "25"}});
    EXPECT_EQ(beat.json["LID"], std::to_string(id));
    Reply content =
        m_bob->session("/notice", "notice_content_query",
                       {{"NOTICE_ID", std::to_string(id)}, {"TYPE", "1"}, {"EFFECTIVE", "1"}});
    EXPECT_EQ(content.rep()["TITLE"], "新公告");
    EXPECT_EQ(content.rep()["CONTENT"], "<p>新内容</p>");
    EXPECT_NE(m_bob->session("/notice", "notice_content_query", {{"NOTICE_ID", "999"}}).retcode(),
              0);
}

TEST_F(TradeQueryTest, shouldReportNewDealsInTheHeartbeatAfterTheLastSeen) {
    Reply first = m_bob->heartbeat({{"curlogon", "1"}, {"tradecnt", "0"}, {"lastid", "0"}});
    EXPECT_EQ(first.json["ret"], 0);
    EXPECT_EQ(first.json["NT"], "0");
    EXPECT_EQ(first.json["TTC"], "25");
    const std::string last = first.json["TLID"];
    Fields order = {{"BUY_SELL", "2"}, {"COMMODITY_ID", "AU"}, {"QTY", "2"}, {"SETTLE_BASIS", "1"}};
    ASSERT_EQ(m_bob->session("/trade", "order_s", order).retcode(), 0);
    Reply next = m_bob->heartbeat({{"curlogon", "0"}, {"tradecnt", "25"}, {"lastid", last}});
    EXPECT_EQ(next.json["NT"], "1");
    ASSERT_EQ(next.json["data"].size(), 1u);
    EXPECT_EQ(next.json["data"][0]["CMOID"], "AU");
    EXPECT_EQ(next.json["data"][0]["QT"], "2");
    EXPECT_EQ(next.json["data"][0]["BS"], "2");
    EXPECT_EQ(next.json["data"][0]["TYP"], "1");
    EXPECT_EQ(std::stoll(next.json["CTM"].get<std::string>()), m_exchange->market().nowMs());
}
